#include "preview/HeaderPreview.h"

#include <string>
#include <string_view>

#include "data/TextServices.h"
#include "resources/StringIds.h"

namespace morvind {
namespace {

// The miniature is laid out in fractions of the pane, never from the layout
// record, so that it always fits whatever the margins and slots say.
struct HeaderGeometry {
  int u = 0;   // row unit
  int y1 = 0;  // name
  int y2 = 0;  // address
  int y3 = 0;  // telephones and date of birth
  int y4 = 0;  // baptism, hope and the ticks
  int xl = 0;  // left edge of the labels
  int e = 0;   // right end of the lines and the width measure of data positions
  int d = 0;   // how far a label sits below its line
};

HeaderGeometry MeasureHeader(int left, int top, int width, int height) {
  HeaderGeometry g;
  g.u = height / 26;
  g.y1 = top + 5 * g.u;
  g.y2 = top + 10 * g.u;
  g.y3 = top + 15 * g.u;
  g.y4 = top + 23 * g.u;
  g.xl = left + width / 40;
  g.e = left + width - width / 40;
  g.d = g.y1 / 3;
  return g;
}

// The languages whose printed forms put the header items elsewhere.
struct FormLanguage {
  bool cz = false;
  bool polish = false;
  bool sk = false;
};

FormLanguage LanguageOf(const CardRequest& request) {
  FormLanguage language;
  language.cz = request.languageCode == "cz";
  language.polish = request.languageCode == "polish";
  language.sk = request.languageCode == "sk";
  return language;
}

// Black when the form itself is printed, grey when only the data are.
Colour FormColour(const CardRequest& request) {
  return request.completeCard ? kBlack : kGrey;
}

// Under alignment 9 a label is drawn at the current position and leaves it
// at the label's right end, which is returned.
int DrawLabel(DrawingSurface& surface, int x, int y, std::string_view text) {
  surface.MoveTo(x, y);
  surface.TextOut(x, y, text);
  return surface.GetCurrentPositionEx().x;
}

void DrawFillInLine(DrawingSurface& surface, int fromX, int y, int toX) {
  surface.MoveTo(fromX, y);
  surface.LineTo(toX, y);
}

// The middle of the box "[   ]" of `label`, drawn from `x` in the selected
// font; 0 when the label has no box.
int BoxMiddle(DrawingSurface& surface, int x, std::string_view label) {
  const std::size_t open = label.find('[');
  const std::size_t close = open == std::string_view::npos ? open : label.find(']', open);
  if (close == std::string_view::npos) return 0;
  const int inside = x + surface.GetTextExtentPoint32(label.substr(0, open + 1)).cx;
  const int end = x + surface.GetTextExtentPoint32(label.substr(0, close)).cx;
  return (inside + end) / 2;
}

// Draws a tick label and notes the middle of its box in `box`.
int DrawTickLabel(DrawingSurface& surface, int x, int y, const std::string& label, int& box) {
  box = BoxMiddle(surface, x, label);
  return DrawLabel(surface, x, y, label);
}

// An empty text would draw nothing visible; leaving it out keeps the
// drawing free of empty operations.
void DrawData(DrawingSurface& surface, int x, int y, std::string_view text) {
  if (!text.empty()) surface.TextOut(x, y, text);
}

// The Czech card prints the hope labels with their own boxes, so the texts
// lose the empty box they carry for the other forms.
std::string WithoutEmptyBoxes(std::string text) {
  static constexpr std::string_view kBox = "[   ] ";
  for (std::size_t at = text.find(kBox); at != std::string::npos; at = text.find(kBox, at))
    text.erase(at, kBox.size());
  return text;
}

}  // namespace

HeaderBoxes DrawHeaderForm(int left, int top, int right, int bottom, DrawingSurface& surface,
                           const CardRequest& request) {
  HeaderBoxes boxes;
  if (request.strings == nullptr) return boxes;
  const StringTable& strings = *request.strings;
  const HeaderGeometry g = MeasureHeader(left, top, right, bottom);
  const FormLanguage language = LanguageOf(request);
  const int e = g.e;

  FontRecord labelRecord;
  labelRecord.height = -9;
  labelRecord.weight = 400;
  labelRecord.charset = request.fontCharset;
  labelRecord.pitchAndFamily = kPitchSwiss;
  labelRecord.face = "Arial";
  SurfaceObject labelFont = surface.CreateFont(labelRecord);
  SurfaceObject previousFont = surface.SelectObject(labelFont);

  // The caller's null pen fills one pixel short on the right and bottom,
  // hence the extra pixel.
  surface.Rectangle(left, top, left + right + 1, top + bottom + 1);
  surface.SetBkMode(kTransparent);
  surface.SelectStockObject(kBlackPen);
  surface.SetTextAlign(kAlignBottom | kAlignUpdateCp);
  surface.SetTextColor(FormColour(request));

  int end = DrawLabel(surface, g.xl, g.y1 + g.d, strings.Get(str::kPreviewName) + " ");
  DrawFillInLine(surface, end, g.y1, e);

  end = DrawLabel(surface, g.xl, g.y2 + g.d, strings.Get(str::kPreviewAddress) + " ");
  DrawFillInLine(surface, end, g.y2, e);

  end = DrawLabel(surface, g.xl, g.y3 + g.d, strings.Get(str::kPreviewTelephone) + " ");
  DrawFillInLine(surface, end, g.y3, e / 3);
  end = DrawLabel(surface, e / 3, g.y3 + g.d, " " + strings.Get(str::kPreviewMobile) + " ");
  DrawFillInLine(surface, end, g.y3, e - e / 3);
  end = DrawLabel(surface, e - e / 3, g.y3 + g.d, " " + strings.Get(str::kPreviewBirthDate) + " ");
  DrawFillInLine(surface, end, g.y3, e);

  // The baptism line is shorter where the following label is longer; the
  // Cyrillic character set has wider letters.
  int gap = e / 12;
  if (language.cz) gap = e / 50 + e / 5;
  if (language.sk) gap = e / 6;
  if (request.fontCharset == 204) gap = e / 8;
  const int hopeLineEnd = (language.cz || language.sk) ? e - e / 3 : e - e / 4;
  const int baptismLineEnd = e / 2 - gap;

  end = DrawLabel(surface, g.xl, g.y4 + g.d, strings.Get(str::kPreviewBaptismDate) + " ");
  DrawFillInLine(surface, end, g.y4, baptismLineEnd);

  int tickX;
  if (language.cz && request.cardVersion == 0) {
    // This Czech card has two stacked hope labels instead of one line.
    int x = baptismLineEnd + e / 80;
    DrawLabel(surface, x, g.y4 + g.d, " " + strings.Get(str::kHopeOtherSheep));
    DrawLabel(surface, x, g.y4 + g.d - 4 * g.u, " " + strings.Get(str::kHopeAnointed));
    tickX = e - e / 3;
  } else {
    end =
        DrawLabel(surface, baptismLineEnd, g.y4 + g.d, " " + strings.Get(str::kPreviewHope) + " ");
    DrawFillInLine(surface, end, g.y4, hopeLineEnd);
    tickX = hopeLineEnd;
  }

  // The Czech card has the servant box below the elder and the pioneer box
  // beside it.
  const int lowerTick = language.cz ? str::kPreviewServant : str::kPreviewPioneer;
  const int besideTick = language.cz ? str::kPreviewPioneer : str::kPreviewServant;
  const int besideOffset = language.cz ? e / 6 : e / 9;
  int& lowerBox = language.cz ? boxes.servant : boxes.pioneer;
  int& besideBox = language.cz ? boxes.pioneer : boxes.servant;
  DrawTickLabel(surface, tickX, g.y4 + g.d, " " + strings.Get(lowerTick), lowerBox);
  DrawTickLabel(surface, tickX, g.y4 + g.d - 4 * g.u, " " + strings.Get(str::kPreviewElder),
                boxes.elder);
  surface.SetTextAlign(kAlignBottom);
  const std::string beside = " " + strings.Get(besideTick);
  besideBox = BoxMiddle(surface, tickX + besideOffset, beside);
  surface.TextOut(tickX + besideOffset, g.y4 + g.d - 4 * g.u, beside);

  surface.SelectObject(previousFont);
  surface.DeleteObject(labelFont);
  return boxes;
}

void DrawHeaderPreview(int left, int top, int right, int bottom, DrawingSurface& surface,
                       const CardRequest& request) {
  if (request.table == nullptr || request.strings == nullptr || request.table->Count() == 0) return;
  const PublisherTable& table = *request.table;
  const StringTable& strings = *request.strings;
  const HeaderGeometry g = MeasureHeader(left, top, right, bottom);
  const FormLanguage language = LanguageOf(request);
  const int e = g.e;
  const int xl = g.xl;

  SurfaceObject previousBrush = surface.SelectStockObject(kWhiteBrush);
  SurfaceObject previousPen = surface.SelectStockObject(kNullPen);
  SurfaceObject previousFont = surface.SelectStockObject(kVariablePitchSystemFont);
  const HeaderBoxes boxes = DrawHeaderForm(left, top, right, bottom, surface, request);
  // A mark stands in the middle of its label's box, at every width of the
  // pane: the labels keep their font while the pane's fractions grow. A
  // label without a box keeps the mark at its fraction of the pane.
  auto mark = [&](int box, int fallbackX, int y) {
    surface.TextOut(box != 0 ? box - surface.GetTextExtentPoint32("X").cx / 2 : fallbackX, y, "X");
  };

  const int publisher = request.publisher;
  // An index outside the table has no record to show; the form stays.
  if (table.IsValidIndex(publisher)) {
    // The data print only with the header; otherwise they keep the form colour.
    if (request.printHeader) surface.SetTextColor(kBlack);

    int nameX = strings.GetInt(str::kPreviewNameColumn) != 0 ? xl + e / 6 : xl + e / 10;
    DrawData(surface, nameX, g.y1, request.cardName);

    const std::uint8_t flags = table.RoleFlags(publisher);
    std::string gender;
    if (flags & record::kMale) gender = "[X] " + strings.Get(str::kMale);
    if (flags & record::kFemale) gender = "[X] " + strings.Get(str::kFemale);
    if (!gender.empty()) {
      // A complete card always prints the tick; otherwise the m/w box decides.
      if (!request.genderTicks && !request.completeCard) surface.SetTextColor(kGrey);
      surface.TextOut(xl + e - e / 6, g.y1, gender);
    }
    if (request.printHeader) surface.SetTextColor(kBlack);

    DrawData(surface, xl + e / 10, g.y2, table.Text(publisher, record::kAddress));
    DrawData(surface, xl + e / 8, g.y3, table.Text(publisher, record::kHomePhone));
    DrawData(surface, xl + e / 2 - e / 20, g.y3, request.cardMobile);
    DrawData(surface, xl + e - e / 5, g.y3,
             CardDate(table, publisher, true, request.dateFormat, request.languageCode, strings));
    DrawData(surface, language.cz ? xl + e / 8 : xl + e / 6, g.y4,
             CardDate(table, publisher, false, request.dateFormat, request.languageCode, strings));

    // Marks in the upper and lower of two stacked tick rows at y4.
    const int upperRow = g.y4 - g.u / 2 - g.d;
    const int lowerRow = g.y4 + g.u / 2 + g.d;

    if (IsBaptized(table, publisher)) {
      const bool anointed = table.Hope(publisher) == 'A';
      if (language.cz && request.cardVersion == 0) {
        surface.TextOut(xl + e / 2 - e / 12, anointed ? upperRow : lowerRow, "X");
      } else {
        std::string hope = strings.Get(anointed ? str::kHopeAnointed : str::kHopeOtherSheep);
        if (language.cz) hope = WithoutEmptyBoxes(hope);
        int k = e / 9;
        if (language.cz || language.sk) k = e / 4;
        if (language.polish) k = e / 6;
        DrawData(surface, xl + e - e / 4 - k, g.y4, hope);
      }
    }

    const int role = flags & 3;
    const bool elder = role == record::kRoleElder;
    const bool servant = role == record::kRoleServant;
    // The mark the print makes: the status of the report month itself,
    // whichever service year is shown.
    const bool regularPioneer = ReportMonthStatus(table, publisher, request.reportMonth,
                                                  request.reportYearShort) == kStatusRegularPioneer;
    const int tickColumn = (language.cz || language.sk) ? e / 3 : e / 4;

    if (elder) mark(boxes.elder, xl + e - e / 80 - tickColumn, upperRow);
    if (language.cz) {
      if (regularPioneer) mark(boxes.pioneer, xl + e + e / 48 - e / 5, upperRow);
      if (servant) mark(boxes.servant, xl + e - e / 3 - e / 80, lowerRow);
    } else {
      if (servant) {
        int x = xl + e + e / 55 - e / 6;
        if (language.sk) x -= e / 12;
        mark(boxes.servant, x, upperRow);
      }
      if (regularPioneer) mark(boxes.pioneer, xl + e - e / 80 - tickColumn, lowerRow);
    }
  }

  surface.SelectObject(previousFont);
  surface.SelectObject(previousPen);
  surface.SelectObject(previousBrush);
}

}  // namespace morvind
