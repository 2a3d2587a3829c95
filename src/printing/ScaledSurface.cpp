#include "printing/ScaledSurface.h"

namespace morvind {

int ScaledSurface::GetDeviceCaps(int index) {
  if (index == kLogPixelsX) return unitsX_;
  if (index == kLogPixelsY) return unitsY_;
  return target_.GetDeviceCaps(index);
}

}  // namespace morvind
