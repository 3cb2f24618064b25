// The weather page's text work at page sizes: flattening (double quotes to apostrophes, then
// spaces removed), cutting a field near the end, and decoding the UTF-8 body. The same
// flatten-and-cut done by a plain std::string find/replace loop runs alongside as the yardstick.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/codepage.h"
#include "text/toolkit.h"

namespace {

using dw::Text;

// A UTF-8 page of about `bytes` bytes: markup with quoted attributes and spaces, Chinese
// words, script lines, and the weather field near the end.
std::string Utf8Page(std::size_t bytes) {
  const std::string block =
      "<div class=\"c-row c-gap-top\" style=\"width: 100%\" data-click=\"{'rsv': 1}\">"
      "<span class=\"c-color-text\">天气预报 今天 晴转多云 北风 3级 空气质量 良</span></div>\n"
      "<script>var s = \"a b c\"; if (x < 10) { f(s, \"d\"); }</script>\n";
  const std::string field =
      "<span class=\"op_weather4_twoicon_shishi_title\">23</span><div class=\"tail\"></div>\n";
  std::string page;
  page.reserve(bytes + block.size() + field.size());
  while (page.size() + field.size() + 4096 < bytes) page += block;
  page += field;
  while (page.size() < bytes) page += block;
  return page;
}

Text GbkPage(std::size_t bytes) {
  return dw::platform::Utf8ToGbk(std::string_view(Utf8Page(bytes)));
}

const Text kStart = "<spanclass='op_weather4_twoicon_shishi_title'>";
const Text kEnd = "</span>";

Text FlattenAndCut(const Text& page) {
  Text flat = dw::ReplaceText(page, "\"", "'", true);
  flat = dw::ReplaceText(flat, " ", "", true);
  return dw::TextBetween(flat, kStart, kEnd);
}

std::string PlainReplace(const std::string& s, const std::string& from, const std::string& to) {
  std::string out;
  out.reserve(s.size());
  std::size_t copied = 0;
  for (std::size_t p = s.find(from); p != std::string::npos; p = s.find(from, copied)) {
    out.append(s, copied, p - copied);
    out += to;
    copied = p + from.size();
  }
  out.append(s, copied);
  return out;
}

std::string PlainFlattenAndCut(const std::string& page) {
  std::string flat = PlainReplace(PlainReplace(page, "\"", "'"), " ", "");
  const std::size_t i = flat.find(kStart);
  if (i == std::string::npos) return {};
  const std::size_t s = i + kStart.size();
  const std::size_t j = flat.find(kEnd, s);
  return j == std::string::npos ? std::string() : flat.substr(s, j - s);
}

constexpr std::size_t kKiB = 1024;

void ToolkitFlattenAndCut(benchmark::State& state) {
  const Text page = GbkPage(static_cast<std::size_t>(state.range(0)) * kKiB);
  for (auto _ : state) {
    Text field = FlattenAndCut(page);
    if (field != "23") state.SkipWithError("field not found");
    benchmark::DoNotOptimize(field);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(page.size()));
  state.SetComplexityN(static_cast<int64_t>(page.size()));
}

void PlainFlattenAndCut(benchmark::State& state) {
  const std::string page = GbkPage(static_cast<std::size_t>(state.range(0)) * kKiB);
  for (auto _ : state) {
    std::string field = PlainFlattenAndCut(page);
    if (field != "23") state.SkipWithError("field not found");
    benchmark::DoNotOptimize(field);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(page.size()));
  state.SetComplexityN(static_cast<int64_t>(page.size()));
}

void DecodeUtf8Page(benchmark::State& state) {
  const std::string utf8 = Utf8Page(static_cast<std::size_t>(state.range(0)) * kKiB);
  const dw::ByteSet body(utf8.begin(), utf8.end());
  for (auto _ : state) benchmark::DoNotOptimize(dw::platform::Utf8ToGbk(body));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(body.size()));
}

// The whole page step of a weather refresh: decode, flatten, cut one field.
void DecodeFlattenCut(benchmark::State& state) {
  const std::string utf8 = Utf8Page(static_cast<std::size_t>(state.range(0)) * kKiB);
  const dw::ByteSet body(utf8.begin(), utf8.end());
  for (auto _ : state) {
    Text field = FlattenAndCut(dw::platform::Utf8ToGbk(body));
    benchmark::DoNotOptimize(field);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(body.size()));
}

// The hardest text for character stepping: only two-byte characters, searched for a pattern
// that occurs at every second byte but never at a character start. Must stay linear.
void SearchAcrossCharacters(benchmark::State& state) {
  Text page;
  for (std::size_t n = static_cast<std::size_t>(state.range(0)) * kKiB; page.size() < n;) {
    page += "\xB0\xA1";
  }
  for (auto _ : state) {
    const int position = dw::FindText(page, "\xA1\xB0");
    if (position != -1) state.SkipWithError("matched inside a character");
    benchmark::DoNotOptimize(position);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(page.size()));
  state.SetComplexityN(static_cast<int64_t>(page.size()));
}

}  // namespace

BENCHMARK(SearchAcrossCharacters)
    ->Arg(512)
    ->Arg(1024)
    ->Arg(2048)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(ToolkitFlattenAndCut)
    ->Arg(512)
    ->Arg(1024)
    ->Arg(2048)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(PlainFlattenAndCut)
    ->Arg(512)
    ->Arg(1024)
    ->Arg(2048)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(DecodeUtf8Page)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeFlattenCut)->Arg(2048)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
