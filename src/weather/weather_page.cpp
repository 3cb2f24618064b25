#include "weather/weather_page.h"

#include "platform/codepage.h"
#include "text/toolkit.h"

namespace dw {

Text FlattenPage(const ByteSet& utf8Page) {
  Text page = platform::Utf8ToGbk(utf8Page);
  page = ReplaceText(page, "\"", "'", true);
  return ReplaceText(page, " ", "", true);
}

std::optional<WeatherFields> ReadWeatherPage(const ByteSet& utf8Page) {
  // The markers as the page reads after flattening: apostrophes, no spaces.
  static const Text kVerification = Gbk("百度安全验证");
  static const Text kTitleStart = "op_weather4_twoicon_shishi_title'>";
  static const Text kTitleEnd = "</span>";
  static const Text kSubStart = "op_weather4_twoicon_shishi_sub'>";
  static const Text kSubEnd = Gbk("(实时)</i>");
  static const Text kTempStart = "op_weather4_twoicon_temp'>";
  static const Text kTempEnd = Gbk("℃</p>");
  static const Text kIconStart = "<divclass='op_weather4_twoicon_icon'style='background-image:url(";
  static const Text kIconEnd = ");";

  Text page = FlattenPage(utf8Page);
  if (FindText(page, kVerification) != -1) return std::nullopt;

  WeatherFields f;
  f.title = TextBetween(page, kTitleStart, kTitleEnd);
  f.subtitle = TextBetween(page, kSubStart, kSubEnd);
  f.temperatureParts = SplitText(TextBetween(page, kTempStart, kTempEnd), "~");
  f.iconUrl = TextBetween(page, kIconStart, kIconEnd);
  return f;
}

Text RangeCaption(const TextArray& parts) {
  static const Text kHigh = Gbk("°△");
  static const Text kLow = Gbk("°▽");
  if (ElementCount(parts) >= 2)
    return ConcatText({ElementAt(parts, 1), kHigh, "\r\n", ElementAt(parts, 2), kLow});
  if (ElementCount(parts) == 1) return ConcatText({ElementAt(parts, 1), kHigh});
  return Text();
}

}  // namespace dw
