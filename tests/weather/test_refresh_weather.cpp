// The weather refresh end to end over the real libcurl layer against a local HTTPS server:
// the two requests it makes, what it shows, and what it leaves alone.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "platform/codepage.h"
#include "platform/inet/curl_inet.h"
#include "support/fake_desktop.h"
#include "support/test_server.h"
#include "ui/main_layout.h"
#include "weather/refresh_weather.h"

namespace dw {
namespace {

namespace prop = ui::prop;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string FixturePath(const char* name) {
  return std::string(DESKWATCH_FIXTURES) + "/weather/" + name;
}

// A server whose "/s" is the named fixture page with its icon pointing back at the server.
struct WeatherServer {
  explicit WeatherServer(const char* page) {
    pageFile = std::string(::testing::TempDir()) + "/page-" + page;
    test::TestServerOptions options;
    options.root = std::string(DESKWATCH_FIXTURES) + "/weather";
    options.page = pageFile;
    Write("");
    server = std::make_unique<test::TestServer>(options);
    std::string html = ReadFile(FixturePath(page));
    std::string marker = "@ICON_URL@";
    if (auto at = html.find(marker); at != std::string::npos)
      html.replace(at, marker.size(), server->Url("/sun.png"));
    Write(html);
  }
  void Write(const std::string& text) { std::ofstream(pageFile, std::ios::binary) << text; }

  std::string pageFile;
  std::unique_ptr<test::TestServer> server;
};

struct Widgetry {
  ui::ControlModel controls{ui::MainLayout()};
  testing::FakeDesktop desktop;
  std::unique_ptr<platform::Inet> inet = platform::MakeCurlInet();
  GlobalState state{2, 255};
  Widget widget{controls, desktop, *inet, state};

  std::string Caption(const char* name) const {
    return platform::GbkToUtf8(controls.ReadText(name, prop::kLabelCaption));
  }
  ByteSet Icon() const {
    auto v = controls.ReadProperty(ui::name::kWeatherIcon, prop::kPicPicture);
    return std::get<ByteSet>(v);
  }
};

class RefreshWeatherTest : public ::testing::Test {
 protected:
  void Use(WeatherServer& s) {
    ASSERT_TRUE(s.server->ok()) << s.server->error();
    host_ = std::make_unique<test::ScopedEnv>(
        "DESKWATCH_SEARCH_HOST", ("127.0.0.1:" + std::to_string(s.server->port())).c_str());
    ca_ = std::make_unique<test::ScopedEnv>("DESKWATCH_CA_FILE", s.server->CaFile().c_str());
    state_ = std::make_unique<test::ScopedEnv>("XDG_STATE_HOME", s.server->Dir().c_str());
  }
  std::unique_ptr<test::ScopedEnv> host_, ca_, state_;
};

TEST_F(RefreshWeatherTest, ShowsThePageAndMakesExactlyTheTwoRequests) {
  WeatherServer s("normal.html");
  Use(s);
  Widgetry w;
  RefreshWeather(w.widget);

  EXPECT_EQ(w.Caption(ui::name::kWeatherTemp), "7℃");
  EXPECT_EQ(w.Caption(ui::name::kWeatherNow), "晴多云");
  EXPECT_EQ(w.Caption(ui::name::kWeatherRange), "3°△\r\n-5°▽");
  std::string png = ReadFile(FixturePath("sun.png"));
  EXPECT_EQ(w.Icon(), ByteSet(png.begin(), png.end()));

  std::string host = "127.0.0.1:" + std::to_string(s.server->port());
  std::string page = "https://" + host + "/s?wd=%E5%A4%A9%E6%B0%94&ie=UTF-8";
  std::vector<std::string> requests = s.server->Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0],
            "GET /s?wd=%E5%A4%A9%E6%B0%94&ie=UTF-8 HTTP/1.1\r\n"
            "Host: " +
                host +
                "\r\n"
                "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)\r\n"
                "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,image/avif,"
                "image/webp,image/apng,*/*;q=0.8,application/signed-exchange;v=b3;q=0.9\r\n"
                "Referer: " +
                page +
                "\r\n"
                "Accept-Language: zh-cn\r\n");
  EXPECT_NE(requests[1].find("GET /sun.png HTTP/1.1\r\n"), std::string::npos) << requests[1];
  EXPECT_NE(requests[1].find("\r\nAccept: */*\r\nReferer: " + s.server->Url("/sun.png") +
                             "\r\nAccept-Language: zh-cn\r\n"),
            std::string::npos)
      << requests[1];
}

TEST_F(RefreshWeatherTest, VerificationPageChangesNothingAndFetchesNoIcon) {
  WeatherServer s("verification.html");
  Use(s);
  Widgetry w;
  RefreshWeather(w.widget);
  EXPECT_EQ(w.Caption(ui::name::kWeatherTemp), "NN℃");
  EXPECT_EQ(w.Caption(ui::name::kWeatherNow), "NNNN");
  EXPECT_EQ(w.Caption(ui::name::kWeatherRange), "N°△\r\nN°△");
  EXPECT_TRUE(w.Icon().empty());
  EXPECT_EQ(s.server->Requests().size(), 1u);
}

TEST_F(RefreshWeatherTest, AFailedPageKeepsTheLastGoodWeather) {
  WeatherServer s("normal.html");
  Use(s);
  Widgetry w;
  RefreshWeather(w.widget);
  ASSERT_EQ(w.Caption(ui::name::kWeatherTemp), "7℃");

  for (const char* mode : {"down", "404", "reset"}) {
    s.server->SetMode(mode);
    RefreshWeather(w.widget);
    EXPECT_EQ(w.Caption(ui::name::kWeatherTemp), "7℃") << mode;
    EXPECT_EQ(w.Caption(ui::name::kWeatherRange), "3°△\r\n-5°▽") << mode;
    EXPECT_FALSE(w.Icon().empty()) << mode;
  }
}

TEST_F(RefreshWeatherTest, APageWithoutIconOrRangeClearsThemAfterTheOtherLabels) {
  WeatherServer s("normal.html");
  Use(s);
  s.Write(
      "<span class=\"op_weather4_twoicon_shishi_title\">12℃</span>"
      "<i class=\"op_weather4_twoicon_shishi_sub\">小雨 (实时)</i>");
  Widgetry w;
  RefreshWeather(w.widget);
  EXPECT_EQ(w.Caption(ui::name::kWeatherTemp), "12℃");
  EXPECT_EQ(w.Caption(ui::name::kWeatherNow), "小雨");
  EXPECT_EQ(w.Caption(ui::name::kWeatherRange), "");
  EXPECT_TRUE(w.Icon().empty());
  // The empty icon URL reaches no server.
  EXPECT_EQ(s.server->Requests().size(), 1u);
}

}  // namespace
}  // namespace dw
