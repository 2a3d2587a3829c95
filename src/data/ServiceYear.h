#pragma once

namespace morvind {

// Calendar arithmetic of the September–August service year. Months are
// 0 = January .. 11 = December; rows of the card are 0 = September .. 11 =
// August.

// Months of the current service year up to and including `reportMonth`:
// September gives 1, December 4, January 5, August 12.
constexpr int ElapsedMonths(int reportMonth) {
  return reportMonth > 7 ? reportMonth - 7 : reportMonth + 5;
}

// Calendar month of card row r.
constexpr int RowMonth(int row) {
  return (8 + row) % 12;
}

// The calendar year in which the current service year ends: the year after
// `currentYear` when the report month is September to November.
constexpr int CurrentServiceYearEnd(int reportMonth, int currentYear) {
  return (reportMonth >= 8 && reportMonth <= 10) ? currentYear + 1 : currentYear;
}

// Year slot (calendar-year parity) of card row r in the shown service year.
constexpr int RowSlot(int row, int reportMonth, int currentYear, bool previousServiceYear) {
  int slot = CurrentServiceYearEnd(reportMonth, currentYear) % 2;
  if (previousServiceYear) slot = 1 - slot;
  if (row < 4) slot = 1 - slot;  // September..December lie in the year before
  return slot;
}

}  // namespace morvind
