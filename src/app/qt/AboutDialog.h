#pragma once

#include <string>

#include "toolkit/Dialog.h"

namespace morvind {

// The About box (template 100): the program's version and the folder the
// data are read from.
class AboutDialog : public Dialog {
  Q_OBJECT
 public:
  AboutDialog(const UiContext& ui, std::string directory, QWidget* parent = nullptr)
      : Dialog(kAboutTemplate, ui, parent), directory_(std::move(directory)) {}

  static constexpr int kDirectoryText = 1068;

 protected:
  bool OnInitDialog() override {
    SetText(kDirectoryText, directory_);
    return true;
  }

 private:
  std::string directory_;
};

// The working directory as the C library gives it with a buffer of 300
// characters; empty when it can't be read.
std::string WorkingDirectoryText();

}  // namespace morvind
