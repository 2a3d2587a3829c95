#pragma once

#include <QRect>
#include <QString>
#include <vector>

class QWidget;

namespace morvind {

// The pixels a control lacks for its caption to show whole in its own font
// and style: the widest line of the caption (mnemonic marks and trailing
// blanks left out) against the room the control gives it. 0 when it fits
// or the control has no caption.
int CaptionShortfall(const QWidget* control);

// Where a control may take room: its neighbours and the area it must stay in.
struct CaptionRoom {
  std::vector<QRect> neighbours;  // other controls (their template rectangles)
  QRect bounds;                   // inside the innermost frame, or the dialog
  int gap = 2;                    // pixels kept free towards a neighbour
};

// `rect` widened by `shortfall` pixels where there is room, keeping the
// control's order and row: a control whose text runs from the left grows to
// the right first, a right-aligned one to the left first, a centred one
// (push buttons, centred labels) to both sides. Neighbours the rectangle
// already overlaps do not count. Takes what room there is when there is
// less than the shortfall.
QRect WidenIntoRoom(const QRect& rect, int shortfall, Qt::Alignment textAlignment,
                    const CaptionRoom& room);

// The width a window needs for `title` to show whole in its title bar: the
// title in the application's font made bold (the window manager draws it
// in a font of its own, most often that one, often bold) and room for the
// window's icon and three buttons as wide as the bar is high.
int TitleBarWidth(const QString& title);

// A word-wrapped label as high as its text needs, grown downwards where
// there is room (its width stays); `rect` when it is high enough already.
QRect DeepenIntoRoom(const QRect& rect, int neededHeight, const CaptionRoom& room);

}  // namespace morvind
