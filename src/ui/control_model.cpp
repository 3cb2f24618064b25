#include "ui/control_model.h"

#include "platform/codepage.h"

namespace dw::ui {

ControlModel::ControlModel(std::span<const ControlRecord> layout) {
  controls_.reserve(layout.size());
  for (const ControlRecord& r : layout) {
    Control c{&r, Gbk(r.caption), Gbk(r.tip), r.textColour, r.background, {}, 0, 0, {}};
    controls_.push_back(std::move(c));
  }
}

int ControlModel::IndexOf(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (name == controls_[i].record->name) return i;
  return -1;
}

void ControlModel::Changed(int index, int number) {
  if (observer_) observer_->OnPropertyChanged(index, number);
}

namespace {
Text AsText(const PropertyValue& v) {
  if (auto* t = std::get_if<Text>(&v)) return *t;
  if (auto* b = std::get_if<ByteSet>(&v)) return Text(b->begin(), b->end());
  return Text();
}
ByteSet AsBytes(const PropertyValue& v) {
  if (auto* b = std::get_if<ByteSet>(&v)) return *b;
  if (auto* t = std::get_if<Text>(&v)) return ByteSet(t->begin(), t->end());
  return ByteSet();
}
std::int64_t AsInt(const PropertyValue& v) {
  if (auto* i = std::get_if<std::int64_t>(&v)) return *i;
  return 0;
}
}  // namespace

void ControlModel::WriteProperty(std::string_view control, int number,
                                 const PropertyValue& value) {
  int index = IndexOf(control);
  if (index >= 0) WriteProperty(index, number, value);
}

void ControlModel::WriteProperty(int index, int number, const PropertyValue& value) {
  if (index < 0 || index >= Count()) return;
  Control& c = controls_[index];
  switch (c.record->cls) {
    case ControlClass::Label:
      if (number == prop::kLabelCaption) {
        c.caption = AsText(value);
      } else if (number == prop::kLabelTextColour) {
        c.textColour = static_cast<Colour>(AsInt(value));
      } else if (number == prop::kLabelBackground) {
        c.background = static_cast<Colour>(AsInt(value));
      } else {
        return;
      }
      break;
    case ControlClass::PicBox:
      if (number == prop::kPicBackground) {
        c.background = static_cast<Colour>(AsInt(value));
      } else if (number == prop::kPicPicture) {
        c.picture = AsBytes(value);
        ++c.pictureGeneration;
      } else {
        return;
      }
      break;
    case ControlClass::Timer: {
      if (number != prop::kTimerPeriod) return;
      std::int64_t period = AsInt(value);
      if (period < 0) period = 0;
      if (period > INT32_MAX) period = INT32_MAX;
      if (period == c.periodMs) return;  // the same period changes nothing
      c.periodMs = static_cast<int>(period);
      break;
    }
    case ControlClass::SuperBtn:
      if (number == prop::kButtonCaption) {
        c.caption = AsText(value);
      } else if (number == prop::kButtonTip) {
        c.tip = AsText(value);
      } else {
        return;
      }
      break;
    case ControlClass::CnMonthCalendar:
      return;  // its properties are read only
  }
  Changed(index, number);
}

PropertyValue ControlModel::ReadProperty(std::string_view control, int number) const {
  return ReadProperty(IndexOf(control), number);
}

PropertyValue ControlModel::ReadProperty(int index, int number) const {
  if (index < 0 || index >= Count()) return std::int64_t{0};
  const Control& c = controls_[index];
  const ControlRecord& r = *c.record;
  switch (number) {
    case prop::kLeft: return std::int64_t{r.left};
    case prop::kTop: return std::int64_t{r.top};
    case prop::kWidth: return std::int64_t{r.width};
    case prop::kHeight: return std::int64_t{r.height};
    case prop::kVisible: return std::int64_t{r.visible ? 1 : 0};
    default: break;
  }
  switch (r.cls) {
    case ControlClass::Label:
      if (number == prop::kLabelCaption) return c.caption;
      if (number == prop::kLabelTextColour) return std::int64_t{c.textColour};
      if (number == prop::kLabelBackground) return std::int64_t{c.background};
      break;
    case ControlClass::PicBox:
      if (number == prop::kPicBackground) return std::int64_t{c.background};
      if (number == prop::kPicPicture) return c.picture;
      break;
    case ControlClass::Timer:
      if (number == prop::kTimerPeriod) return std::int64_t{c.periodMs};
      break;
    case ControlClass::SuperBtn:
      if (number == prop::kButtonCaption) return c.caption;
      if (number == prop::kButtonTip) return c.tip;
      break;
    case ControlClass::CnMonthCalendar:
      if (number == prop::kCalendarMonthName) return c.calendar.monthName;
      if (number == prop::kCalendarDayName) return c.calendar.dayName;
      if (number == prop::kCalendarWeekday) return std::int64_t{c.calendar.weekday};
      break;
  }
  return std::int64_t{0};
}

Text ControlModel::ReadText(std::string_view control, int number) const {
  return AsText(ReadProperty(control, number));
}

std::int64_t ControlModel::ReadInt(std::string_view control, int number) const {
  return AsInt(ReadProperty(control, number));
}

void ControlModel::SetCalendar(std::string_view control, const CalendarTexts& texts) {
  int index = IndexOf(control);
  if (index < 0 || controls_[index].record->cls != ControlClass::CnMonthCalendar) return;
  controls_[index].calendar = texts;
}

}  // namespace dw::ui
