#include "printing/SheetPage.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "layout/LayoutValueRules.h"
#include "printing/CardHeader.h"
#include "printing/FormGeometry.h"
#include "printing/SheetLayout.h"

namespace morvind {
namespace {

using sheet::Column;

// Draws at the sheet's positions on one surface: converts hundredths of an
// inch from the form's corner into device units, and owns the fonts and the
// pen of the form, which it restores and deletes when it goes.
class SheetPen {
 public:
  SheetPen(DrawingSurface& surface, SurfacePoint origin, int fontCharset)
      : surface_(surface),
        origin_(origin),
        dx_(UnitsPerInch(surface, kLogPixelsX)),
        dy_(UnitsPerInch(surface, kLogPixelsY)),
        charset_(fontCharset) {
    labelFont_ = MakeFont(sheet::kLabelPoints, 400);
    dataFont_ = MakeFont(sheet::kDataPoints, 400);
    // Rules of a 150th of an inch, about half a point.
    rulePen_ = surface_.CreatePen(kPenSolid, static_cast<int>(dx_ / 150));
    previousFont_ = surface_.SelectObject(labelFont_);
    previousPen_ = surface_.SelectObject(rulePen_);
    previousAlign_ = surface_.SetTextAlign(kAlignLeft);
  }
  ~SheetPen() {
    surface_.SetTextAlign(previousAlign_);
    surface_.SelectObject(previousPen_);
    surface_.SelectObject(previousFont_);
    surface_.DeleteObject(rulePen_);
    surface_.DeleteObject(labelFont_);
    surface_.DeleteObject(dataFont_);
  }
  SheetPen(const SheetPen&) = delete;
  SheetPen& operator=(const SheetPen&) = delete;

  DrawingSurface& Surface() { return surface_; }
  int X(int hundredths) const { return origin_.x + HundredthsToDevice(hundredths, dx_); }
  int Y(int hundredths) const { return origin_.y + HundredthsToDevice(hundredths, dy_); }
  int Width(int hundredths) const { return HundredthsToDevice(hundredths, dx_); }

  SurfaceObject MakeFont(int tenthsOfPoint, int weight) {
    PointFontRecord font;
    font.tenthsOfPoint = tenthsOfPoint;
    font.weight = weight;
    font.charset = charset_;
    font.pitchAndFamily = kPitchVariableSwiss;
    font.face = "Arial";
    return surface_.CreatePointFontIndirect(font);
  }

  // A text of the form at (x, y) in device units.
  void Label(int x, int y, std::string_view text, int align = kAlignLeft) {
    surface_.SelectObject(labelFont_);
    surface_.SetTextAlign(align);
    surface_.TextOut(x, y, text);
  }
  // The right end of a left-aligned label at x.
  int LabelEnd(int x, std::string_view text) {
    surface_.SelectObject(labelFont_);
    return x + surface_.GetTextExtentPoint32(text).cx;
  }
  void SelectLabelFont() { surface_.SelectObject(labelFont_); }
  // A text in a font of the caller's.
  void Text(SurfaceObject font, int x, int y, std::string_view text, int align) {
    surface_.SelectObject(font);
    surface_.SetTextAlign(align);
    surface_.TextOut(x, y, text);
  }
  // A data text, never past `clip`; nothing for an empty one.
  void Data(int x, int y, std::string_view text, const SurfaceRect& clip, int align = kAlignLeft) {
    if (text.empty()) return;
    surface_.SelectObject(dataFont_);
    surface_.SetTextAlign(align);
    surface_.ExtTextOut(x, y, kExtTextClipped, clip, text);
  }
  void Line(int x1, int y1, int x2, int y2) {
    surface_.MoveTo(x1, y1);
    surface_.LineTo(x2, y2);
  }
  // A tick box in front of the label that begins at `labelX` on the line
  // whose top is `top` (hundredths).
  void BoxBefore(int labelX, int top, bool ticked) {
    DrawTickBox(surface_, X(labelX - sheet::kBoxGap), Y(top + sheet::kBoxDrop), ticked);
  }
  // A label with its box in front.
  void BoxedLabel(int labelX, int top, std::string_view text, bool ticked) {
    BoxBefore(labelX, top, ticked);
    Label(X(labelX), Y(top), text);
  }

 private:
  DrawingSurface& surface_;
  SurfacePoint origin_;
  std::uint32_t dx_, dy_;
  int charset_;
  SurfaceObject labelFont_ = 0, dataFont_ = 0, rulePen_ = 0;
  SurfaceObject previousFont_ = 0, previousPen_ = 0;
  int previousAlign_ = 0;
};

// A label at the form's left edge, its fill-in rule to `ruleEnd` and the
// data on the rule, clipped at the rule's end.
void FillInLine(SheetPen& pen, int top, std::string_view label, int ruleEnd,
                const std::string& data) {
  pen.Label(pen.X(0), pen.Y(top), label);
  const int ruleStart = pen.LabelEnd(pen.X(0), label) + pen.Width(sheet::kRuleGap);
  const int ruleY = pen.Y(top + sheet::kRuleDrop);
  pen.Line(ruleStart, ruleY, pen.X(ruleEnd), ruleY);
  const SurfaceRect clip{ruleStart, pen.Y(top - sheet::kDataRise),
                         pen.X(ruleEnd - sheet::kClipInset), ruleY};
  pen.Data(ruleStart + pen.Width(sheet::kDataInset), clip.top, data, clip);
}

// The cell of `column` in the row whose top is `top`, inside its rules.
SurfaceRect CellClip(const SheetPen& pen, const Column& column, int top) {
  return SurfaceRect{pen.X(column.left + sheet::kClipInset), pen.Y(top),
                     pen.X(column.Right() - sheet::kClipInset), pen.Y(top + sheet::kRowHeight)};
}

int Middle(const Column& column) {
  return column.left + column.width / 2;
}

void CellBox(SheetPen& pen, const Column& column, int top, bool ticked) {
  DrawTickBox(pen.Surface(), pen.X(Middle(column) + sheet::kCellBoxRight),
              pen.Y(top + sheet::kCellBoxDrop), ticked);
}

void DrawRow(SheetPen& pen, int top, std::string_view month, const SheetRow& row) {
  pen.Label(pen.X(sheet::kServiceYearColumn.left + sheet::kCellInset),
            pen.Y(top + sheet::kRowLabelTop), month);
  // Rows without data keep their empty boxes, ready to be filled in by hand.
  CellBox(pen, sheet::kSharedColumn, top, row.carriesData && row.sharedInMinistry);
  CellBox(pen, sheet::kAuxiliaryColumn, top, row.carriesData && row.auxiliaryPioneer);
  if (!row.carriesData) return;
  const int dataY = pen.Y(top + sheet::kRowDataTop);
  pen.Data(pen.X(Middle(sheet::kStudiesColumn)), dataY, row.bibleStudies,
           CellClip(pen, sheet::kStudiesColumn, top), kAlignCenter);
  pen.Data(pen.X(sheet::kHoursColumn.Right() - sheet::kCellInset), dataY, row.hours,
           CellClip(pen, sheet::kHoursColumn, top), kAlignRight);
  pen.Data(pen.X(sheet::kRemarksColumn.left + sheet::kCellInset), dataY, row.remark,
           CellClip(pen, sheet::kRemarksColumn, top));
}

void DrawTableRules(SheetPen& pen) {
  const int left = pen.X(0);
  const int right = pen.X(sheet::kWidth);
  pen.Line(left, pen.Y(sheet::kTableTop), right, pen.Y(sheet::kTableTop));
  for (int r = 0; r <= 12; ++r) {
    const int y = pen.Y(sheet::kFirstRowTop + r * sheet::kRowHeight);
    pen.Line(left, y, right, y);
  }
  for (const Column& column :
       {sheet::kServiceYearColumn, sheet::kSharedColumn, sheet::kStudiesColumn,
        sheet::kAuxiliaryColumn, sheet::kHoursColumn, sheet::kRemarksColumn}) {
    pen.Line(pen.X(column.left), pen.Y(sheet::kTableTop), pen.X(column.left),
             pen.Y(sheet::kTotalRowTop));
  }
  pen.Line(right, pen.Y(sheet::kTableTop), right, pen.Y(sheet::kTotalRowTop));
  // The total row has only its hours cell.
  const Column& hours = sheet::kHoursColumn;
  pen.Line(pen.X(hours.left), pen.Y(sheet::kTotalRowTop), pen.X(hours.left),
           pen.Y(sheet::kTableBottom));
  pen.Line(pen.X(hours.left), pen.Y(sheet::kTableBottom), pen.X(hours.Right()),
           pen.Y(sheet::kTableBottom));
  pen.Line(pen.X(hours.Right()), pen.Y(sheet::kTableBottom), pen.X(hours.Right()),
           pen.Y(sheet::kTotalRowTop));
}

}  // namespace

void DrawSheetHeader(DrawingSurface& surface, const SheetContent& content, SurfacePoint origin,
                     int fontCharset) {
  SheetPen pen(surface, origin, fontCharset);
  FillInLine(pen, sheet::kNameTop, sheet::kName, sheet::kWidth, content.name);
  FillInLine(pen, sheet::kBirthTop, sheet::kDateOfBirth, sheet::kDateRuleEnd, content.dateOfBirth);
  pen.BoxedLabel(sheet::kMaleX, sheet::kBirthTop, sheet::kMale, content.male);
  pen.BoxedLabel(sheet::kFemaleX, sheet::kBirthTop, sheet::kFemale, content.female);
  FillInLine(pen, sheet::kBaptismTop, sheet::kDateOfBaptism, sheet::kDateRuleEnd,
             content.dateOfBaptism);
  pen.BoxedLabel(sheet::kMaleX, sheet::kBaptismTop, sheet::kOtherSheep, content.otherSheep);
  pen.BoxedLabel(sheet::kFemaleX, sheet::kBaptismTop, sheet::kAnointed, content.anointed);
  pen.BoxedLabel(sheet::kElderX, sheet::kRolesTop, sheet::kElder, content.elder);
  pen.BoxedLabel(sheet::kServantX, sheet::kRolesTop, sheet::kServant, content.ministerialServant);
  pen.BoxedLabel(sheet::kRegularPioneerX, sheet::kRolesTop, sheet::kRegularPioneer,
                 content.regularPioneer);
  pen.BoxedLabel(sheet::kSpecialPioneerX, sheet::kRolesTop, sheet::kSpecialPioneer,
                 content.specialPioneer);
  pen.BoxedLabel(sheet::kFieldMissionaryX, sheet::kRolesTop, sheet::kFieldMissionary,
                 content.fieldMissionary);
}

void DrawSheetTable(DrawingSurface& surface, const SheetContent& content, SurfacePoint origin,
                    int fontCharset) {
  SheetPen pen(surface, origin, fontCharset);
  for (const sheet::Heading& heading : sheet::kHeadings) {
    int top = sheet::kTableTop + sheet::kHeadingLineTop;
    for (std::string_view line : heading.lines) {
      if (!line.empty()) pen.Label(pen.X(Middle(heading.column)), pen.Y(top), line, kAlignCenter);
      top += sheet::kHeadingLineHeight;
    }
  }
  const Column& year = sheet::kServiceYearColumn;
  pen.Data(pen.X(Middle(year)), pen.Y(sheet::kTableTop + sheet::kServiceYearTop),
           std::to_string(content.serviceYear),
           SurfaceRect{pen.X(year.left), pen.Y(sheet::kTableTop), pen.X(year.Right()),
                       pen.Y(sheet::kFirstRowTop)},
           kAlignCenter);

  for (int r = 0; r < 12; ++r) {
    DrawRow(pen, sheet::kFirstRowTop + r * sheet::kRowHeight,
            sheet::kMonths[static_cast<std::size_t>(r)], content.rows[static_cast<std::size_t>(r)]);
  }
  const Column& hours = sheet::kHoursColumn;
  pen.Label(pen.X(hours.left - sheet::kCellInset), pen.Y(sheet::kTotalRowTop + sheet::kRowLabelTop),
            sheet::kTotal, kAlignRight);
  pen.Data(pen.X(hours.Right() - sheet::kCellInset),
           pen.Y(sheet::kTotalRowTop + sheet::kRowDataTop), content.totalHours,
           CellClip(pen, hours, sheet::kTotalRowTop), kAlignRight);
  DrawTableRules(pen);
}

void DrawSheetPage(DrawingSurface& surface, const CardRequest& request) {
  const std::uint32_t dx = UnitsPerInch(surface, kLogPixelsX);
  const std::uint32_t dy = UnitsPerInch(surface, kLogPixelsY);
  surface.SetMapMode(kMapModeText);
  const DeviceMargins margins =
      MarginsToDevice(request, static_cast<int>(dx), static_cast<int>(dy));
  const SurfacePoint origin{margins.left, margins.top};
  const SheetContent content = MakeSheetContent(request);
  {
    SheetPen pen(surface, origin, request.fontCharset);
    const SurfaceObject title = pen.MakeFont(sheet::kTitlePoints, 700);
    const SurfaceObject formId = pen.MakeFont(sheet::kFormIdPoints, 400);
    pen.Text(title, pen.X(sheet::kWidth / 2), pen.Y(sheet::kTitleTop), sheet::kTitle, kAlignCenter);
    pen.Text(formId, pen.X(0), pen.Y(sheet::kFormIdTop), sheet::kFormId, kAlignLeft);
    pen.SelectLabelFont();  // before the two fonts go
    surface.DeleteObject(title);
    surface.DeleteObject(formId);
  }
  DrawSheetHeader(surface, content, origin, request.fontCharset);
  DrawSheetTable(surface, content, origin, request.fontCharset);
}

int SheetWidthWithMargin(const CardRequest& request) {
  return LayoutValueToHundredths(request.leftMargin) + sheet::kWidth;
}

bool SheetFitsPrintableWidth(const CardRequest& request, int printableHundredths) {
  return SheetWidthWithMargin(request) <= printableHundredths;
}

}  // namespace morvind
