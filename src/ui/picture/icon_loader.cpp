// Icon and cursor files: a directory of images, each a PNG or a BMP-style bitmap with an
// AND mask. The image nearest the size it will be shown at is drawn over the backdrop.
#include <cstring>

#include "ui/picture/byte_reader.h"
#include "ui/picture/loaders.h"
#include "ui/picture/pixels.h"

namespace dw::ui::detail {
namespace {

// The size an icon is shown at when nobody says otherwise (the system icon size).
constexpr int kDefaultIconSize = 32;

struct Entry {
  int size = 0;  // the larger side
  int bpp = 0;
  std::uint32_t length = 0, offset = 0;
};

// Smallest image at least as large as the target, else the largest; deeper colour first.
bool Better(const Entry& a, const Entry& b, int target) {
  const bool aFits = a.size >= target, bFits = b.size >= target;
  if (aFits != bFits) return aFits;
  if (a.size != b.size) return aFits ? a.size < b.size : a.size > b.size;
  return a.bpp > b.bpp;
}

}  // namespace

std::optional<Picture> LoadIcon(Bytes bytes, const DecodeRequest& request) {
  ByteReader in(bytes);
  in.Skip(2);
  const int type = in.U16();
  const int count = in.U16();
  if (!in.ok() || count == 0 || (type != 1 && type != 2)) return std::nullopt;
  const int target = request.frameSize
                         ? std::max(request.frameSize->width, request.frameSize->height)
                         : kDefaultIconSize;
  std::optional<Entry> best;
  for (int i = 0; i < count; ++i) {
    Entry e;
    const int w = in.U8(), h = in.U8();
    in.Skip(4);
    const int bpp = in.U16();
    e.length = in.U32();
    e.offset = in.U32();
    if (!in.ok()) return std::nullopt;
    e.size = std::max(w ? w : 256, h ? h : 256);
    e.bpp = type == 1 ? bpp : 0;  // a cursor keeps its hot spot there
    if (e.offset > bytes.size() || e.length > bytes.size() - e.offset || e.length < 8) continue;
    if (!best || Better(e, *best, target)) best = e;
  }
  if (!best) return std::nullopt;

  Bytes image = bytes.subspan(best->offset, best->length);
  if (image[0] == 0x89 && std::memcmp(image.data() + 1, "PNG", 3) == 0)
    return LoadPng(image, request);
  std::optional<DibImage> dib = ReadDib(image, 0, true);
  if (!dib) return std::nullopt;
  Frame frame;
  frame.width = dib->width;
  frame.height = dib->height;
  frame.argb.resize(static_cast<std::size_t>(dib->width) * dib->height);
  const Rgb backdrop = RgbOf(request.backdrop);
  for (std::size_t i = 0; i < frame.argb.size(); ++i) {
    const std::uint8_t* p = &dib->rgba[i * 4];
    frame.argb[i] = MixOver(p[0], p[1], p[2], p[3], backdrop);
  }
  Picture picture;
  KeepFrame(picture, std::move(frame), request);
  return picture;
}

}  // namespace dw::ui::detail
