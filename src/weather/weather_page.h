// Reading the weather out of the search results page.
#pragma once

#include <optional>

#include "text/values.h"

namespace dw {

struct WeatherFields {
  Text title;                  // current temperature, e.g. 7℃ without the sign
  Text subtitle;               // current conditions
  TextArray temperatureParts;  // the temperature range split at "~"
  Text iconUrl;
};

// The page as GBK text: UTF-8 decoded, double quotes turned into apostrophes, half-width
// spaces removed.
Text FlattenPage(const ByteSet& utf8Page);
// The four fields, or nothing when the page is the search engine's verification page.
// A missing marker gives an empty field.
std::optional<WeatherFields> ReadWeatherPage(const ByteSet& utf8Page);
// The caption of the high/low label: "high°△" CR LF "low°▽"; one part gives "high°△",
// none the empty text.
Text RangeCaption(const TextArray& parts);

}  // namespace dw
