#include <gtest/gtest.h>

#include "app/RecordsFolder.h"

namespace morvind {
namespace {

TEST(RecordsFolderTest, AFileIsReplacedOnlyWhenItIsMorvindsUntouchedFileOfTheRecord) {
  const std::string key = PublisherRecordKey(17);
  auto file = [&](std::string recordKey, std::string written, std::string current,
                  std::string form = "F") {
    return RecordFileFacts{
        true, true, std::move(recordKey), std::move(written), std::move(form), std::move(current)};
  };
  const struct {
    const char* what;
    RecordFileFacts facts;
    RecordAction action;
  } cases[] = {
      // The rest of the rules are run over a real folder with the Qt face.
      {"equal values, even not Morvind's", file("", "", "new"), RecordAction::kLeaveUnchanged},
      {"the new values on another form", file(key, "new", "new", "G"), RecordAction::kReplace},
      {"another publisher's", file(PublisherRecordKey(18), "old", "old"), RecordAction::kKeep},
      {"unreadable", RecordFileFacts{true, false, key, "old", "F", "old"}, RecordAction::kKeep},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DecideRecordFile(c.facts, key, "new", "F"), c.action) << c.what;
}

TEST(RecordsFolderTest, FileNamesAreSafeAndHomonymsAreNumberedByPublisherId) {
  const std::vector<RecordEntry> entries = {
      {"Meier, Anna", 30},     {"Müller, Jürgen", 12},      {"meier, anna", 20},
      {"Meier, Anna (2)", 40}, {"A/B: \"C\" <d>|e*?\\", 1}, {"Dr. Weiß.. ", 2},
      {"Meier, Anna", 10},
  };
  EXPECT_EQ(RecordFileNames(entries, 2025), (std::vector<std::string>{
                                                "S-21 2025 Meier, Anna (4).pdf",
                                                "S-21 2025 Müller, Jürgen.pdf",
                                                "S-21 2025 meier, anna (3).pdf",
                                                "S-21 2025 Meier, Anna (2).pdf",
                                                "S-21 2025 A-B- -C- -d--e---.pdf",
                                                "S-21 2025 Dr. Weiß.pdf",
                                                "S-21 2025 Meier, Anna.pdf",
                                            }));
}

// The plain summary is pinned where the window shows it.
TEST(RecordsFolderTest, TheSummaryOfACancelNamesTheFilesKept) {
  EXPECT_EQ(RecordsFolderSummary(RecordsFolderTally{1, 0, 0, 0, {"a.pdf", "b.pdf"}, true}, "/f"),
            "Abgebrochen. 1 Formular in „/f“: 0 neu, 0 geändert, 0 unverändert.\nNicht "
            "ersetzt, weil von Hand geändert oder nicht von Morvind (zum Neuschreiben "
            "verschieben oder löschen): a.pdf, b.pdf");
}

}  // namespace
}  // namespace morvind
