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
  int quarters = 0;
  for (int i = 0; i < count; ++i) {
    if (month == 11 && i > 0) slot = 1 - slot;
    sum += table.ReportFigure(publisher, month, column, slot);
    if (column == kHours) {
      quarters += table.HourQuarters(publisher, month, slot);
      // Four quarters make an hour. A sound record holds at most 3 quarters
      // a month, so one carry suffices; the loop also keeps a damaged word
      // from leaving a count that has no sign.
      while (quarters > 3) {
        sum += 1;
        quarters -= 4;
      }
    }
    month = month == 0 ? 11 : month - 1;
  }
  out = std::to_string(sum);
  if (column == kHours && quarters != 0) out += QuarterText(quarters, false, strings);
  return sum;
}

}  // namespace

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
