#pragma once

#include <cstdint>
#include <optional>

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

// When the user gave the input that is being handled now: the time stamp
// the window system put on the key press or mouse click, in milliseconds
// of its own clock. A command that keeps the program busy does not delay
// the stamps of the presses that queue up meanwhile. Tests give the times.
class EventClock {
 public:
  virtual ~EventClock() = default;
  // Nothing when no input event is being handled (the program itself
  // started the command) or the event carries no stamp.
  virtual std::optional<std::uint64_t> CurrentEventTime() const = 0;
};

// The report month and the years derived from the date at start.
struct ReportPeriod {
  int reportMonth = 0;      // previous calendar month, 0 = January (11 in January)
  int currentYear = 2000;   // calendar year, not adjusted in January
  int reportYearShort = 0;  // year of the report month - 2000, mod 256
};
ReportPeriod ReportPeriodFor(const LocalDate& date);

}  // namespace morvind
