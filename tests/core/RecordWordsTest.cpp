#include <gtest/gtest.h>

#include "app/RecordWords.h"

namespace morvind {
namespace {

TEST(RecordWordsTest, EveryCountSaysWhatTheFormPrints) {
  const struct {
    RecordForm form;
    const char *one, *many, *chosen, *progress, *entry, *help;
  } cases[] = {
      {RecordForm::kCard1015, "1 Karte", "39 Karten", "Gewählte Karte", "Karte 3 von 39",
       "Karte als PDF speichern…", "Die Karte lässt"},
      {RecordForm::kSheet1123, "1 Blatt", "39 Blätter", "Gewähltes Blatt", "Blatt 3 von 39",
       "Blatt als PDF speichern…", "Das Blatt lässt"},
      {RecordForm::kOfficialForm, "1 Formular", "39 Formulare", "Gewähltes Formular",
       "Formular 3 von 39", "Formular als PDF speichern…", "Das Formular lässt"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RecordCount(c.form, 1), c.one);
    EXPECT_EQ(RecordCount(c.form, 39), c.many);
    EXPECT_EQ(RecordWordsFor(c.form).chosen, c.chosen);
    EXPECT_EQ(RecordProgress(c.form, 3, 39), c.progress);
    EXPECT_EQ(SaveRecordPdfEntry(c.form), c.entry);
    EXPECT_EQ(NoPrinterRecordHelp(c.form), std::string("Es ist kein Drucker eingerichtet. ") +
                                               c.help + " sich als PDF-Datei speichern.");
  }
}

}  // namespace
}  // namespace morvind
