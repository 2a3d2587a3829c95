#pragma once

#include <array>
#include <optional>
#include <string>

#include "data/PublisherTable.h"
#include "data/RemarkTable.h"
#include "layout/LayoutRecord.h"
#include "printing/RecordForm.h"
#include "printing/TotalsCategory.h"
#include "resources/StringTable.h"

namespace morvind {

// Everything the card header, the monthly body and the two preview panes
// read: the main dialog's fields and check states at one moment, as a value.
// Renderers are functions of (surface, request).
struct CardRequest {
  const PublisherTable* table = nullptr;  // never null when drawing
  const RemarkTable* remarks = nullptr;   // never null when drawing
  const StringTable* strings = nullptr;   // never null when drawing

  int publisher = 0;  // selectedPublisher: record index, 0 = none
  // One of the congregation's totals records instead of a publisher
  // (publisher is 0 then): only on the sheet S-21 11/23.
  std::optional<TotalsCategory> totalsRecord;
  std::string cardName;    // the name to print (UTF-8)
  std::string cardMobile;  // the mobile telephone to print (UTF-8)

  RecordForm form = RecordForm::kCard1015;  // the card, or the sheet S-21 11/23
  LayoutRecord layout;                      // of the current card version
  int cardVersion = 0;
  std::string topMargin = "0.00";
  std::string leftMargin = "0.20";
  std::string languageCode = "german";
  int fontCharset = 0;
  int dateFormat = 0;

  int reportMonth = 0;      // 0 = January: the previous calendar month
  int reportYearShort = 0;  // year of reportMonth - 2000, mod 256
  int currentYear = 2000;   // calendar year at start

  bool lastNameFirst = false;  // box 1007
  bool useLongName = true;
  bool completeCard = false;         // field completeCard
  bool previousServiceYear = false;  // field: box 1027 at the last month rule

  bool printHeader = true;        // box 1030
  bool genderTicks = false;       // box 1031
  bool previousYearBox = false;   // box 1027 as it is now
  bool totals = false;            // box 1028
  std::array<bool, 12> months{};  // boxes 1015..1026, September .. August
};

}  // namespace morvind
