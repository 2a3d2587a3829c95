#pragma once

#include <string_view>
#include <vector>

namespace morvind {

// The kinds of control a dialog template holds.
enum class ControlKind {
  kListBox,
  kOwnerDraw,    // a disabled owner-drawn button: a preview pane
  kCheckBox,     // auto check box
  kRadioButton,  // auto radio button
  kPushButton,
  kDefPushButton,  // the default push button
  kGroupBox,
  kStatic,  // a label
  kEdit,
  kUpDown,  // a spin control beside its buddy (the control before it)
  kIcon,    // a static icon (icon 128)
};

// Style bits that matter to the program.
enum ControlStyle : unsigned {
  kStyleNone = 0,
  kHidden = 1u << 0,
  kDisabled = 1u << 1,
  kTabStop = 1u << 2,
  kGroupStart = 1u << 3,
  kNotify = 1u << 4,
  kVScroll = 1u << 5,
  kBorder = 1u << 6,
  kNoIntegralHeight = 1u << 7,
  kTextCentered = 1u << 8,
  kTextRight = 1u << 9,
  kPasswordStyle = 1u << 10,
  kAutoHScroll = 1u << 11,
  kAutoBuddy = 1u << 12,
  kAlignRightOfBuddy = 1u << 13,
  kArrowKeys = 1u << 14,
};

// Dialog window styles.
enum DialogStyle : unsigned {
  kDialogNone = 0,
  kSystemMenu = 1u << 0,  // a close box in the title bar
  kModalFrame = 1u << 1,
  kInTaskBar = 1u << 2,  // the main window: a top-level window of its own
  // A sizing frame with minimise and maximise boxes: the template's size
  // is the smallest, and the dialog places its controls at every other.
  kResizable = 1u << 3,
};

// The id of controls nobody addresses (IDC_STATIC).
inline constexpr int kStaticId = -1;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// One control: id, kind, caption, style, and its rectangle in dialog units.
struct ControlTemplate {
  int id;
  ControlKind kind;
  std::string_view caption;  // UTF-8
  unsigned style;
  int x, y, cx, cy;
};

// One dialog: its size in dialog units, font, title and controls. The
// controls' order is the tab order of those with kTabStop, and an up-down
// control's buddy is the control before it.
struct DialogTemplate {
  int id;
  std::string_view title;
  int cx, cy;
  std::string_view fontFace;
  int fontPoints;
  unsigned style;
  std::vector<ControlTemplate> controls;

  const ControlTemplate* Find(int controlId) const;
};

inline constexpr int kAboutTemplate = 100;
inline constexpr int kMainTemplate = 102;
inline constexpr int kPasswordTemplate = 120;
inline constexpr int kOptionsTemplate = 130;
inline constexpr int kLayoutDetailsTemplate = 131;

// The program's dialog templates by id; null for an unknown id.
const DialogTemplate* FindDialogTemplate(int templateId);

}  // namespace morvind
