#include "printing/SheetRules.h"

#include "data/ServiceYear.h"

namespace morvind {

bool SharedInMinistry(const PublisherTable& table, int publisher, int month, int slot) {
  for (int k = 0; k < 5; ++k)
    if (table.ReportFigure(publisher, month, k, slot) > 0) return true;
  return table.HourQuarters(publisher, month, slot) > 0;  // a part hour alone counts too
}

int SheetRowsWithData(const CardRequest& request) {
  return request.previousYearBox ? 12 : ElapsedMonths(request.reportMonth);
}

int SheetRowSlot(const CardRequest& request, int row) {
  return RowSlot(row, request.reportMonth, request.currentYear, request.previousYearBox);
}

std::vector<CardRequest> BothServiceYears(const std::vector<CardRequest>& requests) {
  std::vector<CardRequest> pages;
  pages.reserve(2 * requests.size());
  for (const CardRequest& request : requests) {
    for (const bool previous : {true, false}) {
      CardRequest page = request;
      page.previousYearBox = previous;
      page.previousServiceYear = previous;
      pages.push_back(page);
    }
  }
  return pages;
}

}  // namespace morvind
