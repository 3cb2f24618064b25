// Caption layout rules and tip placement.
#include "ui/interaction/text_rules.h"

#include <gtest/gtest.h>

#include "ui/main_layout.h"

namespace dw::ui {
namespace {

TEST(TextRules, LineBreaksOfACaption) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"N°△\r\nN°△", "N°△\nN°△"},
      {"a\r\n\r\nb\r\n", "a\n\nb\n"},
      {"a\rb\nc", "a\nb\nc"},
      {"\r", "\n"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(DisplayLineBreaks(c.in), c.out) << c.in;
}

TEST(TextRules, WhereTheTextBlockGoes) {
  const auto layout = MainLayout();
  const ControlRecord* time = nullptr;
  const ControlRecord* date = nullptr;
  for (const ControlRecord& r : layout) {
    if (std::string_view(r.name) == name::kTime) time = &r;
    if (std::string_view(r.name) == name::kDate) date = &r;
  }
  ASSERT_TRUE(time && date);
  // Single line: centred both ways, a block wider than the box overhangs on both sides.
  TextPlan single = LabelTextPlan(*time);
  EXPECT_FALSE(single.wrap);
  EXPECT_EQ(PlaceTextBlock(single, 112, 48, 100, 40).x, 6);
  EXPECT_EQ(PlaceTextBlock(single, 112, 48, 100, 40).y, 4);
  EXPECT_EQ(PlaceTextBlock(single, 112, 48, 130, 40).x, -9);
  // Wrapped label: lines aligned within the box width, from the top.
  TextPlan wrapped = LabelTextPlan(*date);
  EXPECT_TRUE(wrapped.wrap);
  EXPECT_EQ(wrapped.align, HAlign::Left);
  BlockOrigin o = PlaceTextBlock(wrapped, 72, 48, 60, 30);
  EXPECT_EQ(o.x, 0);
  EXPECT_EQ(o.y, 0);
  // Button: wrapped, the block centred vertically.
  EXPECT_EQ(PlaceTextBlock(ButtonTextPlan(), 56, 24, 40, 14).y, 5);
}

TEST(TextRules, TipGoesBelowRightAndNeverCoversThePointer) {
  TipPlace normal = PlaceTip(500, 400, 150, 20, 1280, 1024);
  EXPECT_GT(normal.x, 500);
  EXPECT_GT(normal.y, 400);
  // Bottom edge: above the pointer; right edge: moved left.
  TipPlace bottom = PlaceTip(500, 1015, 150, 20, 1280, 1024);
  EXPECT_LT(bottom.y + 20, 1015);
  TipPlace right = PlaceTip(1270, 400, 150, 20, 1280, 1024);
  EXPECT_EQ(right.x + 150, 1280);
  for (int px = 0; px < 1280; px += 37)
    for (int py = 0; py < 1024; py += 31) {
      TipPlace p = PlaceTip(px, py, 300, 40, 1280, 1024);
      bool covers = px >= p.x && px < p.x + 300 && py >= p.y && py < p.y + 40;
      ASSERT_FALSE(covers) << px << "," << py;
      ASSERT_GE(p.x, 0);
      ASSERT_LE(p.y + 40, 1024);
    }
}

}  // namespace
}  // namespace dw::ui
