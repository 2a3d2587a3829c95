#pragma once

#include <array>
#include <string>

#include "printing/CardRequest.h"

namespace morvind {

// One month row of the sheet S-21 11/23.
struct SheetRow {
  // Rows after the report month of the current service year carry nothing,
  // whatever their year slots hold.
  bool carriesData = false;
  bool sharedInMinistry = false;  // any figure of the month above zero
  std::string bibleStudies;       // blank for none
  bool auxiliaryPioneer = false;  // month status 1
  std::string hours;              // only for pioneer months: "12¾", "½"
  int hoursInQuarters = 0;        // the same hours counted in quarters (4 an hour)
  std::string remark;             // the month's remark, without a prefix
  bool operator==(const SheetRow&) const = default;
};

// What one page of the sheet S-21 11/23 shows: which boxes are ticked,
// which texts go where and which rows carry data. The page and the two
// preview panes draw from it.
struct SheetContent {
  std::string name;  // as the card prints it
  std::string dateOfBirth;
  std::string dateOfBaptism;
  bool male = false;
  bool female = false;  // wins over male when both bits are set
  bool otherSheep = false;
  bool anointed = false;
  bool elder = false;
  bool ministerialServant = false;
  bool regularPioneer = false;
  bool specialPioneer = false;
  bool fieldMissionary = false;   // the data hold no such mark
  int serviceYear = 0;            // the year in which it ends
  std::array<SheetRow, 12> rows;  // September .. August
  std::string totalHours;         // of the hours printed; blank without any
  int totalHoursInQuarters = 0;   // the same total counted in quarters
  bool operator==(const SheetContent&) const = default;
};

// The content of the request's publisher, from the card's own helpers: the
// card name, the card's dates in the request's date format, the hope only
// for the baptized, the role and gender bits as the card reads them, the
// pioneer status of the last month the page covers (the report month, or
// August of the previous service year), the rows of the service year that
// "Vorheriges Dienstjahr" chooses and the hours total carried as the
// card's totals carry it. Only the service year and empty rows for a
// publisher who is not a record of the table. For a request of one of the
// congregation's totals records, that record's page (MakeTotalsSheetContent).
SheetContent MakeSheetContent(const CardRequest& request);

}  // namespace morvind
