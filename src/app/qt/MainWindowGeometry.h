#pragma once

#include <map>

#include "app/ProfileFile.h"
#include "app/WindowLayout.h"

class QWidget;

namespace morvind {

class Dialog;

// The Qt side of the main window's size: places the controls of `window`
// by LayOutMainWindow at its current size.
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

 private:
  WindowSize MinimumSize() const;

  Dialog& window_;
  ProfileFile& settings_;
  std::map<int, WindowRect> smallest_;
};

}  // namespace morvind
