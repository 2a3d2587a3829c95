#include "app/PrintOptionRules.h"

#include <algorithm>

#include "data/ServiceYear.h"

namespace morvind {

MonthBoxStates MonthRule(bool previousYearChecked, int reportMonth, RecordForm form) {
  MonthBoxStates states;
  if (IsSheetForm(form)) return states;
  int elapsed = ElapsedMonths(reportMonth);
  for (int i = 0; i < 12; ++i) {
    states.monthEnabled[static_cast<std::size_t>(i)] = previousYearChecked || i < elapsed;
  }
  bool allEnabled = std::all_of(states.monthEnabled.begin(), states.monthEnabled.end(),
                                [](bool enabled) { return enabled; });
  // In August the year is complete even without the previous year; the
  // totals row is allowed only then or when every month can be chosen.
  states.uncheckTotals = reportMonth != 7 && !allEnabled;
  states.totalsEnabled = reportMonth == 7 || allEnabled;
  return states;
}

CardVersionStates CardVersionRule(int cardVersion) {
  CardVersionStates states;
  if (cardVersion != 0) {
    states.allowHeader = false;
    states.allowCompleteCard = false;
    states.allowPreviousYear = false;
    states.allowLongName = false;
  }
  return states;
}

CardVersionStates PrintOptionRule(RecordForm form, int cardVersion) {
  if (form == RecordForm::kCard1015) return CardVersionRule(cardVersion);
  CardVersionStates states;
  states.allowHeader = false;
  states.allowCompleteCard = false;
  states.allowGenderTicks = false;
  states.clearDisallowed = false;
  return states;
}

}  // namespace morvind
