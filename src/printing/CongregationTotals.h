#pragma once

#include <array>

#include "data/PublisherTable.h"
#include "printing/CardRequest.h"
#include "printing/ReportTotals.h"
#include "printing/SheetContent.h"
#include "printing/TotalsCategory.h"

namespace morvind {

// One month of one of the congregation's totals records.
struct TotalsMonth {
  int reports = 0;       // publisher records that shared in the ministry
  int bibleStudies = 0;  // their Bible studies
  HoursTotal hours;      // their hours with the part hours carried
};

// The month's reports of the whole publisher table, each on the record of
// its status (indexed by the category's value): every record 1 .. count − 1,
// inactive ones and ones without a name included, whose month shares in
// the ministry by the sheet's rule.
std::array<TotalsMonth, kTotalsCategoryCount> CongregationMonth(const PublisherTable& table,
                                                                int month, int slot);

// The page of the request's totals record (request.totalsRecord), worked
// out from the table now: its name, the regular or special pioneer box on
// those two records, the service year as on a publisher's page, and in each
// row that carries data the number of reports ("1 Bericht", "12 Berichte")
// as the remark, "Shared in Ministry" with at least one report, the Bible
// studies added up, the auxiliary pioneer box on the auxiliary pioneers'
// record, and on the three pioneer records the hours added up, with their
// total. Only the service year without a totals record or a table.
SheetContent MakeTotalsSheetContent(const CardRequest& request);

}  // namespace morvind
