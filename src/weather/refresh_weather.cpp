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

// Whether the status line of the final response says 2xx: an error page (404, 500, a
// proxy's complaint) is no weather page and must not wipe the last good weather.
bool Succeeded(const Text& responseHeaders) {
  // The headers begin with the status line, "HTTP/1.1 200 OK": the digit after its space.
  int space = FindText(responseHeaders, " ");
  return space != -1 && TextMid(responseHeaders, space + 1, 1) == "2";
}

}  // namespace

void RefreshWeather(Widget& w) {
  static const Text kAccept =
      "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,image/avif,image/webp,"
      "image/apng,*/*;q=0.8,application/signed-exchange;v=b3;q=0.9";
  Text responseHeaders;
  ByteSet raw = web::HttpRequest(w.inet, SearchPageUrl(), 0, Text(), nullptr, nullptr, kAccept,
                                 &responseHeaders);
  if (raw.empty() || !Succeeded(responseHeaders)) return;

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
