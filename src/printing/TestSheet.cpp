#include "printing/TestSheet.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "layout/LayoutSlotNames.h"
#include "layout/LayoutValueRules.h"
#include "printing/CardDocument.h"
#include "printing/CardHeader.h"
#include "printing/FormGeometry.h"

namespace morvind {
namespace {

// A rectangle of the page; right and bottom lie outside it.
struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
};

int OverlapArea(const Box& a, const Box& b) {
  const int width = std::min(a.right, b.right) - std::max(a.left, b.left);
  const int height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return width > 0 && height > 0 ? width * height : 0;
}

bool Contains(const Box& outer, const Box& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// Where a cross's name goes first. A header item's text runs from its
// anchor to the right, so its name stands left of the cross on the item's
// line, where the items before it on that line have mostly ended; the body
// has room above its first row, where the names of its columns stand.
enum class NamePlace { kBeside, kAbove };

struct Mark {
  int x = 0;
  int y = 0;
  std::string name;
  NamePlace place = NamePlace::kBeside;
};

int ToDevice(int unitsPerInch, const std::string& value) {
  return static_cast<int>(LayoutValueToDevice(static_cast<std::uint32_t>(unitsPerInch), value));
}

// The anchors of every slot the layout details dialog shows: the header
// items where their text begins; the body's top and the end of its twelve
// rows on the grid's origin line; the columns on the first month's row.
std::vector<Mark> SlotMarks(const CardRequest& card, int dx, int dy) {
  const DeviceMargins margins = MarginsToDevice(card, dx, dy);
  const LayoutRecord& layout = card.layout;
  const StringTable& strings = *card.strings;
  std::vector<Mark> marks;
  for (int item = 0; item < kHeaderItemCount; ++item) {
    marks.push_back(Mark{ToDevice(dx, layout.HeaderX(item)) + margins.left,
                         ToDevice(dy, layout.HeaderY(item)) + margins.top,
                         LayoutSlotName(2 * item, strings), NamePlace::kBeside});
  }
  const int bodyTop = ToDevice(dy, layout.Text(kBodyTop)) + margins.top;
  marks.push_back(
      Mark{margins.left, bodyTop, LayoutSlotName(kBodyTop, strings), NamePlace::kAbove});
  marks.push_back(Mark{margins.left, bodyTop + ToDevice(dy, layout.Text(kBodyHeight)),
                       LayoutSlotName(kBodyHeight, strings), NamePlace::kAbove});
  for (int slot = kPlacementsColumn; slot <= kRemarksColumn; ++slot) {
    if (slot == kHiddenColumn) continue;
    marks.push_back(Mark{ToDevice(dx, layout.Text(slot)) + margins.left, bodyTop,
                         LayoutSlotName(slot, strings), NamePlace::kAbove});
  }
  return marks;
}

// The steps of the grid whose lines fall on the page: the origin plus their
// offset within 0 .. extent.
std::vector<int> StepsOnPage(int origin, int extent, LengthUnit unit, int unitsPerInch) {
  std::vector<int> steps;
  if (unitsPerInch <= 0 || extent <= 0) return steps;
  int first = 0;
  while (origin + GridLineOffset(first - 1, unit, unitsPerInch) >= 0) --first;
  for (int step = first; origin + GridLineOffset(step, unit, unitsPerInch) <= extent; ++step)
    steps.push_back(step);
  return steps;
}

bool IsStrongStep(int step) {
  return step % 5 == 0;  // half an inch, or 5 mm
}
bool IsFigureStep(int step) {
  return step >= 0 && step % 10 == 0;  // every inch, or every 10 mm
}

std::string FigureText(int step, LengthUnit unit) {
  return std::to_string(unit == LengthUnit::kInch ? step / 10 : step);
}

class SheetPainter {
 public:
  SheetPainter(DrawingSurface& surface, const CardRequest& card, LengthUnit unit)
      : surface_(surface),
        card_(card),
        unit_(unit),
        dx_(static_cast<int>(UnitsPerInch(surface, kLogPixelsX))),
        dy_(static_cast<int>(UnitsPerInch(surface, kLogPixelsY))),
        page_{0, 0, std::max(0, surface.GetDeviceCaps(kHorzRes)),
              std::max(0, surface.GetDeviceCaps(kVertRes))} {
    const DeviceMargins margins = MarginsToDevice(card, dx_, dy_);
    originX_ = margins.left;
    originY_ = margins.top;
    columns_ = StepsOnPage(originX_, page_.right, unit, dx_);
    rows_ = StepsOnPage(originY_, page_.bottom, unit, dy_);
  }

  void Draw() {
    previousPen_ = surface_.SelectStockObject(kBlackPen);
    previousPenColour_ = surface_.SetPenColor(kGridFineGrey);
    previousTextColour_ = surface_.SetTextColor(kMarkGrey);
    previousAlign_ = surface_.SetTextAlign(kAlignLeft);

    // The strong lines go over the fine ones where they cross.
    DrawLines(false, std::max(1, dx_ / 300), kGridFineGrey);
    DrawLines(true, std::max(1, dx_ / 120), kGridGrey);
    DrawFigures();
    DrawMarks();

    surface_.SelectObject(previousPen_);
    surface_.SetPenColor(previousPenColour_);
    surface_.SetTextColor(previousTextColour_);
    surface_.SetTextAlign(previousAlign_);
  }

 private:
  int X(int step) const { return originX_ + GridLineOffset(step, unit_, dx_); }
  int Y(int step) const { return originY_ + GridLineOffset(step, unit_, dy_); }

  void DrawLines(bool strong, int width, Colour colour) {
    const SurfaceObject pen = surface_.CreatePen(kPenSolid, width);
    surface_.SelectObject(pen);
    surface_.SetPenColor(colour);
    for (int step : columns_) {
      if (IsStrongStep(step) != strong) continue;
      surface_.MoveTo(X(step), page_.top);
      surface_.LineTo(X(step), page_.bottom);
    }
    for (int step : rows_) {
      if (IsStrongStep(step) != strong) continue;
      surface_.MoveTo(page_.left, Y(step));
      surface_.LineTo(page_.right, Y(step));
    }
    surface_.SelectStockObject(kBlackPen);
    surface_.DeleteObject(pen);
  }

  SurfaceObject SelectFont(int tenthsOfPoint) {
    const SurfaceObject font = surface_.CreatePointFontIndirect(
        PointFontRecord{tenthsOfPoint, 400, card_.fontCharset, kPitchVariableSwiss, "Arial"});
    previousFont_ = surface_.SelectObject(font);
    return font;
  }
  void ReleaseFont(SurfaceObject font) {
    surface_.SelectObject(previousFont_);
    surface_.DeleteObject(font);
  }

  // Each figure sits just after its line: along the top edge right of it,
  // along the left edge below it. The first figure along the top names the
  // unit. Their places are noted so that no name covers them.
  void DrawFigures() {
    const SurfaceObject font = SelectFont(70);
    const int gap = dx_ / 40;
    auto figure = [&](int x, int y, const std::string& text) {
      const SurfaceSize size = surface_.GetTextExtentPoint32(text);
      const Box box{x, y, x + size.cx, y + size.cy};
      // Where both origins lie near the page's corner, the top's "0 Zoll"
      // stands for both.
      for (const Box& other : figures_)
        if (OverlapArea(box, other) > 0) return;
      surface_.TextOut(x, y, text);
      figures_.push_back(box);
    };
    for (int step : columns_) {
      if (!IsFigureStep(step)) continue;
      const std::string unit = step != 0 ? "" : unit_ == LengthUnit::kInch ? " Zoll" : " mm";
      figure(X(step) + gap, gap, FigureText(step, unit_) + unit);
    }
    for (int step : rows_) {
      if (IsFigureStep(step)) figure(gap, Y(step) + gap, FigureText(step, unit_));
    }
    ReleaseFont(font);
  }

  void DrawMarks() {
    const std::vector<Mark> marks = SlotMarks(card_, dx_, dy_);
    const int arm = dx_ / 20;
    const int halfPen = std::max(1, dx_ / 150) / 2 + 1;
    const SurfaceObject pen = surface_.CreatePen(kPenSolid, std::max(1, dx_ / 150));
    surface_.SelectObject(pen);
    surface_.SetPenColor(kMarkGrey);
    std::vector<Box> taken = figures_;  // the figures, the crosses' arms, each name placed
    for (const Mark& mark : marks) {
      surface_.MoveTo(mark.x - arm, mark.y);
      surface_.LineTo(mark.x + arm, mark.y);
      surface_.MoveTo(mark.x, mark.y - arm);
      surface_.LineTo(mark.x, mark.y + arm);
      taken.push_back(Box{mark.x - arm, mark.y - halfPen, mark.x + arm, mark.y + halfPen});
      taken.push_back(Box{mark.x - halfPen, mark.y - arm, mark.x + halfPen, mark.y + arm});
    }
    surface_.SelectStockObject(kBlackPen);
    surface_.DeleteObject(pen);

    const SurfaceObject font = SelectFont(60);
    for (const Mark& mark : marks) {
      if (mark.name.empty()) continue;
      const Box box = PlaceName(mark, surface_.GetTextExtentPoint32(mark.name), taken);
      surface_.TextOut(box.left, box.top, mark.name);
      taken.push_back(box);
    }
    ReleaseFont(font);
  }

  // A name goes beside its cross, clear of its item where it can, in the
  // order of its NamePlace. The first place on the page that covers no
  // cross and no name placed before wins; failing that, the place on the
  // page that covers least.
  Box PlaceName(const Mark& mark, SurfaceSize size, const std::vector<Box>& taken) const {
    const int gap = dx_ / 50;
    const int arm = dx_ / 20;
    auto at = [&](int left, int top) { return Box{left, top, left + size.cx, top + size.cy}; };
    const int left = mark.x - gap - size.cx;
    const int right = mark.x + gap;
    const int above = mark.y - gap - size.cy;
    const int below = mark.y + gap;
    const Box leftBeside = at(mark.x - arm - gap - size.cx, mark.y + gap / 2);
    const std::vector<Box> places =
        mark.place == NamePlace::kBeside
            ? std::vector<Box>{leftBeside, at(left, above), at(right, above), at(left, below),
                               at(right, below)}
            : std::vector<Box>{at(left, above),           at(right, above),
                               at(left, above - size.cy), at(right, above - size.cy),
                               at(right, below),          at(left, below)};
    const Box* best = &places.front();
    int bestCover = std::numeric_limits<int>::max();
    for (const Box& place : places) {
      if (!Contains(page_, place)) continue;
      int cover = 0;
      for (const Box& other : taken) cover += OverlapArea(place, other);
      if (cover < bestCover) {
        best = &place;
        bestCover = cover;
      }
      if (cover == 0) break;
    }
    return *best;
  }

  DrawingSurface& surface_;
  const CardRequest& card_;
  LengthUnit unit_;
  int dx_, dy_;
  Box page_;
  int originX_ = 0, originY_ = 0;
  std::vector<int> columns_, rows_;  // the steps of the vertical and horizontal lines
  std::vector<Box> figures_;         // where the figures stand
  SurfaceObject previousPen_ = 0, previousFont_ = 0;
  Colour previousPenColour_ = kBlack, previousTextColour_ = kBlack;
  int previousAlign_ = kAlignLeft;
};

}  // namespace

bool TakesTestSheet(const CardRequest& card) {
  return IsForPrePrintedCards(card) && !card.completeCard;
}

int GridLineOffset(int step, LengthUnit unit, int unitsPerInch) {
  const std::uint32_t units = static_cast<std::uint32_t>(std::max(0, unitsPerInch));
  const std::uint32_t steps = static_cast<std::uint32_t>(std::abs(step));
  // A tenth of an inch as LayoutValueToDevice converts it; a millimetre is
  // 10/254 of an inch.
  const std::uint32_t offset =
      unit == LengthUnit::kInch ? steps * units / 10 : steps * units * 10 / 254;
  return step < 0 ? -static_cast<int>(offset) : static_cast<int>(offset);
}

void DrawTestSheet(DrawingSurface& surface, const CardRequest& card, LengthUnit unit) {
  if (card.strings == nullptr) return;
  SheetPainter(surface, card, unit).Draw();
}

}  // namespace morvind
