// The accelerated scans against the plain character-by-character model, on many small texts
// built from bytes that stress character boundaries (lead bytes, letters, separators).
#include <gtest/gtest.h>

#include <random>

#include "text/reference_scan.h"
#include "text/toolkit.h"

namespace dw {
namespace {

Text RandomText(std::mt19937& rng, int maxLength) {
  static const char kAlphabet[] = {'a', 'A', 'b', ',', ' ', '\x81', '\xA1', '\xB0', '\x41'};
  std::uniform_int_distribution<int> length(0, maxLength);
  std::uniform_int_distribution<int> pick(0, sizeof(kAlphabet) - 1);
  Text t(static_cast<std::size_t>(length(rng)), ' ');
  for (char& c : t) c = kAlphabet[pick(rng)];
  return t;
}

std::optional<int> RandomOption(std::mt19937& rng, int length) {
  std::uniform_int_distribution<int> v(-2, length + 2);
  return v(rng) == -2 ? std::nullopt : std::optional<int>(v(rng));
}

TEST(TextScanModel, AgreesOnRandomTexts) {
  std::mt19937 rng(12345);
  for (int round = 0; round < 40000; ++round) {
    const Text text = RandomText(rng, 14);
    const Text search = RandomText(rng, 3);
    const Text replacement = RandomText(rng, 2);
    const auto start = RandomOption(rng, TextLength(text));
    const auto count = RandomOption(rng, 3);
    const bool flag = (round & 1) != 0;
    SCOPED_TRACE(testing::PrintToString(text) + " / " + testing::PrintToString(search));
    ASSERT_EQ(FindText(text, search, start, flag), reference::Find(text, search, start, flag));
    ASSERT_EQ(FindTextReverse(text, search, start, flag),
              reference::FindReverse(text, search, start, flag));
    ASSERT_EQ(ReplaceText(text, search, replacement, start, count, flag),
              reference::Replace(text, search, replacement, start, count, flag));
    ASSERT_EQ(SplitText(text, search, count), reference::Split(text, search, count));
  }
}

}  // namespace
}  // namespace dw
