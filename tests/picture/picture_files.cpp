// Encoders for the test pictures: libpng, libjpeg and giflib for their formats, byte by byte
// for BMP, icons and PCX.
#include "picture/picture_files.h"

#include <gif_lib.h>
#include <png.h>

#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace dw::test {
namespace {

void Put16(ByteSet& b, int v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(ByteSet& b, std::uint32_t v) {
  Put16(b, static_cast<int>(v & 0xFFFF));
  Put16(b, static_cast<int>(v >> 16));
}

}  // namespace

ByteSet PngRgba(int width, int height, const Pixels& argb) {
  std::vector<std::uint8_t> rgba;
  for (std::uint32_t p : argb) {
    rgba.push_back(static_cast<std::uint8_t>(p >> 16));
    rgba.push_back(static_cast<std::uint8_t>(p >> 8));
    rgba.push_back(static_cast<std::uint8_t>(p));
    rgba.push_back(static_cast<std::uint8_t>(p >> 24));
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr);
  ByteSet out(size);
  png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr);
  out.resize(size);
  return out;
}

ByteSet Jpeg(int width, int height, int components, const std::vector<std::uint8_t>& samples) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = width;
  cinfo.image_height = height;
  cinfo.input_components = components;
  cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  if (components == 4) cinfo.write_Adobe_marker = TRUE;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(&samples[cinfo.next_scanline * width * components]);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  ByteSet out(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

ByteSet Gif(int width, int height, const Pixels& palette, const std::vector<GifFrameSpec>& frames) {
  ByteSet out;
  int error = 0;
  GifFileType* gif = EGifOpen(
      &out,
      [](GifFileType* g, const GifByteType* data, int n) {
        auto* o = static_cast<ByteSet*>(g->UserData);
        o->insert(o->end(), data, data + n);
        return n;
      },
      &error);
  EGifSetGifVersion(gif, true);
  std::vector<GifColorType> colours(256);
  for (std::size_t i = 0; i < palette.size() && i < 256; ++i)
    colours[i] = {static_cast<GifByteType>(palette[i] >> 16),
                  static_cast<GifByteType>(palette[i] >> 8), static_cast<GifByteType>(palette[i])};
  ColorMapObject* map = GifMakeMapObject(256, colours.data());
  EGifPutScreenDesc(gif, width, height, 8, 0, map);
  for (const GifFrameSpec& f : frames) {
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = f.disposal;
    gcb.DelayTime = f.delayCs;
    gcb.TransparentColor = f.transparent;
    GifByteType block[4];
    EGifGCBToExtension(&gcb, block);
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, block);
    EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced, nullptr);
    // giflib writes lines in the order given; an interlaced frame wants its pass order.
    std::vector<int> order;
    if (f.interlaced) {
      for (int start : {0, 4, 2, 1})
        for (int y = start; y < f.height; y += (start == 0 || start == 4) ? 8 : start == 2 ? 4 : 2)
          order.push_back(y);
    } else {
      for (int y = 0; y < f.height; ++y) order.push_back(y);
    }
    for (int y : order)
      EGifPutLine(gif, const_cast<GifPixelType*>(&f.indices[static_cast<std::size_t>(y) * f.width]),
                  f.width);
  }
  GifFreeMapObject(map);
  EGifCloseFile(gif, &error);
  return out;
}

ByteSet Dib(const BmpLayout& s) {
  ByteSet b;
  const bool fields = s.compression == 3;
  Put32(b, 40);
  Put32(b, static_cast<std::uint32_t>(s.width));
  Put32(b, static_cast<std::uint32_t>(s.height));
  Put16(b, 1);
  Put16(b, s.bpp);
  Put32(b, static_cast<std::uint32_t>(s.compression));
  Put32(b, static_cast<std::uint32_t>(s.data.size()));
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, static_cast<std::uint32_t>(s.palette.size()));
  Put32(b, 0);
  if (fields)
    for (std::uint32_t m : s.masks) Put32(b, m);
  for (std::uint32_t c : s.palette) {
    b.push_back(static_cast<std::uint8_t>(c));
    b.push_back(static_cast<std::uint8_t>(c >> 8));
    b.push_back(static_cast<std::uint8_t>(c >> 16));
    b.push_back(0);
  }
  b.insert(b.end(), s.data.begin(), s.data.end());
  return b;
}

ByteSet Bmp(const BmpLayout& s) {
  const ByteSet dib = Dib(s);
  const std::size_t headers = 14 + dib.size() - s.data.size();
  ByteSet b = {'B', 'M'};
  Put32(b, static_cast<std::uint32_t>(14 + dib.size()));
  Put32(b, 0);
  Put32(b, static_cast<std::uint32_t>(headers));
  b.insert(b.end(), dib.begin(), dib.end());
  return b;
}

ByteSet Icon(const std::vector<IconImage>& images, int type) {
  ByteSet b;
  Put16(b, 0);
  Put16(b, type);
  Put16(b, static_cast<int>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (const IconImage& i : images) {
    b.push_back(static_cast<std::uint8_t>(i.width & 0xFF));
    b.push_back(static_cast<std::uint8_t>(i.height & 0xFF));
    b.push_back(0);
    b.push_back(0);
    Put16(b, 1);
    Put16(b, 32);
    Put32(b, static_cast<std::uint32_t>(i.data.size()));
    Put32(b, offset);
    offset += static_cast<std::uint32_t>(i.data.size());
  }
  for (const IconImage& i : images) b.insert(b.end(), i.data.begin(), i.data.end());
  return b;
}

namespace {

ByteSet PcxHeader(int version, int bpp, int width, int height, int planes, int bytesPerLine) {
  ByteSet b(128, 0);
  b[0] = 0x0A, b[1] = static_cast<std::uint8_t>(version), b[2] = 1,
  b[3] = static_cast<std::uint8_t>(bpp);
  b[8] = static_cast<std::uint8_t>(width - 1), b[9] = static_cast<std::uint8_t>((width - 1) >> 8);
  b[10] = static_cast<std::uint8_t>(height - 1),
  b[11] = static_cast<std::uint8_t>((height - 1) >> 8);
  b[65] = static_cast<std::uint8_t>(planes);
  b[66] = static_cast<std::uint8_t>(bytesPerLine),
  b[67] = static_cast<std::uint8_t>(bytesPerLine >> 8);
  return b;
}

void PcxRun(ByteSet& b, const std::vector<std::uint8_t>& line) {
  for (std::size_t i = 0; i < line.size();) {
    std::size_t n = 1;
    while (i + n < line.size() && line[i + n] == line[i] && n < 63) ++n;
    if (n > 1 || (line[i] & 0xC0) == 0xC0) b.push_back(static_cast<std::uint8_t>(0xC0 | n));
    b.push_back(line[i]);
    i += n;
  }
}

}  // namespace

ByteSet Pcx8(int width, int height, const std::vector<std::uint8_t>& indices,
             const Pixels& palette) {
  const int bytesPerLine = (width + 1) & ~1;
  ByteSet b = PcxHeader(5, 8, width, height, 1, bytesPerLine);
  for (int y = 0; y < height; ++y) {
    std::vector<std::uint8_t> line(indices.begin() + y * width, indices.begin() + (y + 1) * width);
    line.resize(bytesPerLine, 0);
    PcxRun(b, line);
  }
  b.push_back(0x0C);
  for (int i = 0; i < 256; ++i) {
    std::uint32_t c = i < static_cast<int>(palette.size()) ? palette[i] : 0;
    b.push_back(static_cast<std::uint8_t>(c >> 16));
    b.push_back(static_cast<std::uint8_t>(c >> 8));
    b.push_back(static_cast<std::uint8_t>(c));
  }
  return b;
}

ByteSet Pcx1(int width, int height, const std::vector<std::uint8_t>& bits) {
  const int bytesPerLine = ((width + 15) / 16) * 2;
  ByteSet b = PcxHeader(3, 1, width, height, 1, bytesPerLine);
  for (int y = 0; y < height; ++y) {
    std::vector<std::uint8_t> line(bytesPerLine, 0);
    for (int x = 0; x < width; ++x)
      if (bits[y * width + x]) line[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    PcxRun(b, line);
  }
  return b;
}

}  // namespace dw::test
