#include "app/Clock.h"

#include <ctime>

namespace morvind {

LocalDate SystemClock::Today() const {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  if (now == static_cast<std::time_t>(-1) || !::localtime_r(&now, &local)) return LocalDate{};
  return LocalDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

ReportPeriod ReportPeriodFor(const LocalDate& date) {
  // Reports exist up to the previous calendar month; in January that is
  // December of the year before, so the short year goes back by one too.
  int month = ((date.month - 1) % 12 + 12) % 12;  // 0 = January
  bool january = month == 0;
  ReportPeriod period;
  period.reportMonth = january ? 11 : month - 1;
  period.currentYear = date.year;
  int shortYear = date.year - 2000 - (january ? 1 : 0);
  period.reportYearShort = (shortYear % 256 + 256) % 256;
  return period;
}

}  // namespace morvind
