// GIF89a files through giflib: one global palette, the looping block, and per frame a
// graphic control block (delay, leave in place, transparent index) and LZW-coded pixels.
#include <gif_lib.h>

#include "artwork.h"

namespace artwork {

Bytes EncodeGif(const GifAnimation& a) {
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(
      &out,
      [](GifFileType* g, const GifByteType* data, int n) {
        auto* o = static_cast<Bytes*>(g->UserData);
        o->insert(o->end(), data, data + n);
        return n;
      },
      &error);
  if (!gif) return {};
  EGifSetGifVersion(gif, true);
  GifColorType colours[256];
  for (int i = 0; i < 256; ++i) {
    std::uint32_t c = i < static_cast<int>(a.palette.size()) ? a.palette[i] : 0;
    colours[i] = {static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                  static_cast<GifByteType>(c)};
  }
  ColorMapObject* map = GifMakeMapObject(256, colours);
  bool ok = EGifPutScreenDesc(gif, a.width, a.height, 8, 0, map) == GIF_OK;
  // Loop forever: NETSCAPE2.0, sub-block 1, count 0.
  static const GifByteType kNetscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static const GifByteType kLoop[] = {1, 0, 0};
  ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
       EGifPutExtensionBlock(gif, sizeof kNetscape, kNetscape) == GIF_OK &&
       EGifPutExtensionBlock(gif, sizeof kLoop, kLoop) == GIF_OK &&
       EGifPutExtensionTrailer(gif) == GIF_OK;
  for (const GifFrame& f : a.frames) {
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSE_DO_NOT;
    gcb.DelayTime = f.delayCs;
    gcb.TransparentColor = a.transparentIndex;
    GifByteType block[4];
    EGifGCBToExtension(&gcb, block);
    ok = ok && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, block) == GIF_OK;
    ok = ok && EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < f.height; ++y)
      ok = EGifPutLine(gif,
                       const_cast<GifPixelType*>(&f.indices[static_cast<std::size_t>(y) * f.width]),
                       f.width) == GIF_OK;
  }
  GifFreeMapObject(map);
  if (EGifCloseFile(gif, &error) != GIF_OK || !ok) return {};
  return out;
}

}  // namespace artwork
