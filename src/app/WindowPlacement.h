#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/ProfileFile.h"
#include "app/WindowLayout.h"

namespace morvind {

// The main window's size and state as the settings file keeps them
// (section "Morvind"): "Window Size" is "width,height", the normal (not
// maximized) client size in logical pixels; "Maximized" is 0 or 1. The
// position is the window manager's.
struct WindowPlacement {
  WindowSize size;
  bool maximized = false;
  // No usable size was saved: the window opens at FirstWindowSize, centred.
  bool firstSize = false;
  bool operator==(const WindowPlacement&) const = default;
};

// The size the window opens with while none is saved: as large as the
// proportions of `minimum` allow within 80% of `available` in both
// directions, but never smaller than `minimum` nor larger than twice it
// (1432 x 756 for a minimum of 716 x 378 on a screen of 1920 x 1080).
WindowSize FirstWindowSize(WindowSize minimum, WindowSize available);

// A "Window Size" text: two numbers separated by a comma (blanks around
// each allowed), used only when it is at least `minimum` and no larger than
// `available` in both directions; empty otherwise.
std::optional<WindowSize> ParseWindowSize(std::string_view text, WindowSize minimum,
                                          WindowSize available);
std::string WindowSizeText(WindowSize size);

// The placement the window opens with: the saved size when it is usable
// (ParseWindowSize), else the first size (FirstWindowSize); maximized only
// when "Maximized" is 1.
WindowPlacement ReadWindowPlacement(const ProfileFile& file, WindowSize minimum,
                                    WindowSize available);

// Writes each of the two keys whose value at the end differs from the one
// the window opened with, and nothing else; a file that can't be written
// is passed over (the window's size is not worth a message).
void SaveWindowPlacement(ProfileFile& file, const WindowPlacement& atStart,
                         const WindowPlacement& atEnd);

}  // namespace morvind
