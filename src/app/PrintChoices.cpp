#include "app/PrintChoices.h"

namespace morvind {

PrintChoices ChoosePrintOptions(const PrintWishes& wishes, int reportMonth) {
  PrintChoices choices;
  choices.form = wishes.form;
  const bool sheet = IsSheetForm(wishes.form);
  // The complete card is drawn on version 0's layout; the window switches to
  // it when the box is ticked. The sheet keeps the stored version as it is.
  choices.cardVersion = wishes.completeCard && !sheet ? 0 : wishes.cardVersion;
  choices.versionRule = PrintOptionRule(choices.form, choices.cardVersion);
  const CardVersionStates& allowed = choices.versionRule;

  choices.completeCard = wishes.completeCard && allowed.allowCompleteCard;
  choices.previousYearBox = wishes.previousYear && allowed.allowPreviousYear;
  // The month rule runs whenever 1027 or 1032 is clicked, so the field
  // follows the box.
  choices.previousServiceYear = choices.previousYearBox;
  // A disabled long-name box can't be ticked; without a header (which such
  // versions don't allow) the name isn't printed anyway.
  choices.useLongName = wishes.useLongName && allowed.allowLongName;

  choices.monthRule = MonthRule(choices.previousYearBox, reportMonth, choices.form);
  choices.monthsEnabled = choices.monthRule.monthEnabled;
  for (std::size_t i = 0; i < 12; ++i) {
    // The complete card ticks all twelve, also those the rule then disables.
    choices.months[i] = choices.completeCard || (wishes.months[i] && choices.monthsEnabled[i]);
  }
  choices.totals = wishes.totals && choices.monthRule.totalsEnabled;

  if (choices.completeCard) {
    choices.printHeader = true;
    choices.printHeaderEnabled = false;
  } else {
    choices.printHeader = wishes.printHeader && allowed.allowHeader;
    choices.printHeaderEnabled = allowed.allowHeader;
  }
  // Clicking the header box clears the male/female tick and enables it
  // exactly when the header is ticked.
  choices.genderTicksEnabled = choices.printHeader && allowed.allowGenderTicks;
  choices.genderTicks = wishes.genderTicks && choices.genderTicksEnabled;
  return choices;
}

void ApplyPrintChoices(const PrintChoices& choices, CardRequest& request) {
  request.form = choices.form;
  request.cardVersion = choices.cardVersion;
  request.completeCard = choices.completeCard;
  request.printHeader = choices.printHeader;
  request.genderTicks = choices.genderTicks;
  request.previousYearBox = choices.previousYearBox;
  request.previousServiceYear = choices.previousServiceYear;
  request.totals = choices.totals;
  request.useLongName = choices.useLongName;
  request.months = choices.months;
}

}  // namespace morvind
