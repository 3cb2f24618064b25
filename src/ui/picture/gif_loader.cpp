// GIF through giflib's record-level reader, so every frame's size is checked against the
// limits before any pixel buffer exists. Frames are composed in order on a canvas of the
// backdrop colour; each composed canvas becomes one frame.
#include <gif_lib.h>

#include <cstring>
#include <memory>

#include "ui/picture/byte_reader.h"
#include "ui/picture/loaders.h"
#include "ui/picture/pixels.h"

namespace dw::ui::detail {
namespace {

// A frame whose delay is 0 stays this long.
constexpr int kZeroDelayMs = 50;

struct Source {
  Bytes bytes;
  std::size_t pos = 0;
};

int ReadFromSource(GifFileType* gif, GifByteType* out, int length) {
  auto* src = static_cast<Source*>(gif->UserData);
  if (length < 0) return 0;
  std::size_t n =
      std::min<std::size_t>(static_cast<std::size_t>(length), src->bytes.size() - src->pos);
  std::memcpy(out, src->bytes.data() + src->pos, n);
  src->pos += n;
  return static_cast<int>(n);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

struct FrameControl {
  int disposal = 0;
  int delayCs = 0;
  int transparent = -1;
};

FrameControl ReadControl(const GifByteType* block) {
  FrameControl c;
  if (block == nullptr || block[0] < 4) return c;
  c.disposal = (block[1] >> 2) & 7;
  c.delayCs = block[2] | (block[3] << 8);
  if (block[1] & 1) c.transparent = block[4];
  return c;
}

struct Palette {
  std::uint32_t colour[256];
};

Palette MakePalette(const ColorMapObject* map) {
  Palette p;
  for (int i = 0; i < 256; ++i) p.colour[i] = Argb(0, 0, 0);
  if (map == nullptr || map->Colors == nullptr) return p;
  for (int i = 0; i < map->ColorCount && i < 256; ++i)
    p.colour[i] = Argb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
  return p;
}

// Row order of an interlaced frame: four passes.
int InterlacedRow(int line, int height) {
  static constexpr int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    int rows = height > kStart[pass] ? (height - kStart[pass] + kStep[pass] - 1) / kStep[pass] : 0;
    if (line < rows) return kStart[pass] + line * kStep[pass];
    line -= rows;
  }
  return -1;
}

}  // namespace

std::optional<Picture> LoadGif(Bytes bytes, const DecodeRequest& request) {
  Source source{bytes};
  int error = 0;
  GifHandle gif(DGifOpen(&source, ReadFromSource, &error));
  if (!gif) return std::nullopt;
  const int width = gif->SWidth, height = gif->SHeight;
  if (!PictureSizeAllowed(width, height)) return std::nullopt;
  const std::int64_t canvasPixels = std::int64_t{width} * height;
  // The budget counts each composed canvas and each frame's own pixels. Checked on the whole
  // outline before anything is allocated, and again per frame as it is decoded.
  const GifOutline outline = OutlineGif(bytes);
  if (!outline.complete || outline.frameTooLarge) return std::nullopt;
  if (outline.frames > kMaxPicturePixels / canvasPixels ||
      outline.frames * canvasPixels + outline.framePixels > kMaxPicturePixels)
    return std::nullopt;

  std::vector<std::uint32_t> canvas;  // allocated with the first frame
  std::vector<std::uint32_t> saved;   // the area under a frame that will be put back
  std::vector<GifPixelType> line;
  std::int64_t spent = 0;
  FrameControl control;
  Picture picture;

  for (;;) {
    if (request.cancel && request.cancel->load(std::memory_order_relaxed)) return std::nullopt;
    if (source.pos == bytes.size() && !picture.frames.empty()) break;  // no trailer: done
    GifRecordType record;
    if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR) return std::nullopt;
    if (record == TERMINATE_RECORD_TYPE) break;
    if (record == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR) return std::nullopt;
      if (code == GRAPHICS_EXT_FUNC_CODE) control = ReadControl(block);
      while (block != nullptr)
        if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR) return std::nullopt;
      continue;
    }
    if (record != IMAGE_DESC_RECORD_TYPE) return std::nullopt;
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return std::nullopt;

    const GifImageDesc& desc = gif->Image;
    if (desc.Width <= 0 || desc.Height <= 0 || desc.Width > kMaxPictureSide ||
        desc.Height > kMaxPictureSide)
      return std::nullopt;
    spent += canvasPixels + std::int64_t{desc.Width} * desc.Height;
    if (spent > kMaxPicturePixels) return std::nullopt;
    if (canvas.empty())
      canvas.assign(static_cast<std::size_t>(canvasPixels), OpaqueArgb(request.backdrop));

    const Palette palette = MakePalette(desc.ColorMap ? desc.ColorMap : gif->SColorMap);
    // The part of the frame that lies on the canvas.
    const int x0 = std::max(0, desc.Left), y0 = std::max(0, desc.Top);
    const int x1 = std::min(width, desc.Left + desc.Width);
    const int y1 = std::min(height, desc.Top + desc.Height);
    const bool restore = control.disposal == 2 || control.disposal == 3;
    if (restore && x0 < x1 && y0 < y1) {
      saved.clear();
      for (int y = y0; y < y1; ++y)
        saved.insert(saved.end(), canvas.begin() + y * width + x0, canvas.begin() + y * width + x1);
    }

    line.resize(static_cast<std::size_t>(desc.Width));
    for (int i = 0; i < desc.Height; ++i) {
      if (DGifGetLine(gif.get(), line.data(), desc.Width) == GIF_ERROR) return std::nullopt;
      const int y = desc.Top + (desc.Interlace ? InterlacedRow(i, desc.Height) : i);
      if (y < y0 || y >= y1) continue;
      std::uint32_t* row = &canvas[static_cast<std::size_t>(y) * width];
      for (int x = x0; x < x1; ++x) {
        const int index = line[x - desc.Left];
        if (index != control.transparent) row[x] = palette.colour[index];
      }
    }

    // The canvas goes on being composed; the picture keeps a scaled copy (or a plain one).
    const int delayMs = control.delayCs == 0 ? kZeroDelayMs : control.delayCs * 10;
    Frame frame;
    if (request.frameSize) {
      Frame view{width, height, std::move(canvas), delayMs};
      frame = ScaleFrame(view, request.frameSize->width, request.frameSize->height);
      canvas = std::move(view.argb);
    } else {
      frame = Frame{width, height, canvas, 0};
    }
    frame.delayMs = delayMs;
    if (picture.frames.empty()) picture.naturalWidth = width, picture.naturalHeight = height;
    picture.width = frame.width;
    picture.height = frame.height;
    picture.frames.push_back(std::move(frame));

    if (restore && x0 < x1 && y0 < y1) {
      auto it = saved.begin();
      for (int y = y0; y < y1; ++y, it += x1 - x0)
        std::copy(it, it + (x1 - x0), canvas.begin() + y * width + x0);
    }
    control = FrameControl();
    if (static_cast<int>(picture.frames.size()) >= request.maxFrames) break;
  }
  if (picture.frames.empty()) return std::nullopt;
  return picture;
}

GifOutline OutlineGif(Bytes bytes) {
  GifOutline outline;
  ByteReader in(bytes);
  in.Skip(6);
  in.Skip(4);  // logical screen size
  const std::uint8_t flags = in.U8();
  in.Skip(2);
  if (flags & 0x80) in.Skip(3u << ((flags & 7) + 1));
  auto skipSubBlocks = [&in] {
    for (std::uint8_t n = in.U8(); n != 0 && in.ok(); n = in.U8()) in.Skip(n);
  };
  while (in.ok()) {
    // A missing trailer alone is forgiven, as the decoder forgives it.
    if (in.remaining() == 0 || in.U8() == 0x3B) {
      outline.complete = outline.frames > 0;
      return outline;
    }
    const std::uint8_t record = bytes[in.pos() - 1];
    if (record == 0x21) {
      in.Skip(1);
      skipSubBlocks();
    } else if (record == 0x2C) {
      in.Skip(4);
      const int w = in.U16(), h = in.U16();
      const std::uint8_t frameFlags = in.U8();
      if (frameFlags & 0x80) in.Skip(3u << ((frameFlags & 7) + 1));
      in.Skip(1);  // LZW code size
      skipSubBlocks();
      ++outline.frames;
      outline.framePixels += std::int64_t{w} * h;
      outline.frameTooLarge = outline.frameTooLarge || w > kMaxPictureSide || h > kMaxPictureSide;
    } else {
      return outline;
    }
  }
  return outline;
}

}  // namespace dw::ui::detail
