#include <gtest/gtest.h>

#include "printing/RecordsFolder.h"
#include "support/TestTable.h"

namespace morvind {
namespace {

TEST(RecordsFolderTest, AFileIsReplacedOnlyWhenItIsByteForByteMorvindsFileOfTheRecord) {
  const std::string key = PublisherRecordKey(17);
  // Morvind's intact file of the record, with old values on form "F".
  auto ours = [&] {
    RecordFileFacts facts;
    facts.kind = RecordFileKind::kPdf;
    facts.recordKey = key;
    facts.valuesDigest = "old";
    facts.formDigest = "F";
    facts.fileDigest = "seal";
    facts.sealIntact = true;
    return facts;
  };
  auto with = [&](auto change) {
    RecordFileFacts facts = ours();
    change(facts);
    return facts;
  };
  using A = RecordAction;
  using R = KeepReason;
  const struct {
    const char* what;
    RecordFileFacts facts;
    RecordDecision decision;
  } cases[] = {
      {"no file", RecordFileFacts{}, {A::kWriteNew}},
      {"Morvind's file, new values", ours(), {A::kReplace}},
      {"the new values on the same form",
       with([](auto& f) { f.valuesDigest = "new"; }),
       {A::kLeaveUnchanged}},
      {"the new values on the same form, write-protected",
       with([](auto& f) { f.valuesDigest = "new", f.writeProtected = true; }),
       {A::kLeaveUnchanged}},
      {"the new values on another form",
       with([](auto& f) { f.valuesDigest = "new", f.formDigest = "G"; }),
       {A::kReplace}},
      {"a link, whatever it leads to",
       with([](auto& f) { f.kind = RecordFileKind::kLink; }),
       {A::kKeep, R::kLink}},
      {"not a regular file",
       with([](auto& f) { f.kind = RecordFileKind::kNotRegular; }),
       {A::kKeep, R::kNotRegular}},
      {"unreadable",
       with([](auto& f) { f.kind = RecordFileKind::kUnreadable; }),
       {A::kKeep, R::kUnreadable}},
      {"no record info",
       with([](auto& f) { f.recordKey.clear(), f.valuesDigest.clear(), f.fileDigest.clear(); }),
       {A::kKeep, R::kNotMorvinds}},
      {"an older Morvind's: no file digest, even with the new values",
       with([](auto& f) { f.fileDigest.clear(), f.valuesDigest = "new"; }),
       {A::kKeep, R::kOlderMorvind}},
      {"another publisher's, changed by hand too",
       with([](auto& f) { f.recordKey = PublisherRecordKey(18), f.sealIntact = false; }),
       {A::kKeep, R::kOtherRecord}},
      {"changed by hand, even to the new values",
       with([](auto& f) { f.sealIntact = false, f.valuesDigest = "new"; }),
       {A::kKeep, R::kChangedByHand}},
      {"write-protected",
       with([](auto& f) { f.writeProtected = true; }),
       {A::kKeep, R::kWriteProtected}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DecideRecordFile(c.facts, key, "new", "F"), c.decision) << c.what;
}

TEST(RecordsFolderTest, FileNamesComeFromTheWholeTableWhateverTheListShows) {
  test::TestTable t;
  auto add = [&](const char* first, const char* last, std::uint16_t id) {
    const int j = t.AddPublisher(first, last);
    t.SetPublisherId(j, id);
    return j;
  };
  const int pioneer = add("Claudia", "Jäger", 31);
  const int jaeger = add("Claudia", "Jäger", 30);
  t.SetInactive(add("CLAUDIA", "JÄGER", 5), true);  // an inactive namesake counts too
  const int own = add("Claudia (2)", "Jäger", 40);  // a name of its own that a number would meet
  const int unsafe = add("C", "A/B: \"x\" <d>|e*?\\..", 7);
  const int totals = add("Allgemeine", "Pioniere (Summe)", 9);

  for (bool firstNameSort : {false, true}) {
    SCOPED_TRACE(firstNameSort);
    const FolderNames names = RecordFolderNames(t.Table(), firstNameSort, 2027);
    auto name = [&](int j) { return names.publishers[static_cast<std::size_t>(j)]; };
    const auto regularPioneers = static_cast<std::size_t>(TotalsCategory::kRegularPioneers);
    if (!firstNameSort) {
      EXPECT_EQ(name(jaeger), "S-21 2027 Jäger, Claudia (3).pdf");
      EXPECT_EQ(name(pioneer), "S-21 2027 Jäger, Claudia (4).pdf");
      EXPECT_EQ(name(own), "S-21 2027 Jäger, Claudia (2).pdf");
      EXPECT_EQ(name(unsafe), "S-21 2027 A-B- -x- -d--e---.., C.pdf");
      EXPECT_EQ(names.totals[regularPioneers], "S-21 2027 Allgemeine Pioniere (Summe).pdf");
    } else {
      // As the first-name sort's list shows the names; a publisher named like
      // a totals record keeps the plain name.
      EXPECT_EQ(name(unsafe), "S-21 2027 C A-B- -x- -d--e---.pdf");
      EXPECT_EQ(name(totals), "S-21 2027 Allgemeine Pioniere (Summe).pdf");
      EXPECT_EQ(names.totals[regularPioneers], "S-21 2027 Allgemeine Pioniere (Summe) (2).pdf");
    }
  }
}

TEST(RecordsFolderTest, TheSummarySaysWhatBecameOfEveryFileAndWhyOneWasKept) {
  RecordsFolderTally tally;
  tally.listed = 39;
  tally.written = 2;
  tally.replaced = 1;
  tally.unchanged = 33;
  tally.kept = {{"S-21 2027 Meier, Anna.pdf", KeepReason::kChangedByHand, false},
                {"S-21 2027 Roth, Eva.pdf", KeepReason::kChangedByHand, true},
                {"S-21 2027 Wolf, Jan.pdf", KeepReason::kOlderMorvind, false}};
  tally.cancelled = true;
  EXPECT_EQ(RecordsFolderSummary(tally, "/f"),
            "Abgebrochen. 39 Formulare in „/f“: 2 neu, 1 geändert, 33 unverändert, 3 nicht "
            "ersetzt.\n„S-21 2027 Meier, Anna.pdf“: von Hand geändert\n„S-21 2027 Roth, "
            "Eva.pdf“: unter dem alten Namen, von Hand geändert\n„S-21 2027 Wolf, Jan.pdf“: von "
            "einer älteren Version von Morvind geschrieben\nZum Neuschreiben verschieben oder "
            "löschen.");
  tally.kept.clear();
  tally.stopFile = "S-21 2027 Zorn, Udo.pdf";
  tally.stop = WriteResult{.problem = WriteProblem::kSystem, .error = ENOSPC};
  tally.done = 12;
  EXPECT_EQ(RecordsFolderSummary(tally, "/f"),
            "„S-21 2027 Zorn, Udo.pdf“ konnte nicht geschrieben werden: Auf dem Datenträger ist "
            "kein Platz mehr. Angehalten nach 12 von 39 Formularen.");
  EXPECT_EQ(RecordsFolderSummary(RecordsFolderTally{.busy = true}, "/f"),
            "In den Ordner „/f“ schreibt gerade ein anderer Lauf von Morvind.");
}

}  // namespace
}  // namespace morvind
