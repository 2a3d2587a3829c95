#pragma once

#include <map>

namespace morvind {

// A control's rectangle in the window's client area, in logical pixels.
struct WindowRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int Right() const { return x + width; }  // one past the last column
  int Bottom() const { return y + height; }
  bool operator==(const WindowRect&) const = default;
};

struct WindowSize {
  int width = 0;
  int height = 0;
  bool operator==(const WindowSize&) const = default;
};

// The ids of the main window's controls (template 102) that its layout moves.
namespace main_window {
inline constexpr int kPublisherList = 1000;
inline constexpr int kHeaderPane = 1006;
inline constexpr int kLastNameFirstBox = 1007;
inline constexpr int kLongNameBox = 1010;
inline constexpr int kFirstMonthBox = 1015;  // 1015..1026 = September .. August
inline constexpr int kPreviousYearBox = 1027;
inline constexpr int kTotalsBox = 1028;
inline constexpr int kFilterButton = 1029;
inline constexpr int kPrintHeaderBox = 1030;
inline constexpr int kGenderTicksBox = 1031;
inline constexpr int kCompleteCardBox = 1032;
inline constexpr int kOptionsButton = 1014;
inline constexpr int kBodyPane = 129;
inline constexpr int kPrintButton = 1;
inline constexpr int kEndButton = 2;
}  // namespace main_window

// The body preview's rows: the heading, September .. August, the totals.
inline constexpr int kBodyPreviewRows = 14;

// The top of a box `boxHeight` high centred in row `row` (0 = the heading)
// of the body preview `pane`, whose rows are a fourteenth of its height.
int BodyRowBoxTop(const WindowRect& pane, int row, int boxHeight);

// The main window's controls at the client size `now`, from their
// rectangles `smallest` at the smallest client size `minimum` (a `now`
// below it counts as `minimum`):
// - the list grows in height with the window, and by a third of the extra
//   width (so it never passes a third of the window);
// - both preview panes take the rest of the extra width, and they share
//   the extra height in the proportion of their heights at the smallest
//   size (the header pane above, the body pane below it);
// - the check boxes under the header pane move down with its bottom, those
//   under the body pane with the window's bottom; along its pane each keeps
//   its place in proportion of the pane's width;
// - the month boxes and the totals box stay right of the body pane, each
//   centred in its row at every height;
// - the buttons move down with the window's bottom: the filter button stays
//   under the list, as wide, "Fertig" at the right edge, and "Optionen" and
//   "Drucken" stand between them with each gap grown in proportion.
// Controls the layout does not know keep their rectangles. Controls that
// do not overlap at the smallest size never overlap at a larger one.
std::map<int, WindowRect> LayOutMainWindow(const std::map<int, WindowRect>& smallest,
                                           WindowSize minimum, WindowSize now);

// Where the note that tells of a print stands, `note` large, in a client
// area `clientWidth` wide: in the button row beside "Drucken" (`print`), on
// its left, when it fits between the button and "Optionen" (`options`);
// else just above "Drucken", starting where the button starts (within the
// client area).
WindowRect PrintNotePlace(const WindowRect& options, const WindowRect& print, WindowSize note,
                          int clientWidth);

}  // namespace morvind
