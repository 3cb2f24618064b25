// PCX files: run-length coded scan lines of one or more planes. 8 bits a pixel with one
// plane uses the 256-colour palette at the end of the file, with three planes it is RGB;
// 1 bit a pixel is black and white, or with four planes the 16 colours of the header.
#include "ui/picture/byte_reader.h"
#include "ui/picture/loaders.h"
#include "ui/picture/pixels.h"

namespace dw::ui::detail {

std::optional<Picture> LoadPcx(Bytes bytes, const DecodeRequest& request) {
  constexpr std::size_t kHeader = 128;
  ByteReader in(bytes);
  in.Skip(3);
  const int bpp = in.U8();
  const int xMin = in.U16(), yMin = in.U16(), xMax = in.U16(), yMax = in.U16();
  in.Seek(16);
  auto headerPalette = in.Take(48);
  in.Seek(65);
  const int planes = in.U8();
  const int bytesPerLine = in.U16();
  if (!in.ok() || bytes.size() < kHeader) return std::nullopt;
  const int width = xMax - xMin + 1, height = yMax - yMin + 1;
  if (!PictureSizeAllowed(width, height)) return std::nullopt;
  const bool rgb = bpp == 8 && planes == 3, indexed8 = bpp == 8 && planes == 1;
  const bool mono = bpp == 1 && planes == 1, ega = bpp == 1 && planes == 4;
  if (!(rgb || indexed8 || mono || ega)) return std::nullopt;
  if (bytesPerLine * 8 < width * bpp) return std::nullopt;

  std::uint32_t palette[256];
  for (int i = 0; i < 256; ++i) palette[i] = Argb(0, 0, 0);
  std::size_t dataEnd = bytes.size();
  if (indexed8) {
    // The palette: 0x0C then 768 bytes, at the very end of the file.
    if (bytes.size() < kHeader + 769 || bytes[bytes.size() - 769] != 0x0C) return std::nullopt;
    dataEnd = bytes.size() - 769;
    const std::uint8_t* p = &bytes[dataEnd + 1];
    for (int i = 0; i < 256; ++i) palette[i] = Argb(p[i * 3], p[i * 3 + 1], p[i * 3 + 2]);
  } else if (mono) {
    palette[0] = Argb(0, 0, 0), palette[1] = Argb(255, 255, 255);
  } else if (ega) {
    for (int i = 0; i < 16; ++i)
      palette[i] = Argb(headerPalette[i * 3], headerPalette[i * 3 + 1], headerPalette[i * 3 + 2]);
  }

  // Decode all scan lines; a run may cross from one plane or line into the next.
  const std::size_t lineBytes = static_cast<std::size_t>(bytesPerLine) * planes;
  if (lineBytes * height > (dataEnd - kHeader) * 63) return std::nullopt;  // runs are ≤ 63
  std::vector<std::uint8_t> data(lineBytes * height);
  ByteReader runs(bytes.subspan(0, dataEnd), kHeader);
  for (std::size_t out = 0; out < data.size();) {
    std::uint8_t b = runs.U8();
    std::size_t n = 1;
    if ((b & 0xC0) == 0xC0) n = b & 0x3F, b = runs.U8();
    if (!runs.ok()) return std::nullopt;
    for (; n > 0 && out < data.size(); --n) data[out++] = b;
  }

  Frame frame;
  frame.width = width;
  frame.height = height;
  frame.argb.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* line = &data[y * lineBytes];
    std::uint32_t* row = &frame.argb[static_cast<std::size_t>(y) * width];
    for (int x = 0; x < width; ++x) {
      if (rgb) {
        row[x] = Argb(line[x], line[bytesPerLine + x], line[2 * bytesPerLine + x]);
      } else if (indexed8) {
        row[x] = palette[line[x]];
      } else {
        int index = 0;
        for (int p = 0; p < planes; ++p)
          index |= ((line[p * bytesPerLine + x / 8] >> (7 - x % 8)) & 1) << p;
        row[x] = palette[index];
      }
    }
  }
  Picture picture;
  KeepFrame(picture, std::move(frame), request);
  return picture;
}

}  // namespace dw::ui::detail
