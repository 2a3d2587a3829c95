#pragma once

namespace morvind {

struct LocalDate {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;
};

// The local date, for the report month. Tests give a fixed date.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDate Today() const = 0;
};

class SystemClock : public Clock {
 public:
  LocalDate Today() const override;
};

class FixedClock : public Clock {
 public:
  explicit FixedClock(LocalDate date) : date_(date) {}
  LocalDate Today() const override { return date_; }

 private:
  LocalDate date_;
};

// The report month and the years derived from the date at start.
struct ReportPeriod {
  int reportMonth = 0;      // previous calendar month, 0 = January (11 in January)
  int currentYear = 2000;   // calendar year, not adjusted in January
  int reportYearShort = 0;  // year of the report month - 2000, mod 256
};
ReportPeriod ReportPeriodFor(const LocalDate& date);

}  // namespace morvind
