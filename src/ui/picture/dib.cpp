// Device-independent bitmaps, as BMP files and BMP icons store them: 1/4/8/16/24/32 bits a
// pixel, bottom-up or top-down rows, RLE4 and RLE8 runs, bit-field masks, and for icons the
// AND mask after the colours.
#include <bit>

#include "ui/picture/byte_reader.h"
#include "ui/picture/loaders.h"

namespace dw::ui::detail {
namespace {

enum Compression : std::uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitFields = 3,
  kAlphaBitFields = 6
};

struct Mask {
  std::uint32_t mask = 0;
  int shift = 0, bits = 0;
  explicit Mask(std::uint32_t m = 0) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    bits = std::popcount(m >> shift);
    if (bits > 8) shift += bits - 8, bits = 8;  // keep the top 8 bits of a wide field
  }
  int Extract(std::uint32_t v, int absent) const {
    if (mask == 0) return absent;
    const std::uint32_t max = (1u << bits) - 1, x = (v & mask) >> shift & max;
    return static_cast<int>((x * 255 + max / 2) / max);  // a full field gives 255
  }
};

struct Header {
  int width = 0, height = 0;  // height > 0; topDown says the row order
  bool topDown = false;
  int bpp = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t colourCount = 0;
  int colourEntryBytes = 4;
  Mask red, green, blue, alpha;
};

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
};

// Decodes the runs into palette indices (one byte each, rows bottom-up as stored).
bool DecodeRle(ByteReader& in, const Header& h, std::vector<std::uint8_t>& indices) {
  const bool four = h.compression == kRle4;
  int x = 0, y = 0;
  auto put = [&](int index) {
    if (x < h.width && y < h.height)
      indices[static_cast<std::size_t>(y) * h.width + x] = static_cast<std::uint8_t>(index);
    ++x;
  };
  while (in.ok()) {
    const int count = in.U8(), value = in.U8();
    if (!in.ok()) return false;
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(four ? ((i & 1) ? value & 0x0F : value >> 4) : value);
      continue;
    }
    switch (value) {
      case 0:
        x = 0, ++y;
        break;  // end of line
      case 1:
        return true;  // end of bitmap
      case 2:
        x += in.U8(), y += in.U8();
        break;    // delta
      default: {  // a literal run of `value` pixels, padded to 16 bits
        const int bytes = four ? (value + 1) / 2 : value;
        auto run = in.Take(static_cast<std::size_t>(bytes));
        if (!in.ok()) return false;
        for (int i = 0; i < value; ++i)
          put(four ? ((i & 1) ? run[i / 2] & 0x0F : run[i / 2] >> 4) : run[i]);
        if (bytes & 1) in.Skip(1);
      }
    }
    if (y > h.height) return true;  // everything after the last row is ignored
  }
  return false;
}

}  // namespace

std::optional<DibImage> ReadDib(Bytes dib, std::size_t pixelOffset, bool asIcon) {
  ByteReader in(dib);
  Header h;
  const std::uint32_t headerSize = in.U32();
  if (headerSize == 12) {
    h.width = in.U16();
    h.height = in.U16();
    in.Skip(2);
    h.bpp = in.U16();
    h.colourEntryBytes = 3;
  } else if (headerSize >= 40 && headerSize <= 1024) {
    const std::int32_t w = in.I32(), hh = in.I32();
    in.Skip(2);
    h.bpp = in.U16();
    h.compression = in.U32();
    in.Skip(12);
    h.colourCount = in.U32();
    in.Skip(4);
    if (w <= 0 || hh == 0 || hh == INT32_MIN) return std::nullopt;
    h.width = w;
    h.topDown = hh < 0;
    h.height = hh < 0 ? -hh : hh;
    const bool fields = h.compression == kBitFields || h.compression == kAlphaBitFields;
    // Masks sit in the longer headers, or right after a 40-byte one.
    std::uint32_t masks[4] = {0, 0, 0, 0};
    if (headerSize >= 52 || fields) {
      const int n = headerSize >= 56 || h.compression == kAlphaBitFields ? 4 : 3;
      for (int i = 0; i < n; ++i) masks[i] = in.U32();
    }
    if (fields) {
      h.red = Mask(masks[0]), h.green = Mask(masks[1]), h.blue = Mask(masks[2]);
      h.alpha = Mask(masks[3]);
    }
    in.Seek(headerSize +
            (headerSize == 40 && fields ? (h.compression == kAlphaBitFields ? 16 : 12) : 0));
  } else {
    return std::nullopt;
  }
  if (!in.ok()) return std::nullopt;
  if (asIcon) h.height /= 2;
  if (h.topDown && (h.compression == kRle4 || h.compression == kRle8)) return std::nullopt;
  if (!PictureSizeAllowed(h.width, h.height)) return std::nullopt;
  switch (h.compression) {
    case kRgb:
      if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 16 && h.bpp != 24 && h.bpp != 32)
        return std::nullopt;
      if (h.bpp == 16) h.red = Mask(0x7C00), h.green = Mask(0x03E0), h.blue = Mask(0x001F);
      break;
    case kRle8:
      if (h.bpp != 8) return std::nullopt;
      break;
    case kRle4:
      if (h.bpp != 4) return std::nullopt;
      break;
    case kBitFields:
    case kAlphaBitFields:
      if (h.bpp != 16 && h.bpp != 32) return std::nullopt;
      break;
    default:
      return std::nullopt;
  }

  // The colour table: as many entries as the header says, or all a palette depth allows.
  std::vector<Rgba> palette;
  if (h.bpp <= 8) {
    std::uint32_t count = h.colourCount ? h.colourCount : 1u << h.bpp;
    if (count * static_cast<std::uint64_t>(h.colourEntryBytes) > in.remaining())
      return std::nullopt;
    palette.resize(256);
    for (std::uint32_t i = 0; i < count; ++i) {
      Rgba c;
      c.b = in.U8(), c.g = in.U8(), c.r = in.U8();
      if (h.colourEntryBytes == 4) in.U8();
      if (i < 256) palette[i] = c;
    }
    if (!in.ok()) return std::nullopt;
  }
  if (pixelOffset != 0) in.Seek(pixelOffset);
  if (!in.ok()) return std::nullopt;

  DibImage image;
  image.width = h.width;
  image.height = h.height;
  const std::size_t pixels = static_cast<std::size_t>(h.width) * h.height;
  image.rgba.resize(pixels * 4);
  auto store = [&](int x, int storedRow, Rgba c) {
    const int y = h.topDown ? storedRow : h.height - 1 - storedRow;
    std::uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * h.width + x) * 4];
    p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = c.a;
  };

  if (h.compression == kRle4 || h.compression == kRle8) {
    std::vector<std::uint8_t> indices(pixels, 0);
    if (!DecodeRle(in, h, indices)) return std::nullopt;
    for (int y = 0; y < h.height; ++y)
      for (int x = 0; x < h.width; ++x)
        store(x, y, palette[indices[static_cast<std::size_t>(y) * h.width + x]]);
  } else {
    const std::size_t stride = (static_cast<std::size_t>(h.width) * h.bpp + 31) / 32 * 4;
    if (stride * h.height > in.remaining()) return std::nullopt;
    bool anyAlpha = false;
    for (int y = 0; y < h.height; ++y) {
      auto row = in.Take(stride);
      for (int x = 0; x < h.width; ++x) {
        Rgba c;
        switch (h.bpp) {
          case 1:
            c = palette[(row[x / 8] >> (7 - x % 8)) & 1];
            break;
          case 4:
            c = palette[(row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F];
            break;
          case 8:
            c = palette[row[x]];
            break;
          case 16: {
            const std::uint32_t v = row[x * 2] | (row[x * 2 + 1] << 8);
            c.r = h.red.Extract(v, 0), c.g = h.green.Extract(v, 0), c.b = h.blue.Extract(v, 0);
            break;
          }
          case 24:
            c.b = row[x * 3], c.g = row[x * 3 + 1], c.r = row[x * 3 + 2];
            break;
          case 32: {
            const std::uint8_t* p = &row[x * 4];
            if (h.compression == kRgb) {
              c.b = p[0], c.g = p[1], c.r = p[2];
              if (asIcon) c.a = p[3], anyAlpha = anyAlpha || p[3] != 0;
            } else {
              const std::uint32_t v =
                  p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
              c.r = h.red.Extract(v, 0), c.g = h.green.Extract(v, 0), c.b = h.blue.Extract(v, 0);
              if (asIcon) {
                c.a = h.alpha.Extract(v, 255);
                anyAlpha = anyAlpha || (h.alpha.mask != 0 && c.a != 0);
              }
            }
            break;
          }
        }
        store(x, y, c);
      }
    }
    // An icon's colours carry alpha only if some pixel uses it; all-zero alpha means the
    // AND mask decides instead.
    if (asIcon && h.bpp == 32 && !anyAlpha)
      for (std::size_t i = 0; i < pixels; ++i) image.rgba[i * 4 + 3] = 255;
    image.hasAlpha = asIcon && h.bpp == 32 && anyAlpha;
  }

  if (asIcon && !image.hasAlpha) {
    // The AND mask: 1 marks a pixel where the screen shows through.
    const std::size_t stride = (static_cast<std::size_t>(h.width) + 31) / 32 * 4;
    if (stride * h.height > in.remaining()) return std::nullopt;
    for (int y = 0; y < h.height; ++y) {
      auto row = in.Take(stride);
      const int outY = h.topDown ? y : h.height - 1 - y;
      for (int x = 0; x < h.width; ++x)
        if ((row[x / 8] >> (7 - x % 8)) & 1) {
          image.rgba[(static_cast<std::size_t>(outY) * h.width + x) * 4 + 3] = 0;
          image.hasAlpha = true;
        }
    }
  }
  return image;
}

}  // namespace dw::ui::detail
