#include "printing/MonthlyBody.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "data/ServiceYear.h"
#include "data/TextServices.h"
#include "layout/LayoutValueRules.h"
#include "printing/CardHeader.h"
#include "printing/FormGeometry.h"
#include "printing/ReportTotals.h"
#include "resources/StringIds.h"

namespace morvind {
namespace {

using Units = std::uint32_t;

int ToInt(Units units) {
  return static_cast<int>(units);
}

void DrawText(DrawingSurface& surface, int x, int y, const std::string& text) {
  if (!text.empty()) surface.TextOut(x, y, text);
}

// Byte offset of the code point `count` characters into a UTF-8 text (its
// size when the text is shorter), so a split never cuts a character.
std::size_t CharacterOffset(std::string_view text, int count) {
  std::size_t at = 0;
  for (int seen = 0; at < text.size(); ++at) {
    if ((static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) continue;
    if (seen++ == count) return at;
  }
  return text.size();
}

// The text of a month's figure, or empty when the cell stays blank: hours
// carry their quarters ("12¾", or "¾" alone without whole hours).
std::string FigureText(int value, int column, int quarters, const StringTable& strings) {
  if (column == kHours && quarters != 0) {
    if (value == 0) return QuarterText(quarters, true, strings);
    return std::to_string(value) + QuarterText(quarters, false, strings);
  }
  return value != 0 ? std::to_string(value) : std::string();
}

}  // namespace

void DrawMonthlyBody(DrawingSurface& surface, const CardRequest& request) {
  if (request.table == nullptr || request.strings == nullptr || request.remarks == nullptr) return;
  const PublisherTable& table = *request.table;
  const StringTable& strings = *request.strings;
  const RemarkTable& remarks = *request.remarks;
  const int publisher = request.publisher;
  // The print job never draws without a publisher; a stale index must not
  // read beyond the table.
  if (publisher < 1 || !table.IsValidIndex(publisher)) return;

  const LayoutRecord& layout = request.layout;
  const bool complete = request.completeCard;

  const Units dx = UnitsPerInch(surface, kLogPixelsX);
  const Units dy = UnitsPerInch(surface, kLogPixelsY);
  const std::string formColumns = strings.Get(str::kBodyFormColumns);
  int form[7];
  for (int i = 0; i < 6; ++i) form[i] = ToInt(FormColumnToDevice(formColumns, i, dx));
  form[6] = ToInt(dx * 550 / 100);  // the card's width

  surface.SetMapMode(kMapModeText);
  const DeviceMargins margins = MarginsToDevice(request, ToInt(dx), ToInt(dy));
  const int left = margins.left;
  const int top = margins.top;
  int top0 = ToInt(LayoutValueToDevice(dy, layout.Text(kBodyTop))) + top;
  // The rows of the form the program draws itself sit a fiftieth of an inch
  // lower than those of the pre-printed card.
  if (complete) top0 += ToInt(dy / 50);
  const int h = ToInt(LayoutValueToDevice(dy, layout.Text(kBodyHeight)) / 12);
  int dataColumn[5];
  for (int k = 0; k < 5; ++k)
    dataColumn[k] = ToInt(LayoutValueToDevice(dx, layout.Text(kPlacementsColumn + k)));
  const int remarksColumn = ToInt(LayoutValueToDevice(dx, layout.Text(kRemarksColumn)));

  const int elapsed = ElapsedMonths(request.reportMonth);
  const int serviceYearEnd = CurrentServiceYearEnd(request.reportMonth, request.currentYear) -
                             (request.previousYearBox ? 1 : 0);
  // Right end of a figure of column k.
  auto figureX = [&](int k) {
    return complete ? form[k + 1] - ToInt(dx / 10) + left : dataColumn[k] + left;
  };

  FontRecord data;
  data.height = -MulDiv(10, ToInt(dy), 72);
  data.weight = 400;
  data.charset = request.fontCharset;
  data.pitchAndFamily = kPitchSwiss;
  data.face = "Arial";
  const SurfaceObject dataFont = surface.CreateFont(data);
  PointFontRecord heading;
  heading.tenthsOfPoint = 65;
  heading.weight = 400;
  heading.charset = request.fontCharset;
  heading.pitchAndFamily = kPitchVariableRoman;
  heading.face = "Times New Roman";
  const SurfaceObject headingFont = surface.CreatePointFontIndirect(heading);
  PointFontRecord formId = heading;
  formId.tenthsOfPoint = 70;
  const SurfaceObject formIdFont = surface.CreatePointFontIndirect(formId);
  const SurfaceObject previousFont = surface.SelectObject(dataFont);
  const int previousAlign = surface.SetTextAlign(kAlignRight);

  if (complete) {
    // The heading band, two rows high, above September.
    surface.SelectObject(headingFont);
    surface.SetTextAlign(kAlignCenter);
    const int band = top0 - 2 * h;
    const int ya = band + ToInt(dy / 12);
    const int yb = band + ToInt(dy / 40) + ToInt(dy / 6);
    const std::string serviceYear = strings.Get(str::kServiceYear);
    const std::string year = std::to_string(serviceYearEnd);
    // A translation can ask for "SERVICE YEAR:" to be broken over the two
    // lines of the band after its first `split` characters.
    const int split = strings.GetInt(str::kServiceYearSplit);
    if (split <= 0) {
      DrawText(surface, form[0] / 2 + left, ya, serviceYear);
      DrawText(surface, form[0] / 2 + left, yb, year);
    } else {
      surface.SetTextAlign(kAlignLeft);
      const std::size_t end = CharacterOffset(serviceYear, split);
      const std::size_t rest = CharacterOffset(serviceYear, split + 1);
      DrawText(surface, left, ya, serviceYear.substr(0, end));
      DrawText(surface, left, yb, serviceYear.substr(rest));
      DrawText(surface, form[0] / 2 + ToInt(dx / 10) + left, yb, year);
      surface.SetTextAlign(kAlignCenter);
    }
    for (int i = 0; i < 6; ++i) {
      const std::string text = strings.Get(str::kBodyHeadingBase + i);
      const int x = form[i] + (form[i + 1] - form[i]) / 2 + left;
      std::size_t at = text.find(' ');
      if (at == std::string::npos) at = text.find('-');
      if (at == std::string::npos) {
        DrawText(surface, x, band + ToInt(dy / 8), text);
      } else {
        DrawText(surface, x, ya, text.substr(0, at));
        DrawText(surface, x, yb, text.substr(at + 1));
      }
    }
    surface.SelectObject(dataFont);
  }

  surface.SetTextAlign(kAlignRight);
  for (int r = 0; r < 12; ++r) {
    const int month = RowMonth(r);
    const int slot =
        RowSlot(r, request.reportMonth, request.currentYear, request.previousServiceYear);
    const int rowTop = top0 + r * h;

    if (complete) {
      surface.SelectObject(headingFont);
      surface.SetTextAlign(kAlignLeft);
      DrawText(surface, left, rowTop + h / 7, strings.Get(str::kBodyMonthBase + month));
      if (r == 11) {
        DrawText(surface, left, top0 + 12 * h + h / 7, strings.Get(str::kBodyTotal));
        surface.SelectObject(formIdFont);
        DrawText(surface, left, top0 + 13 * h + h / 7, strings.Get(str::kFormId));
      }
      surface.SelectObject(dataFont);
      surface.SetTextAlign(kAlignRight);
    }

    // Months of the current service year after the report month have no
    // figures yet. In the previous service year every month is complete, so
    // every ticked month prints (also in data-only mode, where the boxes
    // choose the rows).
    const bool monthHasPassed = request.previousYearBox || r < elapsed;
    const bool rowPrints = complete ? monthHasPassed : monthHasPassed && request.months[r];
    if (!rowPrints) continue;

    for (int k = 0; k < 5; ++k) {
      const int value = table.ReportFigure(publisher, month, k, slot);
      const int quarters = k == kHours ? table.HourQuarters(publisher, month, slot) : 0;
      DrawText(surface, figureX(k), rowTop, FigureText(value, k, quarters, strings));
    }

    std::string remark;
    if (table.MonthStatus(publisher, month, slot) == kStatusAuxiliaryPioneer)
      remark = strings.Get(str::kAuxiliaryPioneer) + " ";
    std::string note;
    if (HasRemark(table, remarks, publisher, month, slot, note)) remark += note;
    if (!remark.empty()) {
      surface.SetTextAlign(kAlignLeft);
      const int x = complete ? form[5] + ToInt(dx / 15) + left : remarksColumn + left;
      surface.TextOut(x, rowTop, remark);
      surface.SetTextAlign(kAlignRight);
    }
  }

  if (request.totals) {
    for (int k = 0; k < 5; ++k) {
      std::string text;
      if (request.previousServiceYear) {
        PreviousYearTotal(table, publisher, k, request.reportMonth, request.reportYearShort,
                          strings, text);
      } else {
        TotalToDate(table, publisher, k, elapsed, request.reportMonth, request.reportYearShort,
                    strings, text);
      }
      // A total prints also when it is 0.
      surface.TextOut(figureX(k), top0 + 12 * h, text);
    }
  }

  surface.SelectObject(previousFont);
  surface.DeleteObject(dataFont);
  surface.DeleteObject(headingFont);
  surface.DeleteObject(formIdFont);
  surface.SetTextAlign(previousAlign);

  if (complete) {
    const SurfaceObject thickPen = surface.CreatePen(kPenSolid | kPenGeometric, 8);
    const SurfaceObject thinPen = surface.CreatePen(kPenSolid | kPenGeometric, 2);
    const int right = left + form[6];
    const int yt = top0 - 2 * h + ToInt(dy / 18);
    const SurfaceObject previousPen = surface.SelectObject(thickPen);
    surface.MoveTo(left, yt);
    surface.LineTo(right, yt);

    surface.SelectObject(thinPen);
    int bottom = yt;
    for (int j = 0; j <= 13; ++j) {
      bottom = top0 + j * h - ToInt(dy / 80);
      surface.MoveTo(left, bottom);
      surface.LineTo(right, bottom);
    }
    // The last rule closes the card and is thick; it is drawn back over the
    // thin one from the right end, where the pen stands.
    surface.SelectObject(thickPen);
    surface.LineTo(left, bottom);

    surface.SelectObject(thinPen);
    for (int i = 0; i < 6; ++i) {
      surface.MoveTo(form[i] + left, yt);
      surface.LineTo(form[i] + left, bottom);
    }
    surface.SelectObject(previousPen);
    surface.DeleteObject(thickPen);
    surface.DeleteObject(thinPen);
  }
}

}  // namespace morvind
