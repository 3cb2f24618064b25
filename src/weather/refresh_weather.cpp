// The weather refresh: the search results page for "天气" is fetched, decoded to GBK,
// flattened (double quotes become apostrophes, spaces go) and cut between fixed markers.
// A page that could not be fetched changes nothing, like the verification page, so a
// network blip never wipes the last good weather.
#include "weather/refresh_weather.h"

#include <cstdlib>

#include "platform/codepage.h"
#include "text/toolkit.h"
#include "ui/main_layout.h"
#include "weather/weather_page.h"
#include "web/http_request.h"

namespace dw {

namespace {
Text SearchPageUrl() {
  const char* host = std::getenv("DESKWATCH_SEARCH_HOST");
  Text h = (host && *host) ? Text(host) : Text("www.baidu.com");
  return ConcatText({"https://", h, "/s?wd=%E5%A4%A9%E6%B0%94&ie=UTF-8"});
}

}  // namespace

void RefreshWeather(Widget& w) {
  static const Text kAccept =
      "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,image/avif,image/webp,"
      "image/apng,*/*;q=0.8,application/signed-exchange;v=b3;q=0.9";
  ByteSet raw = web::HttpRequest(w.inet, SearchPageUrl(), 0, Text(), nullptr, nullptr, kAccept);
  if (raw.empty()) return;

  std::optional<WeatherFields> fields = ReadWeatherPage(raw);
  if (!fields) return;  // the verification page

  ByteSet icon = web::HttpRequest(w.inet, fields->iconUrl);
  w.controls.WriteProperty(ui::name::kWeatherIcon, ui::prop::kPicPicture, icon);
  w.controls.WriteProperty(ui::name::kWeatherNow, ui::prop::kLabelCaption, fields->subtitle);
  w.controls.WriteProperty(ui::name::kWeatherTemp, ui::prop::kLabelCaption, fields->title);
  w.controls.WriteProperty(ui::name::kWeatherRange, ui::prop::kLabelCaption,
                           RangeCaption(fields->temperatureParts));
}

}  // namespace dw
