#pragma once

#include <array>

#include "printing/RecordForm.h"

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
// keeps its check. The sheet S-21 11/23 prints the rows its table says, so
// with it no month box and no totals box can be chosen (their checks stay).
MonthBoxStates MonthRule(bool previousYearChecked, int reportMonth,
                         RecordForm form = RecordForm::kCard1015);

// What a card version allows: card versions other than 0 allow neither the
// card header, the complete card, the previous service year nor the long name.
struct CardVersionStates {
  bool allowHeader = true;        // 1030
  bool allowCompleteCard = true;  // 1032
  bool allowPreviousYear = true;  // 1027
  bool allowLongName = true;      // 1010
  bool allowGenderTicks = true;   // 1031, and then only with the header
  // A card version clears the boxes it does not allow; the sheet only
  // disables them, so that a return to the card finds them as they were.
  bool clearDisallowed = true;
};
CardVersionStates CardVersionRule(int cardVersion);

// The rule of the print options for a form: the card version's for the
// card S-21 10/15. The sheet S-21 11/23 prints what its table says whatever
// card version is stored: no header box, no male/female tick and no
// complete card, but the previous service year and the long name.
CardVersionStates PrintOptionRule(RecordForm form, int cardVersion);

}  // namespace morvind
