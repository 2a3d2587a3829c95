#include "printing/SheetContent.h"

#include <cstdint>

#include "data/RemarkTable.h"
#include "data/ServiceYear.h"
#include "data/TextServices.h"
#include "printing/CardDocument.h"
#include "printing/CongregationTotals.h"
#include "printing/ReportTotals.h"
#include "printing/SheetRules.h"

namespace morvind {

SheetContent MakeSheetContent(const CardRequest& request) {
  if (request.totalsRecord) return MakeTotalsSheetContent(request);
  SheetContent content;
  content.serviceYear = PrintedServiceYear(request);
  const int p = request.publisher;
  if (request.table == nullptr || request.strings == nullptr || p < 1 ||
      !request.table->IsValidIndex(p))
    return content;
  const PublisherTable& table = *request.table;
  const StringTable& strings = *request.strings;

  content.name = request.cardName;
  content.dateOfBirth = CardDate(table, p, true, request.dateFormat, request.languageCode, strings);
  content.dateOfBaptism =
      CardDate(table, p, false, request.dateFormat, request.languageCode, strings);

  const std::uint8_t flags = table.RoleFlags(p);
  content.female = (flags & record::kFemale) != 0;
  content.male = (flags & record::kMale) != 0 && !content.female;
  if (IsBaptized(table, p)) {
    content.anointed = table.Hope(p) == 'A';
    content.otherSheep = !content.anointed;
  }
  content.elder = (flags & 3) == record::kRoleElder;
  content.ministerialServant = (flags & 3) == record::kRoleServant;

  // The pioneer boxes tell what the publisher was at the end of the time the
  // page covers, not in the month the program runs in.
  const int rowsWithData = SheetRowsWithData(request);
  const int lastRow = rowsWithData - 1;
  const int lastStatus = table.MonthStatus(p, RowMonth(lastRow), SheetRowSlot(request, lastRow));
  content.regularPioneer = lastStatus == kStatusRegularPioneer;
  content.specialPioneer = lastStatus == kStatusSpecialPioneer;

  HoursTotal total;
  bool anyHours = false;
  for (int r = 0; r < rowsWithData; ++r) {
    const int month = RowMonth(r);
    const int slot = SheetRowSlot(request, r);
    SheetRow& row = content.rows[static_cast<std::size_t>(r)];
    row.carriesData = true;
    row.sharedInMinistry = SharedInMinistry(table, p, month, slot);
    const int studies = table.ReportFigure(p, month, kBibleStudies, slot);
    if (studies != 0) row.bibleStudies = std::to_string(studies);
    const int status = table.MonthStatus(p, month, slot);
    row.auxiliaryPioneer = status == kStatusAuxiliaryPioneer;
    if (IsPioneerMonth(status)) {
      const int hours = table.ReportFigure(p, month, kHours, slot);
      const int quarters = table.HourQuarters(p, month, slot);
      row.hours = MonthHoursText(hours, quarters, strings);
      row.hoursInQuarters = MonthHoursInQuarters(hours, quarters);
      if (!row.hours.empty()) {
        total.Add(hours, quarters);
        anyHours = true;
      }
    }
    if (request.remarks != nullptr) HasRemark(table, *request.remarks, p, month, slot, row.remark);
  }
  if (anyHours) {
    content.totalHours = total.Text(strings);
    content.totalHoursInQuarters = total.InQuarters();
  }
  return content;
}

}  // namespace morvind
