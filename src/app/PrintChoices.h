#pragma once

#include <array>

#include "app/PrintOptionRules.h"
#include "printing/CardRequest.h"

namespace morvind {

// What a print asks for before the rules of the print options have their
// say: the boxes a user would like ticked.
struct PrintWishes {
  RecordForm form = RecordForm::kCard1015;
  int cardVersion = 0;  // a valid card version (the stored one, or one chosen)
  bool completeCard = false;
  bool printHeader = true;
  bool genderTicks = false;
  bool previousYear = false;
  bool totals = false;
  bool useLongName = true;
  std::array<bool, 12> months{};  // September .. August
};

// The check and enable states the print options end up in, as the main
// dialog's boxes would show them after the wishes were clicked in.
struct PrintChoices {
  RecordForm form = RecordForm::kCard1015;
  int cardVersion = 0;
  bool completeCard = false;         // 1032 and the field completeCard
  bool printHeader = true;           // 1030 checked
  bool printHeaderEnabled = true;    // 1030 enabled
  bool genderTicks = false;          // 1031 checked
  bool genderTicksEnabled = true;    // 1031 enabled: only with the header
  bool previousYearBox = false;      // 1027 checked
  bool previousServiceYear = false;  // the field: 1027 at the last month rule
  bool totals = false;               // 1028 checked
  bool useLongName = true;
  std::array<bool, 12> months{};  // 1015..1026 checked
  std::array<bool, 12> monthsEnabled{};
  MonthBoxStates monthRule;       // the month rule's enable states
  CardVersionStates versionRule;  // what the form and the card version allow
};

// Applies the rules to the wishes:
// - the complete card means card version 0 (its layout), the header checked
//   and fixed, and all twelve month boxes checked;
// - card versions other than 0 allow no header, no complete card, no
//   previous service year and no long name;
// - the month rule decides which month boxes (and whether the totals box)
//   can be ticked; a wished month it disables stays unticked, and so does
//   the totals box;
// - the male/female tick only with the header;
// - the sheet S-21 11/23 keeps the card version but none of its rules, and
//   takes only the previous service year and the long name (PrintOptionRule).
PrintChoices ChoosePrintOptions(const PrintWishes& wishes, int reportMonth);

// Copies the choices into the request's form, card version, flags and boxes.
void ApplyPrintChoices(const PrintChoices& choices, CardRequest& request);

}  // namespace morvind
