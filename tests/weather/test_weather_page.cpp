// Reading the weather fields out of search pages: markers, flattening, the verification
// page, and the high/low caption.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/codepage.h"
#include "text/toolkit.h"
#include "weather/weather_page.h"

namespace dw {
namespace {

ByteSet Bytes(const std::string& s) {
  return ByteSet(s.begin(), s.end());
}

std::string Fixture(const char* name) {
  std::string path = std::string(DESKWATCH_FIXTURES) + "/weather/" + name;
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Page(const std::string& title, const std::string& sub, const std::string& range,
                 const std::string& icon) {
  return "<html><body>\n<div class=\"op_weather4_twoicon_icon\" "
         "style=\"background-image:url(" +
         icon + ");\"></div>\n<p class=\"op_weather4_twoicon_temp\">" + range +
         "℃</p>\n<span class=\"op_weather4_twoicon_shishi_title\">" + title +
         "</span>\n<i class=\"op_weather4_twoicon_shishi_sub\">" + sub +
         "(实时)</i>\n</body></html>";
}

TEST(WeatherPage, ReadsTheFourFieldsOfARealisticPage) {
  std::string page = Fixture("normal.html");
  ASSERT_FALSE(page.empty());
  auto f = ReadWeatherPage(Bytes(page));
  ASSERT_TRUE(f.has_value());
  EXPECT_EQ(f->title, Gbk("7℃"));
  EXPECT_EQ(f->subtitle, Gbk("晴多云"));  // spaces are gone from the whole page
  ASSERT_EQ(ElementCount(f->temperatureParts), 2);
  EXPECT_EQ(ElementAt(f->temperatureParts, 1), "3");
  EXPECT_EQ(ElementAt(f->temperatureParts, 2), "-5");
  // Double-quoted attributes and the space after "div" still give the URL.
  EXPECT_EQ(f->iconUrl, "@ICON_URL@");
}

TEST(WeatherPage, VerificationPageChangesNothingEvenWithAllFields) {
  std::string page = Page("7", "晴", "3~-5", "https://a/i.png") + "<title>百度安全验证</title>";
  EXPECT_FALSE(ReadWeatherPage(Bytes(page)).has_value());
}

TEST(WeatherPage, FieldsAreCutBetweenFirstMarkers) {
  struct Case {
    const char* what;
    std::string page;
    const char* title;
    const char* sub;
    int parts;
  } cases[] = {
      {"start marker twice: the first counts",
       Page("1", "a", "3~4", "u") + "<span class='op_weather4_twoicon_shishi_title'>2</span>", "1",
       "a", 2},
      {"end marker right after start marker", Page("", "", "", ""), "", "", 0},
      {"missing markers give empty fields", "<html>nothing here</html>", "", "", 0},
      {"end marker only before the start marker",
       "</span><span class='op_weather4_twoicon_shishi_title'>7", "", "", 0},
      {"no tilde: one part", Page("7", "x", "5", "u"), "7", "x", 1},
      {"three parts", Page("7", "x", "1~2~3", "u"), "7", "x", 3},
  };
  for (const Case& c : cases) {
    auto f = ReadWeatherPage(Bytes(c.page));
    ASSERT_TRUE(f.has_value()) << c.what;
    EXPECT_EQ(f->title, Gbk(c.title)) << c.what;
    EXPECT_EQ(f->subtitle, Gbk(c.sub)) << c.what;
    EXPECT_EQ(ElementCount(f->temperatureParts), c.parts) << c.what;
  }
}

TEST(WeatherPage, FlatteningTurnsQuotesAndDropsOnlyHalfWidthSpaces) {
  std::string page = "a \"b\"\t c\u3000d\r\n";
  EXPECT_EQ(FlattenPage(Bytes(page)), Gbk("a'b'\tc\u3000d\r\n"));
}

TEST(WeatherPage, CharactersOutsideGbkShowAsQuestionMarks) {
  auto f = ReadWeatherPage(Bytes(Page("7", "晴😀", "1~2", "u")));
  ASSERT_TRUE(f.has_value());
  // A character beyond the BMP is two UTF-16 units on the way, so two "?".
  EXPECT_EQ(f->subtitle, Gbk("晴??"));
}

TEST(WeatherPage, RangeCaptionByNumberOfParts) {
  EXPECT_EQ(RangeCaption({"3", "-5"}), Gbk("3°△\r\n-5°▽"));
  EXPECT_EQ(RangeCaption({"3", "-5", "9"}), Gbk("3°△\r\n-5°▽"));
  EXPECT_EQ(RangeCaption({"3"}), Gbk("3°△"));
  EXPECT_EQ(RangeCaption({}), "");
}

}  // namespace
}  // namespace dw
