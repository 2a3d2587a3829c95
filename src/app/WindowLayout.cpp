#include "app/WindowLayout.h"

#include <algorithm>
#include <cstdint>

namespace morvind {
namespace {

namespace id = main_window;

// a × b / c in 64 bits, truncating (every operand here is at least 0).
int Scale(int a, int b, int c) {
  return c <= 0 ? a : static_cast<int>(static_cast<std::int64_t>(a) * b / c);
}

// `rect`'s place along `pane` (at the smallest size) carried over to
// `grown`: its left edge at the same fraction of the pane's width.
int AlongPane(const WindowRect& rect, const WindowRect& pane, const WindowRect& grown) {
  return grown.x + Scale(rect.x - pane.x, grown.width, pane.width);
}

bool IsMonthOrTotalsBox(int control) {
  return (control >= id::kFirstMonthBox && control < id::kFirstMonthBox + 12) ||
         control == id::kTotalsBox;
}

int BodyRowOf(int control) {
  return control == id::kTotalsBox ? kBodyPreviewRows - 1 : control - id::kFirstMonthBox + 1;
}

}  // namespace

int BodyRowBoxTop(const WindowRect& pane, int row, int boxHeight) {
  const int rowHeight = pane.height / kBodyPreviewRows;
  return pane.y + row * rowHeight + (rowHeight - boxHeight) / 2;
}

std::map<int, WindowRect> LayOutMainWindow(const std::map<int, WindowRect>& smallest,
                                           WindowSize minimum, WindowSize now) {
  std::map<int, WindowRect> placed = smallest;
  const auto header = smallest.find(id::kHeaderPane);
  const auto body = smallest.find(id::kBodyPane);
  if (header == smallest.end() || body == smallest.end()) return placed;
  const int dw = std::max(0, now.width - minimum.width);
  const int dh = std::max(0, now.height - minimum.height);

  // The list takes a third of the extra width, so that long names (the
  // totals records') show whole; it never passes a third of the window.
  const int listShare = dw / 3;
  const WindowRect& headerPane = header->second;
  const WindowRect& bodyPane = body->second;
  const int headerShare =
      Scale(dh, headerPane.height, std::max(1, headerPane.height + bodyPane.height));
  WindowRect grownHeader = headerPane;
  grownHeader.x += listShare;
  grownHeader.width += dw - listShare;
  grownHeader.height += headerShare;
  WindowRect grownBody = bodyPane;
  grownBody.x += listShare;
  grownBody.y += headerShare;
  grownBody.width += dw - listShare;
  grownBody.height += dh - headerShare;

  // The gaps between the filter button, "Optionen", "Drucken" and "Fertig".
  const auto filter = smallest.find(id::kFilterButton);
  const auto options = smallest.find(id::kOptionsButton);
  const auto print = smallest.find(id::kPrintButton);
  const auto end = smallest.find(id::kEndButton);
  const bool buttonRow = filter != smallest.end() && options != smallest.end() &&
                         print != smallest.end() && end != smallest.end();

  for (auto& [control, rect] : placed) {
    const WindowRect& was = smallest.at(control);
    if (control == id::kHeaderPane) {
      rect = grownHeader;
    } else if (control == id::kBodyPane) {
      rect = grownBody;
    } else if (control == id::kPublisherList) {
      rect.width += listShare;
      rect.height += dh;
    } else if (control == id::kLastNameFirstBox || control == id::kLongNameBox ||
               control == id::kPrintHeaderBox || control == id::kGenderTicksBox) {
      rect.x = AlongPane(was, headerPane, grownHeader);
      rect.y += headerShare;
    } else if (control == id::kPreviousYearBox || control == id::kCompleteCardBox) {
      rect.x = AlongPane(was, bodyPane, grownBody);
      rect.y += dh;
    } else if (IsMonthOrTotalsBox(control)) {
      rect.x += dw;
      rect.y = BodyRowBoxTop(grownBody, BodyRowOf(control), rect.height);
    } else if (control == id::kFilterButton) {
      rect.width += listShare;
      rect.y += dh;
    } else if (control == id::kEndButton) {
      rect.x += dw;
      rect.y += dh;
    }
  }
  if (buttonRow) {
    const WindowRect& f = filter->second;
    const WindowRect& o = options->second;
    const WindowRect& p = print->second;
    const WindowRect& e = end->second;
    const int gapBefore = std::max(0, o.x - f.Right());
    const int gapBetween = std::max(0, p.x - o.Right());
    const int gaps = gapBefore + gapBetween + std::max(0, e.x - p.Right());
    // The gaps share what the filter button's growth leaves of the width.
    const int room = gaps + dw - listShare;
    WindowRect& grownOptions = placed[id::kOptionsButton];
    WindowRect& grownPrint = placed[id::kPrintButton];
    grownOptions.x = f.Right() + listShare + Scale(gapBefore, room, gaps);
    grownOptions.y = o.y + dh;
    grownPrint.x = grownOptions.Right() + Scale(gapBetween, room, gaps);
    grownPrint.y = p.y + dh;
  }
  return placed;
}

WindowRect PrintNotePlace(const WindowRect& options, const WindowRect& print, WindowSize note,
                          int clientWidth) {
  constexpr int kGap = 6;
  if (options.Right() + kGap <= print.x - kGap - note.width)
    return {print.x - kGap - note.width, print.y + (print.height - note.height) / 2, note.width,
            note.height};
  // Above the button it starts where the button starts: to its left lie the
  // check boxes under the body pane, to its right nothing but "Fertig".
  const int x = std::max(kGap, std::min(print.x, clientWidth - kGap - note.width));
  return {x, print.y - kGap - note.height, note.width, note.height};
}

}  // namespace morvind
