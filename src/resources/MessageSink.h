#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvind {

enum class MessageIcon { kNone, kWarning };

// Where the program's message boxes go. The toolkit shows them as modal
// boxes with an OK button; tests record them.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Shows `text` (UTF-8) and returns when the user has confirmed it.
  virtual void ShowMessage(std::string_view text, MessageIcon icon) = 0;
};

// A sink that keeps the texts, for tests and for callers without a window.
class RecordingMessageSink : public MessageSink {
 public:
  void ShowMessage(std::string_view text, MessageIcon icon) override {
    texts.emplace_back(text);
    icons.push_back(icon);
  }
  std::vector<std::string> texts;
  std::vector<MessageIcon> icons;
};

}  // namespace morvind
