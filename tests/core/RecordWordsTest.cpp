#include <gtest/gtest.h>

#include "app/RecordWords.h"

namespace morvind {
namespace {

// The card's and the sheet's words are checked where the window shows them.
TEST(RecordWordsTest, TheOfficialFormCountsForms) {
  const RecordForm form = RecordForm::kOfficialForm;
  EXPECT_EQ(
      (std::vector<std::string>{RecordCount(form, 1), RecordCount(form, 39),
                                RecordWordsFor(form).chosen, RecordProgress(form, 3, 39),
                                SaveRecordPdfEntry(form), NoPrinterRecordHelp(form)}),
      (std::vector<std::string>{
          "1 Formular", "39 Formulare", "Gewähltes Formular", "Formular 3 von 39",
          "Formular als PDF speichern…",
          "Es ist kein Drucker eingerichtet. Das Formular lässt sich als PDF-Datei speichern."}));
}

}  // namespace
}  // namespace morvind
