#pragma once

#include <array>

namespace morvind {

// The states of the thirteen small boxes after the month rule.
struct MonthBoxStates {
  std::array<bool, 12> monthEnabled{};  // September .. August
  bool totalsEnabled = false;
  bool uncheckTotals = false;  // the totals box must be cleared
};

// The month rule: with the previous service year every month can be chosen;
// in the current one only the months up to the report month. The totals row
// only when the whole year can be chosen (or the report month is August).
// Check states are not part of the rule: a checked box that gets disabled
// keeps its check.
MonthBoxStates MonthRule(bool previousYearChecked, int reportMonth);

// What a card version allows: card versions other than 0 allow neither the
// card header, the complete card, the previous service year nor the long name.
struct CardVersionStates {
  bool allowHeader = true;        // 1030
  bool allowCompleteCard = true;  // 1032
  bool allowPreviousYear = true;  // 1027
  bool allowLongName = true;      // 1010
};
CardVersionStates CardVersionRule(int cardVersion);

}  // namespace morvind
