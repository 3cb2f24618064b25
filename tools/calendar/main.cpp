// deskwatch-calendar FROM [TO]: the lunar month name, day name and weekday of every date in
// a range, one tab-separated UTF-8 line per date. It is how the lunar table is checked.
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/lunar.h"

namespace {

using dw::platform::CivilDate;

// YYYY-MM-DD exactly, a date that exists.
bool ParseDate(std::string_view text, CivilDate& date) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  auto number = [&](std::size_t at, std::size_t len, int& out) {
    out = 0;
    for (std::size_t i = at; i < at + len; ++i) {
      if (text[i] < '0' || text[i] > '9') return false;
      out = out * 10 + (text[i] - '0');
    }
    return true;
  };
  return number(0, 4, date.year) && number(5, 2, date.month) && number(8, 2, date.day) &&
         dw::platform::IsValidDate(date);
}

CivilDate NextDay(CivilDate d) {
  ++d.day;
  if (!dw::platform::IsValidDate(d)) {
    d.day = 1;
    if (++d.month > 12) {
      d.month = 1;
      ++d.year;
    }
  }
  return d;
}

bool Before(const CivilDate& a, const CivilDate& b) {
  if (a.year != b.year) return a.year < b.year;
  if (a.month != b.month) return a.month < b.month;
  return a.day < b.day;
}

int Usage(const char* message, const char* arg) {
  if (arg)
    std::fprintf(stderr, "deskwatch-calendar: %s: %s\n", message, arg);
  else
    std::fprintf(stderr, "deskwatch-calendar: %s\n", message);
  std::fprintf(stderr, "usage: deskwatch-calendar FROM [TO]   (dates as YYYY-MM-DD)\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) return Usage("expected one or two dates", nullptr);
  CivilDate from, to;
  if (!ParseDate(argv[1], from)) return Usage("not a date", argv[1]);
  to = from;
  if (argc == 3 && !ParseDate(argv[2], to)) return Usage("not a date", argv[2]);
  if (Before(to, from)) return Usage("the end date lies before the start date", argv[2]);

  std::string out;
  for (CivilDate d = from;; d = NextDay(d)) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", d.year, d.month, d.day);
    out += date;
    out += '\t';
    if (auto lunar = dw::platform::SolarToLunar(d)) {
      out += dw::platform::LunarMonthName(*lunar);
      out += '\t';
      out += dw::platform::LunarDayName(lunar->day);
    } else {
      out += '\t';
    }
    out += '\t';
    out += std::to_string(dw::platform::WeekdayOf(d));
    out += '\n';
    if (out.size() > 1 << 16) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
    if (d == to) break;
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
