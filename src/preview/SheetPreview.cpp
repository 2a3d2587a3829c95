#include "preview/SheetPreview.h"

#include <algorithm>
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

// Draws the band of the form from `fromY` to `toY` (hundredths of an inch)
// into the pane: its whole width across the pane's, its height down the
// pane's, each direction in units per inch of its own.
void DrawBand(int left, int top, int width, int height, DrawingSurface& surface, int fromY, int toY,
              const SheetPart& part) {
  const SurfaceObject previousBrush = surface.SelectStockObject(kWhiteBrush);
  const SurfaceObject previousPen = surface.SelectStockObject(kBlackPen);
  surface.Rectangle(left, top, left + width, top + height);
  surface.SelectObject(previousPen);
  surface.SelectObject(previousBrush);
  surface.SetBkMode(kTransparent);
  const Colour previousColour = surface.SetTextColor(kBlack);

  const int unitsX = std::max(1, (width - 2 * kPad) * 100 / sheet::kWidth);
  const int unitsY = std::max(1, (height - 2 * kPad) * 100 / (toY - fromY));
  ScaledSurface scaled(surface, unitsX, unitsY);
  const SurfacePoint origin{
      left + kPad, top + kPad - HundredthsToDevice(fromY, static_cast<std::uint32_t>(unitsY))};
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
