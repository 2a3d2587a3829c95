#include <gtest/gtest.h>

#include "app/PrintNotes.h"

namespace morvind {
namespace {

const PrintTarget kQueue{PrintTarget::Kind::kQueue, "CardPDF"};
const PrintTarget kFile{PrintTarget::Kind::kFile, "/home/anna/Karte.pdf"};

// The list's question names the printer, or the file's name alone.
TEST(PrintNotesTest, TheListQuestionNamesWhereTheListGoes) {
  const struct {
    RecordForm form;
    std::size_t count;
    PrintTarget target;
    std::string question;
  } cases[] = {
      {RecordForm::kOfficialForm, 39, kQueue, "39 Formulare auf „CardPDF“ drucken?"},
      {RecordForm::kSheet1123, 1, kQueue, "1 Blatt auf „CardPDF“ drucken?"},
      {RecordForm::kCard1015, 39, kFile, "39 Karten in „Karte.pdf“ drucken?"},
  };
  for (const auto& c : cases) EXPECT_EQ(ListPrintQuestion(c.form, c.count, c.target), c.question);
}

// After a print the window says what went where: a queue with what it got,
// a file with its whole path.
TEST(PrintNotesTest, TheNoteAfterAPrintSaysWhatWentWhere) {
  const std::string title = RecordTitle(2027, "Müller, Jürgen");
  EXPECT_EQ(title, "S-21 2027 Müller, Jürgen");
  const std::pair<std::string, std::string> notes[] = {
      {PrintedNote(kQueue, title), "An „CardPDF“ gesendet: S-21 2027 Müller, Jürgen"},
      {PrintedNote(kFile, title), "In „/home/anna/Karte.pdf“ gedruckt"},
      {PrintedListNote(RecordForm::kOfficialForm, 39, kQueue),
       "39 Formulare an „CardPDF“ gesendet"},
      {PrintedListNote(RecordForm::kCard1015, 39, kFile),
       "39 Karten in „/home/anna/Karte.pdf“ gedruckt"},
  };
  for (const auto& [note, expected] : notes) EXPECT_EQ(note, expected);
}

}  // namespace
}  // namespace morvind
