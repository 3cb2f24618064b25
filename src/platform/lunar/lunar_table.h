// The generated table of lunar years (lunar_table.cpp, made by tools/lunar-gen).
#pragma once

#include <cstdint>

namespace dw::platform::lunar_table {

inline constexpr int kFirstYear = 1901;
inline constexpr int kYearCount = 148;  // 1901..2048

// One word per lunar year: bits 0-12 the lengths of its months in order (1 = 30 days,
// 0 = 29), the leap month counted in its place; bits 13-16 the number of the month that
// the leap month follows (0: no leap month); bits 17-22 the day of the solar year on which
// the lunar year begins (0 = 1 January).
extern const std::uint32_t kYears[kYearCount];

inline int MonthLengthsBits(std::uint32_t word) {
  return static_cast<int>(word & 0x1FFFu);
}
inline int LeapMonth(std::uint32_t word) {
  return static_cast<int>((word >> 13) & 0xFu);
}
inline int NewYearOffset(std::uint32_t word) {
  return static_cast<int>((word >> 17) & 0x3Fu);
}

}  // namespace dw::platform::lunar_table
