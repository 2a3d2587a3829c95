#pragma once

#include <deque>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "resources/FileWriter.h"

namespace morvind {

enum class MessageIcon { kNone, kWarning };

// Where the program's message boxes go. The toolkit shows them as modal
// boxes with an OK button; tests record them.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Shows `text` (UTF-8) and returns when the user has confirmed it.
  virtual void ShowMessage(std::string_view text, MessageIcon icon) = 0;
  // Asks `question` (UTF-8) with two buttons, `goAhead` (the default: Enter)
  // and `cancel` (Escape); true when the user chose `goAhead`.
  virtual bool Ask(std::string_view question, std::string_view goAhead,
                   std::string_view cancel) = 0;
  // Shows `text` with the line `detail` under it and, beside "OK" (the
  // default: Enter, and Escape), a button `action` for what the user can do
  // instead; true when the user chose `action`.
  virtual bool Offer(std::string_view text, std::string_view detail, MessageIcon icon,
                     std::string_view action) = 0;

  // Unless `result` is a success, tells with a warning that `file` (shown
  // with its whole path) could not be saved and why: "%1 konnte nicht
  // gespeichert werden: %2". Returns whether it told.
  bool ShowSaveFailure(const std::filesystem::path& file, const WriteResult& result) {
    if (result.Ok()) return false;
    std::error_code error;
    std::filesystem::path shown = std::filesystem::absolute(file, error);
    ShowMessage(SaveFailedMessage(error ? file : shown, result), MessageIcon::kWarning);
    return true;
  }
};

// A sink that keeps the texts, for tests and for callers without a window.
class RecordingMessageSink : public MessageSink {
 public:
  void ShowMessage(std::string_view text, MessageIcon icon) override {
    texts.emplace_back(text);
    icons.push_back(icon);
  }
  // Notes the question and gives the next of `answers`, or goes ahead when
  // none is left.
  bool Ask(std::string_view question, std::string_view, std::string_view) override {
    questions.emplace_back(question);
    if (answers.empty()) return true;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  // Notes the message like ShowMessage and its detail and action, and gives
  // the next of `offerAnswers`, or "OK" when none is left.
  bool Offer(std::string_view text, std::string_view detail, MessageIcon icon,
             std::string_view action) override {
    ShowMessage(text, icon);
    details.emplace_back(detail);
    offers.emplace_back(action);
    if (offerAnswers.empty()) return false;
    bool answer = offerAnswers.front();
    offerAnswers.pop_front();
    return answer;
  }
  std::vector<std::string> texts;
  std::vector<MessageIcon> icons;
  std::vector<std::string> questions;
  std::deque<bool> answers;
  std::vector<std::string> details, offers;
  std::deque<bool> offerAnswers;
};

}  // namespace morvind
