#include "printing/CongregationTotals.h"

#include <cstddef>
#include <string>

#include "data/ServiceYear.h"
#include "printing/CardDocument.h"
#include "printing/SheetRules.h"

namespace morvind {
namespace {

std::string ReportCount(int reports) {
  if (reports == 0) return std::string();
  return reports == 1 ? std::string("1 Bericht") : std::to_string(reports) + " Berichte";
}

}  // namespace

std::array<TotalsMonth, kTotalsCategoryCount> CongregationMonth(const PublisherTable& table,
                                                                int month, int slot) {
  std::array<TotalsMonth, kTotalsCategoryCount> totals{};
  // The header (record 0) holds no reports. Inactive records are left out
  // of the list, not of the totals: their reports of earlier months were
  // made all the same.
  for (int j = 1; j < table.Count(); ++j) {
    if (!SharedInMinistry(table, j, month, slot)) continue;
    TotalsMonth& total = totals[static_cast<std::size_t>(table.MonthStatus(j, month, slot))];
    ++total.reports;
    total.bibleStudies += table.ReportFigure(j, month, kBibleStudies, slot);
    total.hours.Add(table.ReportFigure(j, month, kHours, slot), table.HourQuarters(j, month, slot));
  }
  return totals;
}

SheetContent MakeTotalsSheetContent(const CardRequest& request) {
  SheetContent content;
  content.serviceYear = PrintedServiceYear(request);
  if (!request.totalsRecord || request.table == nullptr || request.strings == nullptr)
    return content;
  const TotalsCategory category = *request.totalsRecord;
  const StringTable& strings = *request.strings;
  content.name = std::string(TotalsRecordName(category));
  content.regularPioneer = category == TotalsCategory::kRegularPioneers;
  content.specialPioneer = category == TotalsCategory::kSpecialPioneers;
  // The publishers' record counts reports, never hours: the sheet asks
  // hours of pioneers only.
  const bool withHours = category != TotalsCategory::kPublishers;

  HoursTotal pageHours;
  bool anyHours = false;
  const int rows = SheetRowsWithData(request);
  for (int r = 0; r < rows; ++r) {
    const TotalsMonth month = CongregationMonth(
        *request.table, RowMonth(r), SheetRowSlot(request, r))[static_cast<std::size_t>(category)];
    SheetRow& row = content.rows[static_cast<std::size_t>(r)];
    row.carriesData = true;
    row.sharedInMinistry = month.reports > 0;
    row.auxiliaryPioneer = month.reports > 0 && category == TotalsCategory::kAuxiliaryPioneers;
    if (month.bibleStudies != 0) row.bibleStudies = std::to_string(month.bibleStudies);
    row.remark = ReportCount(month.reports);
    if (withHours) {
      row.hours = MonthHoursText(month.hours.Hours(), month.hours.Quarters(), strings);
      row.hoursInQuarters = month.hours.InQuarters();
      if (!row.hours.empty()) {
        pageHours.Add(month.hours.Hours(), month.hours.Quarters());
        anyHours = true;
      }
    }
  }
  if (anyHours) {
    content.totalHours = pageHours.Text(strings);
    content.totalHoursInQuarters = pageHours.InQuarters();
  }
  return content;
}

}  // namespace morvind
