#pragma once

#include <filesystem>

#include "app/PrintNotes.h"

class QPrinter;

namespace morvind {

class MainDialog;

// Where the window's prints and PDF files may go. The official form's
// file, the data files, the layout files and the settings file are never
// written over, nor anything that is not a plain file in a folder that may
// be written; a printer that prints into a file is held to the same rules.
class PrintTargets {
 public:
  explicit PrintTargets(MainDialog& window) : window_(window) {}

  // Whether a PDF may be written to `target` (an absolute path); a message
  // says why not.
  bool Check(const std::filesystem::path& target);
  // Whether `printer` may print: a printer that prints into a file only
  // into one Check lets through (its message said why not).
  bool MayPrintOn(QPrinter& printer);

 private:
  MainDialog& window_;
};

// Where `printer` puts a print: the file it prints into, else its queue.
PrintTarget TargetOf(QPrinter& printer);

}  // namespace morvind
