#include "printing/CardHeader.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/TextServices.h"
#include "layout/LayoutValueRules.h"
#include "printing/FormGeometry.h"
#include "resources/StringIds.h"

namespace morvind {
namespace {

// Lengths of the card are unsigned and truncate like the card's own
// arithmetic; positions become signed once the margins are added.
using Units = std::uint32_t;

int ToInt(Units units) {
  return static_cast<int>(units);
}

// Czech cards other than version 0 have no empty boxes in front of the
// hope mark, so the boxes that a translated text may carry are dropped.
std::string WithoutEmptyBoxes(std::string text) {
  static constexpr std::string_view kEmptyBox = "[   ] ";
  for (std::size_t at = text.find(kEmptyBox); at != std::string::npos;
       at = text.find(kEmptyBox, at))
    text.erase(at, kEmptyBox.size());
  return text;
}

// An empty text would draw nothing visible; leaving it out keeps the page
// free of empty text runs.
void DrawItem(DrawingSurface& surface, int x, int y, const std::string& text) {
  if (!text.empty()) surface.TextOut(x, y, text);
}

// The labels of the complete card are drawn at the current position
// (alignment 1); each one is followed by a gap and an underline that sits
// `under` units below the label's top.
class LabelWriter {
 public:
  LabelWriter(DrawingSurface& surface, int left, int gap, int under)
      : surface_(surface), left_(left), gap_(gap), under_(under) {}

  // Draws `text` at the current position and moves on to the start of its
  // underline; returns the label's right end.
  SurfacePoint Label(const std::string& text) {
    surface_.TextOut(0, 0, text);  // x and y are ignored under alignment 1
    SurfacePoint end = surface_.GetCurrentPositionEx();
    underlineY_ = end.y + under_;
    surface_.MoveTo(end.x + gap_, underlineY_);
    return end;
  }
  SurfacePoint LabelAt(int y, const std::string& text) {
    surface_.MoveTo(left_, y);
    return Label(text);
  }
  void UnderlineTo(int x) { surface_.LineTo(x, underlineY_); }

 private:
  DrawingSurface& surface_;
  int left_, gap_, under_;
  int underlineY_ = 0;
};

}  // namespace

DeviceMargins MarginsToDevice(const CardRequest& request, int dx, int dy) {
  DeviceMargins margins;
  margins.left = ToInt(LayoutValueToDevice(static_cast<Units>(dx), request.leftMargin));
  margins.top = ToInt(LayoutValueToDevice(static_cast<Units>(dy), request.topMargin));
  return margins;
}

void DrawTickBox(DrawingSurface& surface, int x, int y, bool ticked) {
  const Units dx = UnitsPerInch(surface, kLogPixelsX);
  const Units dy = UnitsPerInch(surface, kLogPixelsY);
  const int width = ToInt(dx / 13);
  const int height = ToInt(dy / 13);

  const SurfaceObject tickPen = surface.CreatePen(kPenSolid, ToInt(dx / 120));
  const SurfaceObject previousPen = surface.SelectObject(tickPen);
  surface.MoveTo(x, y);
  surface.LineTo(x - width, y);
  surface.LineTo(x - width, y - height);
  surface.LineTo(x, y - height);
  surface.LineTo(x, y);
  if (ticked) {
    // The box closed at its bottom-right corner, where the first diagonal starts.
    surface.LineTo(x - width, y - height);
    surface.MoveTo(x, y - height);
    surface.LineTo(x - width, y);
  }
  surface.SelectObject(previousPen);
  surface.DeleteObject(tickPen);
}

void DrawCardHeader(DrawingSurface& surface, const CardRequest& request) {
  if (!request.printHeader && !request.completeCard) return;
  if (request.table == nullptr || request.strings == nullptr) return;
  const PublisherTable& table = *request.table;
  const StringTable& strings = *request.strings;
  const int publisher = request.publisher;
  // The print job never draws without a publisher; a stale index must not
  // read beyond the table.
  if (publisher < 1 || !table.IsValidIndex(publisher)) return;

  const LayoutRecord& layout = request.layout;
  const bool complete = request.completeCard;
  const bool cr = request.languageCode == "CR";

  const Units dx = UnitsPerInch(surface, kLogPixelsX);
  const Units dy = UnitsPerInch(surface, kLogPixelsY);
  surface.SetMapMode(kMapModeText);
  const DeviceMargins margins = MarginsToDevice(request, ToInt(dx), ToInt(dy));
  const int left = margins.left;
  const int top = margins.top;

  auto layoutX = [&](int slot) { return ToInt(LayoutValueToDevice(dx, layout.Text(slot))) + left; };
  auto layoutY = [&](int slot) { return ToInt(LayoutValueToDevice(dy, layout.Text(slot))) + top; };
  const std::string formColumns = strings.Get(str::kHeaderFormColumns);
  // In complete-card mode the data stand at the form's own columns.
  auto itemX = [&](int formColumn, int slot) {
    return complete ? ToInt(FormColumnToDevice(formColumns, formColumn, dx)) + left : layoutX(slot);
  };

  const Units cardWidthUnits = 5 * dx + dx / 2;
  const int cardWidth = ToInt(cardWidthUnits);
  const std::uint8_t roleFlags = table.RoleFlags(publisher);
  const int role = roleFlags & 3;
  const bool regularPioneer = ReportMonthStatus(table, publisher, request.reportMonth,
                                                request.reportYearShort) == kStatusRegularPioneer;

  const int previousAlign = surface.SetTextAlign(kAlignLeft);
  SurfaceObject labelFont = 0;

  if (complete) {
    PointFontRecord title;
    title.tenthsOfPoint = request.languageCode == "Ita" ? 105 : 110;
    title.weight = 700;
    title.charset = request.fontCharset;
    title.pitchAndFamily = kPitchVariableRoman;
    title.face = "Times New Roman";
    const SurfaceObject titleFont = surface.CreatePointFontIndirect(title);
    const SurfaceObject beforeTitle = surface.SelectObject(titleFont);
    surface.SetTextAlign(kAlignCenter);
    surface.TextOut(ToInt(cardWidthUnits / 2) + left, top, strings.Get(str::kCardTitle));
    surface.SelectObject(beforeTitle);
    surface.DeleteObject(titleFont);

    PointFontRecord label;
    label.tenthsOfPoint = 70;
    label.weight = 400;
    label.charset = request.fontCharset;
    label.pitchAndFamily = kPitchVariableSwiss;
    label.face = "Arial";
    labelFont = surface.CreatePointFontIndirect(label);
    const SurfaceObject beforeLabels = surface.SelectObject(labelFont);
    surface.SetTextAlign(kAlignLeft);
    const int genderX =
        cardWidth - ToInt(FormColumnToDevice(strings.Get(str::kGenderLabelOffset), 0, dx)) + left;
    surface.TextOut(genderX, top, strings.Get(str::kMale));
    surface.TextOut(genderX, top + ToInt(dy / 9), strings.Get(str::kFemale));
    DrawTickBox(surface, cardWidth + left, top + ToInt(dy / 12), (roleFlags & record::kMale) != 0);
    DrawTickBox(surface, cardWidth + left, top + ToInt(dy / 12) + ToInt(dy / 9),
                (roleFlags & record::kFemale) != 0);
    surface.SelectObject(beforeLabels);
  }

  const SurfaceObject dataFont = surface.CreatePointFont(100, "Arial");
  const SurfaceObject previousFont = surface.SelectObject(dataFont);
  surface.SetTextAlign(kAlignLeft);

  DrawItem(surface, itemX(0, kNameX), layoutY(kNameY), request.cardName);

  if (!complete && request.genderTicks) {
    // Female wins when both bits are set: one card, one tick.
    int slotX = -1;
    if (roleFlags & record::kFemale) {
      slotX = kFemaleX;
    } else if (roleFlags & record::kMale) {
      slotX = kMaleX;
    }
    // A cleared X slot means the card version has no gender box.
    if (slotX >= 0 && LayoutValueToDevice(dx, layout.Text(slotX)) != 0)
      surface.TextOut(layoutX(slotX), layoutY(slotX + 1), "x");
  }

  DrawItem(surface, itemX(1, kAddressX), layoutY(kAddressY),
           table.Text(publisher, record::kAddress));

  // Costa Rican cards have one telephone line, which carries both numbers.
  std::string homePhone = table.Text(publisher, record::kHomePhone);
  if (cr) {
    if (!homePhone.empty() && !request.cardMobile.empty()) homePhone += " / ";
    homePhone += request.cardMobile;
  }
  DrawItem(surface, itemX(2, kHomePhoneX), layoutY(kHomePhoneY), homePhone);
  if (!cr) DrawItem(surface, itemX(3, kMobilePhoneX), layoutY(kMobilePhoneY), request.cardMobile);

  DrawItem(surface, itemX(4, kBirthDateX), layoutY(kBirthDateY),
           CardDate(table, publisher, true, request.dateFormat, request.languageCode, strings));

  if (!complete) {
    if (role == record::kRoleElder) {
      surface.TextOut(layoutX(kElderX), layoutY(kElderY), "x");
    } else if (role == record::kRoleServant) {
      surface.TextOut(layoutX(kServantX), layoutY(kServantY), "x");
    }
  }

  // The complete card's baptism line sits a little lower than the others.
  const int baptismY = layoutY(kBaptismDateY) + (complete ? ToInt(dy / 25) : 0);
  DrawItem(surface, itemX(5, kBaptismDateX), baptismY,
           CardDate(table, publisher, false, request.dateFormat, request.languageCode, strings));

  if (IsBaptized(table, publisher)) {
    const bool anointed = table.Hope(publisher) == 'A';
    const bool czech = request.languageCode == "cz";
    // The Czech form of version 0 has two boxes, anointed above the other,
    // and takes a tick in one of them.
    const bool czechBoxes = czech && request.cardVersion == 0;
    std::string hope = czechBoxes
                           ? std::string(1, 'x')
                           : strings.Get(anointed ? str::kHopeAnointed : str::kHopeOtherSheep);
    if (czech && !czechBoxes) hope = WithoutEmptyBoxes(hope);
    const int hopeY = czechBoxes && anointed ? baptismY - ToInt(dy / 12) : baptismY;
    DrawItem(surface, itemX(6, kHopeX), hopeY, hope);
  }

  if (!complete && regularPioneer) surface.TextOut(layoutX(kPioneerX), layoutY(kPioneerY), "x");

  if (complete) {
    // The tick block at the right, laid out from the card's right edge
    // leftwards, each label's left end placing the next item.
    surface.SelectObject(labelFont);
    const int y1 = ToInt(LayoutValueToDevice(dy + dy / 20, layout.Text(kServantY))) + top;
    const int boxGap = ToInt(dx / 18);
    const int boxDrop = ToInt(dy / 12);
    surface.SetTextAlign(kAlignRight | kAlignUpdateCp);
    surface.MoveTo(cardWidth + left, y1);
    surface.TextOut(0, 0, strings.Get(str::kLabelServant));
    const SurfacePoint p1 = surface.GetCurrentPositionEx();
    DrawTickBox(surface, p1.x - boxGap, y1 + boxDrop, role == record::kRoleServant);
    surface.MoveTo(p1.x - ToInt(dx / 5), y1);
    surface.TextOut(0, 0, strings.Get(str::kLabelElder));
    const SurfacePoint p2 = surface.GetCurrentPositionEx();
    DrawTickBox(surface, p2.x - boxGap, y1 + boxDrop, role == record::kRoleElder);
    const int y2 = y1 + ToInt(dy / 8);
    DrawTickBox(surface, p2.x - boxGap, y2 + boxDrop, regularPioneer);
    surface.SetTextAlign(kAlignLeft);
    surface.TextOut(p2.x, y2, strings.Get(str::kLabelRegularPioneer));

    // The baptism line shares the room left of the tick block between its
    // two labels. Their widths are measured in the data font, which is
    // larger than the labels' own, so the estimate errs on the roomy side.
    surface.SelectObject(dataFont);
    const std::string immersedLabel = strings.Get(str::kLabelDateImmersed);
    const std::string hopeLabel = strings.Get(str::kLabelHope);
    const int rightLimit = p2.x - ToInt(dx / 4);
    const int room = rightLimit - surface.GetTextExtentPoint32(immersedLabel).cx - left -
                     surface.GetTextExtentPoint32(hopeLabel).cx;
    // Long labels can leave no room; the underline then shrinks to nothing
    // instead of running off the card.
    const int lineShare = std::max(0, room / 2 + ToInt(dx / 3));

    surface.SelectObject(labelFont);
    const SurfaceObject thinPen = surface.CreatePen(kPenSolid | kPenGeometric, 2);
    const SurfaceObject previousPen = surface.SelectObject(thinPen);
    surface.SetTextAlign(kAlignUpdateCp);
    const int gap = ToInt(dx / 20);
    LabelWriter labels(surface, left, gap, ToInt(dy / 12));

    labels.LabelAt(layoutY(kNameY) + ToInt(dy / 20), strings.Get(str::kLabelName));
    labels.UnderlineTo(cardWidth + left);
    labels.LabelAt(layoutY(kAddressY) + ToInt(dy / 15), strings.Get(str::kLabelHomeAddress));
    labels.UnderlineTo(cardWidth + left);

    const int yt = layoutY(kHomePhoneY) + ToInt(dy / 15);
    labels.LabelAt(yt, strings.Get(str::kLabelHomeTelephone));
    const int half = ToInt(cardWidthUnits / 2);
    const int third = ToInt(cardWidthUnits / 3);
    if (cr) {
      labels.UnderlineTo(half + left);
      surface.MoveTo(half + gap + left, yt);
    } else {
      labels.UnderlineTo(third + left);
      surface.MoveTo(third + gap + left, yt);
      labels.Label(strings.Get(str::kLabelMobileTelephone));
      labels.UnderlineTo(2 * third + left);
      surface.MoveTo(2 * third + gap + left, yt);
    }
    labels.Label(strings.Get(str::kLabelDateOfBirth));
    labels.UnderlineTo(cardWidth + left);

    const int yb =
        ToInt(LayoutValueToDevice(dy + dy / 20, layout.Text(kBaptismDateY))) + ToInt(dy / 15) + top;
    const SurfacePoint immersedEnd = labels.LabelAt(yb, immersedLabel);
    labels.UnderlineTo(immersedEnd.x + gap + lineShare);
    surface.MoveTo(immersedEnd.x + 2 * gap + lineShare, yb);
    labels.Label(hopeLabel);
    labels.UnderlineTo(rightLimit);

    surface.SelectObject(previousPen);
    surface.DeleteObject(thinPen);
  }

  surface.SelectObject(previousFont);
  surface.DeleteObject(dataFont);
  if (labelFont != 0) surface.DeleteObject(labelFont);
  surface.SetTextAlign(previousAlign);
}

}  // namespace morvind
