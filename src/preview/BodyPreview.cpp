#include "preview/BodyPreview.h"

#include <string>
#include <string_view>

#include "data/RemarkTable.h"
#include "data/TextServices.h"
#include "printing/ReportTotals.h"
#include "resources/StringIds.h"

namespace morvind {
namespace {

int CodePointCount(std::string_view text) {
  int count = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++count;
  return count;
}

// The year in which the service year of the report month ends: September to
// November reports belong to the year that ends next August.
int ServiceYearOfReportMonth(const CardRequest& request) {
  int reportMonth = request.reportMonth;
  return (reportMonth >= 8 && reportMonth <= 10) ? request.currentYear + 1 : request.currentYear;
}

// The hours cell: quarters follow the whole hours as their sign, and stand
// alone when there are no whole hours.
std::string FigureText(int column, int value, int quarters, const StringTable& strings) {
  if (column == kHours && quarters != 0) {
    if (value != 0) return std::to_string(value) + QuarterText(quarters, false, strings);
    return QuarterText(quarters, true, strings);
  }
  return std::to_string(value);
}

}  // namespace

void DrawBodyPreview(int left, int top, int right, int bottom, DrawingSurface& surface,
                     const CardRequest& request, int borderX, int borderY) {
  if (request.strings == nullptr) return;
  const StringTable& strings = *request.strings;
  const int width = right;
  const int height = bottom;
  const int cw = width / 9;
  const int rh = height / 14;
  const int xm = left + width / 10 - 8 * borderX;
  const int xr = left + 7 * (width / 10) + 2 * borderX;
  auto columnEnd = [&](int column) { return left + (column + 2) * cw - 10 * borderX; };

  const bool previousYearShown = request.previousYearBox;
  // A publisher is drawn only when there is a record for them; no selection
  // (0) and an empty table leave the form alone.
  const int p = request.publisher;
  const bool hasPublisher = p >= 1 && request.table != nullptr && request.table->IsValidIndex(p);
  const Colour formColour = request.completeCard ? kBlack : kGrey;

  SurfaceObject previousBrush = surface.SelectStockObject(kWhiteBrush);
  SurfaceObject previousPen = surface.SelectStockObject(kBlackPen);
  surface.Rectangle(left, top, right, bottom);

  surface.SetBkMode(kTransparent);
  for (int k = 1; k <= 6; ++k) {
    surface.MoveTo(left + k * cw, top);
    surface.LineTo(left + k * cw, top + height);
  }
  for (int k = 1; k <= 13; ++k) {
    surface.MoveTo(left, top + k * rh);
    surface.LineTo(left + width, top + k * rh);
  }

  SurfaceObject previousFont = surface.SelectStockObject(kVariablePitchSystemFont);
  surface.SetTextAlign(kAlignRight);
  surface.SetTextColor(formColour);

  const int headingY = top + borderY;
  for (int k = 0; k < 5; ++k) {
    std::string heading = strings.Get(str::kPreviewColumnBase + k);
    // Long headings would run into the next column; they move right.
    int n = CodePointCount(heading) >= 8 ? 4 : 8;
    surface.TextOut(left + (k + 2) * cw - n * borderX, headingY, heading);
  }
  int remarksHeadingEnd = left + width - (request.languageCode == "greek" ? width / 16 : width / 8);
  surface.TextOut(remarksHeadingEnd, headingY, strings.Get(str::kPreviewRemarks));
  const int currentServiceYear = ServiceYearOfReportMonth(request);
  const int shownServiceYear = currentServiceYear - (request.previousServiceYear ? 1 : 0);
  surface.TextOut(xm, headingY, std::to_string(shownServiceYear));

  const int done = request.reportMonth > 7 ? request.reportMonth - 7 : request.reportMonth + 5;

  // The slot of January to August is the parity of the year the service
  // year ends in; September to December take the other one.
  int laterSlot = currentServiceYear % 2;
  if (laterSlot < 0) laterSlot += 2;
  if (request.previousServiceYear) laterSlot = 1 - laterSlot;

  std::string remark;
  for (int i = 0; i < 12; ++i) {
    const int month = (8 + i) % 12;
    const int slot = i < 4 ? 1 - laterSlot : laterSlot;
    const int y = top + (i + 1) * rh + borderY;

    surface.TextOut(xm, y, strings.Get(str::kPreviewMonthBase + month));

    // Months after the report month have no reports yet in the current year.
    if (!hasPublisher || !(previousYearShown || i < done)) continue;
    const PublisherTable& table = *request.table;
    if (request.months[static_cast<std::size_t>(i)]) surface.SetTextColor(kBlack);

    const int quarters = table.HourQuarters(p, month, slot);
    for (int k = 0; k < 5; ++k) {
      const int value = table.ReportFigure(p, month, k, slot);
      // Zero figures stay blank, so that a printed card is not filled with zeros.
      if (value == 0 && !(k == kHours && quarters != 0)) continue;
      surface.TextOut(columnEnd(k), y, FigureText(k, value, quarters, strings));
    }

    std::string remarks;
    if (table.MonthStatus(p, month, slot) == kStatusAuxiliaryPioneer)
      remarks = strings.Get(str::kAuxiliaryPioneer) + " ";
    if (request.remarks != nullptr && HasRemark(table, *request.remarks, p, month, slot, remark))
      remarks += remark;
    if (!remarks.empty()) {
      // A long remark is cut at the pane's edge instead of running out of it.
      surface.SetTextAlign(kAlignLeft);
      SurfaceRect clip{xr, y, left + width, top + (i + 2) * rh + borderY};
      surface.ExtTextOut(xr, y, kExtTextClipped, clip, remarks);
      surface.SetTextAlign(kAlignRight);
    }
    surface.SetTextColor(formColour);
  }

  const int totalsY = top + 13 * rh + borderY;
  surface.TextOut(xm, totalsY, strings.Get(str::kPreviewTotal));
  if (hasPublisher) {
    const PublisherTable& table = *request.table;
    surface.SetTextColor(request.totals ? kBlack : kGrey);
    std::string total;
    for (int k = 0; k < 5; ++k) {
      if (request.previousServiceYear)
        PreviousYearTotal(table, p, k, request.reportMonth, request.reportYearShort, strings,
                          total);
      else
        TotalToDate(table, p, k, done, request.reportMonth, request.reportYearShort, strings,
                    total);
      surface.TextOut(columnEnd(k), totalsY, total);
    }
  }

  surface.SelectObject(previousFont);
  surface.SelectObject(previousPen);
  surface.SelectObject(previousBrush);
}

}  // namespace morvind
