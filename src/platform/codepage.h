// UTF-8 <-> GBK (code page 936). The core sees these two functions only.
#pragma once

#include <string>
#include <string_view>

#include "text/values.h"

namespace dw::platform {

// Bytes of UTF-8 to GBK text: characters without a GBK form and malformed sequences
// become "?", a NUL byte ends the text; never fails on content.
Text Utf8ToGbk(const ByteSet& utf8);
Text Utf8ToGbk(std::string_view utf8);
// GBK text to UTF-8 for drawing; undecodable bytes become U+FFFD.
std::string GbkToUtf8(const Text& gbk);

}  // namespace dw::platform

namespace dw {
// A GBK text from a UTF-8 literal of the source, e.g. Gbk("天气").
inline Text Gbk(std::string_view utf8) { return platform::Utf8ToGbk(utf8); }
}  // namespace dw
