#pragma once

#include <string>

#include "data/PublisherTable.h"
#include "resources/StringTable.h"

namespace morvind {

// Hours with their hour quarters, summed as the card's totals carry them:
// four quarters make an hour, and a remaining quarter count follows the
// whole hours as its sign.
class HoursTotal {
 public:
  void Add(int hours, int quarters);
  int Hours() const { return hours_; }
  int Quarters() const { return quarters_; }  // 0 .. 3 after the carry
  // "37½", "0¼" with only a quarter, "12" without quarters.
  std::string Text(const StringTable& strings) const;
  int InQuarters() const { return hours_ * 4 + quarters_; }

 private:
  int hours_ = 0;
  int quarters_ = 0;
};

// A month's hours as the card writes them: "12¾", a part hour alone ("½")
// without whole hours, empty when there are neither.
std::string MonthHoursText(int hours, int quarters, const StringTable& strings);
// The same hours counted in quarters: a quarter count without a sign (a
// damaged record's) counts as none, as the text shows none.
int MonthHoursInQuarters(int hours, int quarters);

// Hours counted in quarters as a number every PDF tool reads: whole hours
// as digits ("70"), quarter hours as a decimal with a point ("10.75",
// "0.5", "65.25").
std::string HoursAsNumber(int inQuarters);

// The sum of `column` over the last `count` months ending with the report
// month; hour quarters carry into whole hours and a remaining quarter count
// follows as its sign ("37½", "0¼"). The text goes to `out`; returns the sum.
int TotalToDate(const PublisherTable& table, int publisher, int column, int count, int reportMonth,
                int reportYearShort, const StringTable& strings, std::string& out);

// The same over September to August of the service year before the current one.
int PreviousYearTotal(const PublisherTable& table, int publisher, int column, int reportMonth,
                      int reportYearShort, const StringTable& strings, std::string& out);

}  // namespace morvind
