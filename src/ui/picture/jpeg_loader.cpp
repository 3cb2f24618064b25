// JPEG through libjpeg(-turbo). libjpeg reports errors by calling error_exit, which must not
// return: it jumps back to the setjmp in DecodeJpeg. Nothing with a destructor lives in the
// frames it jumps over, and everything DecodeJpeg owns is declared before the setjmp.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

// After jpeglib.h, which it needs: the message codes (JWRN_JPEG_EOF).
#include <jerror.h>

#include "ui/picture/loaders.h"
#include "ui/picture/pixels.h"

namespace dw::ui::detail {
namespace {

// Progressive files can hold any number of scans; a few hundred is far beyond real ones.
constexpr int kMaxScans = 500;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::longjmp(err->jump, 1);
}

// Warnings stay quiet, except that a file ending early is a truncated file: no picture.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level == -1 && cinfo->err->msg_code == JWRN_JPEG_EOF) OnError(cinfo);
}

void OnProgress(j_common_ptr cinfo) {
  if (cinfo->is_decompressor &&
      reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
    OnError(cinfo);
}

// Fills rgb (3 bytes a pixel) and the size; false on any error.
bool DecodeJpeg(Bytes bytes, std::vector<std::uint8_t>& rgb, int& width, int& height) {
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  jpeg_progress_mgr progress{};
  std::vector<std::uint8_t> row;  // declared before setjmp: nothing is skipped by the jump
  cinfo.err = jpeg_std_error(&err.base);
  err.base.error_exit = OnError;
  err.base.emit_message = OnMessage;
  err.base.output_message = [](j_common_ptr) {};
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  progress.progress_monitor = OnProgress;
  cinfo.progress = &progress;
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK ||
      !PictureSizeAllowed(cinfo.image_width, cinfo.image_height)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&cinfo);
  width = static_cast<int>(cinfo.output_width);
  height = static_cast<int>(cinfo.output_height);
  const int components = cinfo.output_components;
  if (components != (cmyk ? 4 : 3) || !PictureSizeAllowed(width, height)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  rgb.resize(static_cast<std::size_t>(width) * height * 3);
  row.resize(static_cast<std::size_t>(width) * components);
  // Adobe writes CMYK inverted (0 means full ink); other writers do not.
  const bool inverted = cinfo.saw_Adobe_marker;
  while (cinfo.output_scanline < cinfo.output_height) {
    std::size_t y = cinfo.output_scanline;
    JSAMPROW rows[1] = {row.data()};
    if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) break;
    std::uint8_t* out = &rgb[y * width * 3];
    if (!cmyk) {
      std::copy(row.begin(), row.end(), out);
      continue;
    }
    for (int x = 0; x < width; ++x) {
      int c = row[x * 4], m = row[x * 4 + 1], ye = row[x * 4 + 2], k = row[x * 4 + 3];
      if (!inverted) c = 255 - c, m = 255 - m, ye = 255 - ye, k = 255 - k;
      out[x * 3] = static_cast<std::uint8_t>(c * k / 255);
      out[x * 3 + 1] = static_cast<std::uint8_t>(m * k / 255);
      out[x * 3 + 2] = static_cast<std::uint8_t>(ye * k / 255);
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

std::optional<Picture> LoadJpeg(Bytes bytes, const DecodeRequest& request) {
  std::vector<std::uint8_t> rgb;
  int width = 0, height = 0;
  if (!DecodeJpeg(bytes, rgb, width, height)) return std::nullopt;
  Frame frame;
  frame.width = width;
  frame.height = height;
  frame.argb.resize(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < frame.argb.size(); ++i)
    frame.argb[i] = Argb(rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]);
  Picture picture;
  KeepFrame(picture, std::move(frame), request);
  return picture;
}

}  // namespace dw::ui::detail
