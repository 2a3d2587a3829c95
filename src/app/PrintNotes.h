#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "printing/RecordForm.h"

namespace morvind {

// Where a print goes: a printer's queue, or the file a printer prints into.
struct PrintTarget {
  enum class Kind { kQueue, kFile };
  Kind kind = Kind::kQueue;
  std::string name;  // the queue's name, or the file's absolute path
};

// The title of a document of records, its print job's name and its PDF
// file's title: "S-21 2027 Müller, Jürgen", "S-21 2027 Gruppe 2".
std::string RecordTitle(int serviceYear, std::string_view name);
// The same for a document of two service years, the one before
// `serviceYear` and `serviceYear`: "S-21 2026-2027 Müller, Jürgen".
std::string TwoYearsTitle(int serviceYear, std::string_view name);

// The question before a list is printed, naming where it goes: "39
// Formulare auf „CardPDF“ drucken?", "39 Karten in „Karte.pdf“ drucken?"
// (the file's name without its folder).
std::string ListPrintQuestion(RecordForm form, std::size_t count, const PrintTarget& target);

// What the window says once a record went out: "An „CardPDF“ gesendet: S-21
// 2027 Müller, Jürgen", or for a file "In „/home/anna/Karte.pdf“ gedruckt".
std::string PrintedNote(const PrintTarget& target, std::string_view title);
// The same for a list: "39 Formulare an „CardPDF“ gesendet", "39 Karten in
// „/home/anna/Karte.pdf“ gedruckt".
std::string PrintedListNote(RecordForm form, std::size_t count, const PrintTarget& target);

}  // namespace morvind
