#pragma once

#include <map>

#include "app/ProfileFile.h"
#include "app/WindowLayout.h"
#include "app/WindowPlacement.h"

class QWidget;

namespace morvind {

class Dialog;

// The Qt side of the main window's size: places the controls of `window`
// by LayOutMainWindow at its current size, opens it with the size and
// state saved in `settings` and saves them at the end.
class MainWindowGeometry {
 public:
  MainWindowGeometry(Dialog& window, ProfileFile& settings)
      : window_(window), settings_(settings) {}

  // Takes every control's rectangle as it stands now, with the window at
  // its template's (smallest) size: the places the layout starts from.
  void TakeSmallestPlaces();
  // `control` stands where it belongs at the smallest size again (its
  // caption was fitted anew): the layout starts from there from now on.
  void ControlPlacedAtSmallest(QWidget* control);
  // Puts every control where it belongs at the window's current size.
  void LayOut();

  // Before the window shows: the saved size when it is usable on the
  // screen the window opens on (else the first size, centred on that
  // screen), and the saved state.
  void RestorePlacement();
  // At the end of a run that started normally: the normal size and the
  // state, each written only when it differs from what the run opened with.
  void SavePlacement();

 private:
  WindowSize MinimumSize() const;

  Dialog& window_;
  ProfileFile& settings_;
  std::map<int, WindowRect> smallest_;
  WindowPlacement opened_;
  bool restored_ = false;
};

}  // namespace morvind
