#pragma once

#include "resources/MessageSink.h"

namespace morvind {

// Message boxes as modal QMessageBoxes with an OK button over the active window.
class QtMessageSink : public MessageSink {
 public:
  void ShowMessage(std::string_view text, MessageIcon icon) override;
};

}  // namespace morvind
