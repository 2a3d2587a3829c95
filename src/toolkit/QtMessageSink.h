#pragma once

#include "resources/MessageSink.h"

namespace morvind {

// Message boxes as modal QMessageBoxes over the active window: an OK
// button, or the two answers of a question. A message's text is plain text
// whose long words (a file name of 255 bytes) wrap inside the box.
class QtMessageSink : public MessageSink {
 public:
  void ShowMessage(std::string_view text, MessageIcon icon) override;
  bool Ask(std::string_view question, std::string_view goAhead, std::string_view cancel) override;
  bool Offer(std::string_view text, std::string_view detail, MessageIcon icon,
             std::string_view action) override;
};

}  // namespace morvind
