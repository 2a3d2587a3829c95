#pragma once

#include <cstdint>
#include <optional>

namespace morvind {

// One command for each press of the user, not for each click of a double
// click: a press within the double-click interval of the last press let
// through is dropped. A press without a time stamp (the program's own)
// always counts and leaves the last one as it was; so does one whose
// stamp lies before the last (the window system's clock started again).
class DoublePressFilter {
 public:
  // True when the press at `time` runs the command.
  bool Accept(std::optional<std::uint64_t> time, int intervalMs);

 private:
  std::optional<std::uint64_t> lastAccepted_;
};

}  // namespace morvind
