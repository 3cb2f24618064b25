// Fuzz target for the weather page reading: the input is the raw body of the search results
// page as it comes off the network (any bytes, not necessarily UTF-8).
//
// Besides surviving, the reading must keep its promises: the flattened page holds no
// half-width space, no double quote and no NUL and is never longer than the body; the
// verification page gives no fields; the high/low caption is built from the parts alone.
#include <cstdint>
#include <cstdlib>

#include "platform/codepage.h"
#include "text/toolkit.h"
#include "weather/weather_page.h"

namespace {

using namespace dw;

void Check(bool condition) {
  if (!condition) std::abort();
}

bool Clean(const Text& t) {
  return t.find(' ') == Text::npos && t.find('"') == Text::npos && t.find('\0') == Text::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ByteSet body(data, data + size);
  const Text page = FlattenPage(body);
  Check(page.size() <= size);
  Check(Clean(page));

  const auto fields = ReadWeatherPage(body);
  const bool verification = FindText(page, Gbk("百度安全验证")) != -1;
  Check(fields.has_value() != verification);
  if (!fields) return 0;

  Check(Clean(fields->title) && Clean(fields->subtitle) && Clean(fields->iconUrl));
  std::size_t total = 0;
  for (const Text& part : fields->temperatureParts) {
    Check(Clean(part));
    total += part.size();
  }
  const Text caption = RangeCaption(fields->temperatureParts);
  const auto count = fields->temperatureParts.size();
  Check(count != 0 || caption.empty());
  Check(caption.size() <= total + 16);
  return 0;
}
