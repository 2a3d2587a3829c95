#include "printing/ReportTotals.h"

#include "data/TextServices.h"

namespace morvind {
namespace {

int Parity(int year) {
  return ((year % 2) + 2) % 2;
}

// Sums `count` months backwards from `month` in year slot `slot`. Stepping
// back from January into December crosses into the other calendar year, so
// the slot flips there (not on the first month, which is already in place).
int SumBackwards(const PublisherTable& table, int publisher, int column, int count, int month,
                 int slot, const StringTable& strings, std::string& out) {
  int sum = 0;
  HoursTotal hours;
  for (int i = 0; i < count; ++i) {
    if (month == 11 && i > 0) slot = 1 - slot;
    if (column == kHours) {
      hours.Add(table.ReportFigure(publisher, month, column, slot),
                table.HourQuarters(publisher, month, slot));
    } else {
      sum += table.ReportFigure(publisher, month, column, slot);
    }
    month = month == 0 ? 11 : month - 1;
  }
  if (column == kHours) {
    out = hours.Text(strings);
    return hours.Hours();
  }
  out = std::to_string(sum);
  return sum;
}

}  // namespace

void HoursTotal::Add(int hours, int quarters) {
  hours_ += hours;
  quarters_ += quarters;
  // Four quarters make an hour. A sound record holds at most 3 quarters a
  // month, so one carry suffices; the loop also keeps a damaged word from
  // leaving a count that has no sign.
  while (quarters_ > 3) {
    hours_ += 1;
    quarters_ -= 4;
  }
}

std::string HoursTotal::Text(const StringTable& strings) const {
  std::string text = std::to_string(hours_);
  if (quarters_ != 0) text += QuarterText(quarters_, false, strings);
  return text;
}

int MonthHoursInQuarters(int hours, int quarters) {
  return hours * 4 + (quarters >= 1 && quarters <= 3 ? quarters : 0);
}

std::string HoursAsNumber(int inQuarters) {
  static constexpr const char* kFractions[] = {"", ".25", ".5", ".75"};
  const int sign = inQuarters < 0 ? -1 : 1;
  const int magnitude = inQuarters * sign;
  return (sign < 0 ? "-" : "") + std::to_string(magnitude / 4) + kFractions[magnitude % 4];
}

std::string MonthHoursText(int hours, int quarters, const StringTable& strings) {
  if (quarters == 0) return hours != 0 ? std::to_string(hours) : std::string();
  if (hours == 0) return QuarterText(quarters, true, strings);
  return std::to_string(hours) + QuarterText(quarters, false, strings);
}

int TotalToDate(const PublisherTable& table, int publisher, int column, int count, int reportMonth,
                int reportYearShort, const StringTable& strings, std::string& out) {
  return SumBackwards(table, publisher, column, count, reportMonth, Parity(reportYearShort),
                      strings, out);
}

int PreviousYearTotal(const PublisherTable& table, int publisher, int column, int reportMonth,
                      int reportYearShort, const StringTable& strings, std::string& out) {
  // The previous service year ended in August of the year before the report
  // month's year when the report month is January to August; from
  // September on it ended in August of the report month's own year.
  const int slot = reportMonth < 8 ? Parity(reportYearShort + 1) : Parity(reportYearShort);
  return SumBackwards(table, publisher, column, 12, 7, slot, strings, out);
}

}  // namespace morvind
