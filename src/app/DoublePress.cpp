#include "app/DoublePress.h"

namespace morvind {

bool DoublePressFilter::Accept(std::optional<std::uint64_t> time, int intervalMs) {
  if (!time) return true;
  if (lastAccepted_ && *time >= *lastAccepted_ &&
      *time - *lastAccepted_ < static_cast<std::uint64_t>(intervalMs < 0 ? 0 : intervalMs))
    return false;
  lastAccepted_ = time;
  return true;
}

}  // namespace morvind
