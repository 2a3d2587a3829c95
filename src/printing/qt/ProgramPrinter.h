#pragma once

#include <QPrinter>
#include <QString>
#include <memory>

class QWidget;

namespace morvind {

// The program's printer: where "&Drucken" sends a card. It is the system's
// default printer until the printer setup chooses another (a PDF file
// included) for the rest of the run.
class ProgramPrinter {
 public:
  virtual ~ProgramPrinter() = default;
  // The printer of the next print, or null when no printer is configured.
  virtual QPrinter* Current() = 0;
  // The printer setup: the user chooses a printer and its properties; what
  // is chosen becomes the program's printer, Cancel keeps the old one.
  // Returns whether a new printer was taken.
  virtual bool RunSetup(QWidget* parent) = 0;
};

// The system default printer through Qt PrintSupport (CUPS); none when no
// printer is installed, until the setup chooses one.
class SystemPrinter : public ProgramPrinter {
 public:
  QPrinter* Current() override;
  bool RunSetup(QWidget* parent) override;

 private:
  std::unique_ptr<QPrinter> printer_;
  bool looked_ = false;
};

// A printer that writes PDF files: for the command-line printer and tests.
class PdfFilePrinter : public ProgramPrinter {
 public:
  explicit PdfFilePrinter(const QString& fileName);
  QPrinter* Current() override { return &printer_; }
  // There is nothing to choose; counts the calls.
  bool RunSetup(QWidget*) override {
    ++setupRuns;
    return false;
  }
  int setupRuns = 0;

 private:
  QPrinter printer_;
};

// No printer at all: every print reports "No Printer".
class NoPrinter : public ProgramPrinter {
 public:
  QPrinter* Current() override { return nullptr; }
  bool RunSetup(QWidget*) override { return false; }
};

}  // namespace morvind
