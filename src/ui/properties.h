// Property numbers of the control model. 0..7 are common to every class.
#pragma once

namespace dw::ui::prop {

inline constexpr int kLeft = 0, kTop = 1, kWidth = 2, kHeight = 3, kVisible = 5;

inline constexpr int kLabelCaption = 8;
inline constexpr int kLabelTextColour = 16;
inline constexpr int kLabelBackground = 17;

inline constexpr int kPicBackground = 9;
inline constexpr int kPicPicture = 10;

inline constexpr int kTimerPeriod = 8;

inline constexpr int kButtonCaption = 22;
inline constexpr int kButtonTip = 33;

inline constexpr int kCalendarMonthName = 15;
inline constexpr int kCalendarDayName = 16;
inline constexpr int kCalendarWeekday = 19;

}  // namespace dw::ui::prop
