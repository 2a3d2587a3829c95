#include "preview/SheetPreview.h"

#include <algorithm>
#include <cstdint>
#include <functional>

#include "printing/FormGeometry.h"
#include "printing/ScaledSurface.h"
#include "printing/SheetContent.h"
#include "printing/SheetLayout.h"
#include "printing/SheetPage.h"

namespace morvind {
namespace {

constexpr int kPad = 3;  // pixels between the frame and the form

using SheetPart = std::function<void(DrawingSurface&, SurfacePoint origin)>;

// The largest whole number of units per inch at which `hundredths` of an
// inch come to at most `pixels` (HundredthsToDevice truncates); at least 1.
int LargestFittingUnits(int hundredths, int pixels) {
  if (hundredths <= 0 || pixels <= 0) return 1;
  return std::max(1, (100 * (pixels + 1) - 1) / hundredths);
}

// Draws the band of the form from `fromY` to `toY` (hundredths of an inch)
// into the pane on a white ground with a frame: in one scale across and
// down, the largest at which the form's width and the band's height fit
// inside the frame, and centred. The page keeps its proportions, and its
// tick boxes stay square.
void DrawBand(int left, int top, int width, int height, DrawingSurface& surface, int fromY, int toY,
              const SheetPart& part) {
  const SurfaceObject previousBrush = surface.SelectStockObject(kWhiteBrush);
  const SurfaceObject previousPen = surface.SelectStockObject(kBlackPen);
  surface.Rectangle(left, top, left + width, top + height);
  surface.SelectObject(previousPen);
  surface.SelectObject(previousBrush);
  surface.SetBkMode(kTransparent);
  const Colour previousColour = surface.SetTextColor(kBlack);

  const int roomX = width - 2 * kPad;
  const int roomY = height - 2 * kPad;
  const int units =
      std::min(LargestFittingUnits(sheet::kWidth, roomX), LargestFittingUnits(toY - fromY, roomY));
  const auto scale = static_cast<std::uint32_t>(units);
  ScaledSurface scaled(surface, units, units);
  const SurfacePoint origin{left + kPad + (roomX - HundredthsToDevice(sheet::kWidth, scale)) / 2,
                            top + kPad + (roomY - HundredthsToDevice(toY - fromY, scale)) / 2 -
                                HundredthsToDevice(fromY, scale)};
  part(scaled, origin);
  surface.SetTextColor(previousColour);
}

}  // namespace

void DrawSheetHeaderPreview(int left, int top, int right, int bottom, DrawingSurface& surface,
                            const CardRequest& request) {
  const SheetContent content = MakeSheetContent(request);
  DrawBand(left, top, right, bottom, surface, sheet::kNameTop - sheet::kDataRise,
           sheet::kHeaderBottom, [&](DrawingSurface& scaled, SurfacePoint origin) {
             DrawSheetHeader(scaled, content, origin, request.fontCharset);
           });
}

void DrawSheetTablePreview(int left, int top, int right, int bottom, DrawingSurface& surface,
                           const CardRequest& request) {
  const SheetContent content = MakeSheetContent(request);
  // A little below the table, for the width of its bottom rule.
  DrawBand(left, top, right, bottom, surface, sheet::kTableTop, sheet::kTableBottom + 2,
           [&](DrawingSurface& scaled, SurfacePoint origin) {
             DrawSheetTable(scaled, content, origin, request.fontCharset);
           });
}

}  // namespace morvind
