#include <gtest/gtest.h>

#include "app/PrintNotes.h"

namespace morvind {
namespace {

// The list's question and the notes after a print name the printer (those
// of a file are seen in the window's tests).
TEST(PrintNotesTest, QuestionAndNotesNameThePrinter) {
  const PrintTarget queue{PrintTarget::Kind::kQueue, "CardPDF"};
  const std::pair<std::string, std::string> texts[] = {
      {ListPrintQuestion(RecordForm::kOfficialForm, 39, queue),
       "39 Formulare auf „CardPDF“ drucken?"},
      {PrintedNote(queue, RecordTitle(2027, "Müller, Jürgen")),
       "An „CardPDF“ gesendet: S-21 2027 Müller, Jürgen"},
      {PrintedListNote(RecordForm::kSheet1123, 39, queue), "39 Blätter an „CardPDF“ gesendet"},
  };
  for (const auto& [text, expected] : texts) EXPECT_EQ(text, expected);
}

}  // namespace
}  // namespace morvind
