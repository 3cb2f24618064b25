// The control model: every control of the main window addressed by its layout name and a
// property number. Handlers write and read properties here; the window backend observes the
// model and repaints what changed. Handlers never draw; the backend never decides.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "text/values.h"
#include "ui/layout.h"
#include "ui/properties.h"

namespace dw::ui {

using PropertyValue = std::variant<std::int64_t, Text, ByteSet>;

class ControlObserver {
 public:
  virtual ~ControlObserver() = default;
  // A property took a new value (not called when a write changes nothing).
  virtual void OnPropertyChanged(int control, int number) = 0;
};

// The solar date the lunar calendar control shows; all zero before it is first set.
struct CalendarDate {
  int year = 0, month = 0, day = 0;
  friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// What the lunar calendar control holds for its current date.
struct CalendarTexts {
  Text monthName;     // GBK, e.g. 冬月, 闰四月; empty outside the covered range
  Text dayName;       // GBK, e.g. 初五
  int weekday = 0;    // 1 Monday .. 7 Sunday
  CalendarDate date;  // the solar date these texts describe
};

class ControlModel {
 public:
  explicit ControlModel(std::span<const ControlRecord> layout);

  int Count() const { return static_cast<int>(controls_.size()); }
  // Index of the control with that layout name, -1 when there is none.
  int IndexOf(std::string_view name) const;
  const ControlRecord& Record(int index) const { return *controls_[index].record; }

  void WriteProperty(std::string_view control, int number, const PropertyValue& value);
  PropertyValue ReadProperty(std::string_view control, int number) const;
  void WriteProperty(int index, int number, const PropertyValue& value);
  PropertyValue ReadProperty(int index, int number) const;
  // Typed reads; a property of another type reads as empty / 0.
  Text ReadText(std::string_view control, int number) const;
  std::int64_t ReadInt(std::string_view control, int number) const;

  // Current state, for the backend.
  const Text& Caption(int index) const { return controls_[index].caption; }
  const Text& Tip(int index) const { return controls_[index].tip; }
  Colour TextColour(int index) const { return controls_[index].textColour; }
  Colour Background(int index) const { return controls_[index].background; }
  const ByteSet& Picture(int index) const { return controls_[index].picture; }
  int Period(int index) const { return controls_[index].periodMs; }
  // Counts picture writes, so a backend can tell a new picture from the same bytes again.
  std::uint64_t PictureGeneration(int index) const { return controls_[index].pictureGeneration; }

  // The lunar calendar control's date texts (its date is set by the platform side).
  void SetCalendar(std::string_view control, const CalendarTexts& texts);
  // What the calendar control at that index holds (empty for controls of other classes).
  const CalendarTexts& Calendar(int index) const { return controls_[index].calendar; }

  void SetObserver(ControlObserver* observer) { observer_ = observer; }

 private:
  struct Control {
    const ControlRecord* record;
    Text caption;
    Text tip;
    Colour textColour;
    Colour background;
    ByteSet picture;
    std::uint64_t pictureGeneration = 0;
    int periodMs = 0;
    CalendarTexts calendar;
  };
  void Changed(int index, int number);

  std::vector<Control> controls_;
  ControlObserver* observer_ = nullptr;
};

}  // namespace dw::ui
