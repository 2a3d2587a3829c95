#pragma once

#include <QGroupBox>
#include <string_view>

namespace morvind {

// A group box whose caption sits on the top line of its frame, as the
// dialog templates were drawn for. The widget style's own group box puts
// the caption above the frame, which lowers the frame by a line and lets it
// cut through controls the templates place just under the caption (the
// "Zoll" heading, the "X" and "Y" headings).
QGroupBox* NewGroupFrame(std::string_view caption, QWidget* parent);

}  // namespace morvind
