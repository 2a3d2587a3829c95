#include <gtest/gtest.h>
#include <poppler-form.h>
#include <poppler-qt6.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QPrinter>
#include <QProcess>
#include <map>
#include <tuple>

#include "core/ScratchFolder.h"
#include "printing/qt/FilledFormPrint.h"
#include "printing/qt/RecordsFolderRun.h"
#include "support/FileSizeLimit.h"
#include "support/FillableFormWriter.h"

namespace morvind::test {
namespace {

using Fault = FillableFormOptions::Fault;

// A value of its own for every field of the table; texts with the letters
// that the name's, hours' and remarks' font lacks.
std::vector<FormFieldValue> DistinctValues(const std::string& who) {
  std::vector<FormFieldValue> values;
  int n = 0;
  for (const FormFieldSpec& field : OfficialFormFieldTable()) {
    ++n;
    values.push_back({field.name, field.kind,
                      who + ": Müller, Jürgen Weiß " + std::to_string(n) + "¾", n % 3 != 0});
    if (field.kind == FormFieldKind::kCheckBox) values.back().text.clear();
  }
  return values;
}

// A filled form read with Poppler's own field API, each widget by its
// qualified name, and edited there as a PDF viewer would.
struct PopplerFile {
  std::unique_ptr<Poppler::Document> pdf;
  std::vector<std::unique_ptr<Poppler::Page>> pages;
  std::map<std::string, std::unique_ptr<Poppler::FormField>> fields;
  explicit PopplerFile(const std::string& bytes)
      : pdf(Poppler::Document::loadFromData(QByteArray::fromStdString(bytes))) {
    for (int p = 0; pdf && p < pdf->numPages(); ++p) {
      pages.push_back(pdf->page(p));
      for (auto& field : pages.back()->formFields())
        fields[field->fullyQualifiedName().toStdString()] = std::move(field);
    }
  }
  // A text, or "[x]" / "[ ]" for a box.
  std::string Value(const std::string& name) const {
    const Poppler::FormField* field = fields.at(name).get();
    if (field->type() == Poppler::FormField::FormButton)
      return static_cast<const Poppler::FormFieldButton*>(field)->state() ? "[x]" : "[ ]";
    return static_cast<const Poppler::FormFieldText*>(field)->text().toStdString();
  }
  std::string Script(const std::string& name, Poppler::FormField::AdditionalActionType type) {
    std::unique_ptr<Poppler::Link> link = fields.at(name)->additionalAction(type);
    auto* script = dynamic_cast<Poppler::LinkJavaScript*>(link.get());
    return script ? script->script().toStdString() : std::string();
  }
  std::string SetAndSave(const std::string& name, const std::string& text) {
    static_cast<Poppler::FormFieldText*>(fields.at(name).get())
        ->setText(QString::fromStdString(text));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    auto converter = pdf->pdfConverter();
    converter->setOutputDevice(&buffer);
    converter->setPDFOptions(Poppler::PDFConverter::WithChanges);
    converter->convert();
    return bytes.toStdString();
  }
};

std::unique_ptr<OfficialForm> OpenTestForm(const ScratchFolder& folder, bool substituteFonts) {
  FillableFormOptions options;
  options.substituteFonts = substituteFonts;
  WriteBytes(folder / "form.pdf", FillableFormPdf(options));
  FormFileCheck check;
  return OfficialForm::Open(folder / "form.pdf", check);
}

// How Poppler writes a text into the file: UTF-16 in hexadecimal.
std::string Utf16Hex(const std::string& ascii) {
  std::string hex;
  for (char c : ascii) hex += "00" + QByteArray(1, c).toHex().toStdString();
  return hex;
}

TEST(OfficialFormTest, TheSavedFormHoldsEveryValueAndLeavesTheRestOfTheFormAsItWas) {
  ScratchFolder folder("official-form");
  std::unique_ptr<OfficialForm> form = OpenTestForm(folder, true);
  ASSERT_TRUE(form);
  form->Fill(DistinctValues("Erster"));
  const std::string first = *form->SaveFilled();
  const std::vector<FormFieldValue> values = DistinctValues("Zweiter");
  form->Fill(values);
  const std::string saved = *form->SaveFilled();
  PopplerFile pdf(saved);
  for (const FormFieldValue& value : values) {
    if (!pdf.fields.count(value.name) && value.name == "905_32_Text_SanSerif") continue;  // optional
    std::vector<std::string> names = {value.name};
    // The name stands on both pages, under parents of its own.
    if (value.name == "900_1_Text_SanSerif")
      names = {std::string(kTestFormParent) + "." + value.name,
               std::string(kTestFormSecondParent) + "." + value.name};
    std::string expected = value.kind == FormFieldKind::kText ? value.text
                           : value.checked                    ? "[x]"
                                                              : "[ ]";
    // Cut to the field's maximum length in characters ("ü" is one).
    if (value.name == kTestFormLimitedField)
      expected = QString::fromStdString(expected).left(kTestFormLimitedLength).toStdString();
    for (const std::string& name : names) EXPECT_EQ(pdf.Value(name), expected) << name;
  }
  EXPECT_EQ(pdf.Value(std::string(kTestFormNoteField)), kTestFormNoteText);
  EXPECT_EQ(pdf.Value(std::string(kTestFormCheckedBox)), "[x]");
  // The form's scripts are still the fields' own (the file's bytes alone
  // would hold them in the form's part of the file whatever the fill did).
  EXPECT_NE(
      pdf.Script("904_32_S21_Value", Poppler::FormField::CalculateField).find("AFSimple_Calculate"),
      std::string::npos);
  EXPECT_NE(pdf.Script(std::string(kTestFormFormattedField), Poppler::FormField::FormatField)
                .find("AFNumber_Format"),
            std::string::npos);
  // The boxes' own "on" state, no made-up one.
  EXPECT_EQ(saved.find("/Yes"), std::string::npos);
  // Nothing of the first publisher is left in the second's file.
  EXPECT_NE(first.find(Utf16Hex("Erster")), std::string::npos);
  EXPECT_EQ(saved.find(Utf16Hex("Erster")), std::string::npos);
  EXPECT_EQ(form->Render(0, 72, 144, QRectF(0, 0, 0.5, 0.25)).size(),
            QSize(298, 421));  // A4 in points: 595 x 842
  // Rendered again, the page still shows its ticked boxes: as a form that
  // renders it for the first time.
  std::unique_ptr<OfficialForm> fresh = OpenTestForm(folder, true);
  fresh->Fill(values);
  EXPECT_EQ(form->Render(0, 72, 72), fresh->Render(0, 72, 72));
}

std::string Encrypted(const ScratchFolder& folder, const QStringList& encryption) {
  const QString out = QString::fromStdString((folder / "encrypted.pdf").string());
  QProcess::execute(
      "qpdf", QStringList{"--encrypt"} + encryption +
                  QStringList{"--", QString::fromStdString((folder / "form.pdf").string()), out});
  return ReadBytes(folder / "encrypted.pdf");
}

TEST(OfficialFormTest, AFormFileThatCantServeIsRefusedWithTheReason) {
  ScratchFolder folder("form-check");
  const std::string good = FillableFormPdf();
  WriteBytes(folder / "form.pdf", good);
  auto faulty = [](Fault fault, std::string field) {
    FillableFormOptions options;
    options.fault = fault;
    options.field = std::move(field);
    return FillableFormPdf(options);
  };
  // One widget's object blanked out: Poppler reads the rest.
  std::string damaged = good;
  const std::size_t widget = damaged.find("/T (900_2_Text_SanSerif)");
  const std::size_t start = damaged.rfind(" obj\n", widget) + 5;
  damaged.replace(start, damaged.find("endobj", widget) - start,
                  damaged.find("endobj", widget) - start, ' ');
  const std::string needsPassword = Encrypted(folder, {"Kennwort", "Besitzer", "256"});
  const std::string noFilling =
      Encrypted(folder, {"", "Besitzer", "256", "--form=n", "--annotate=n", "--modify=none"});
  const std::string notSheet = "ist kein ausfüllbares Formular S-21 11/23: das Feld ";
  const struct {
    const char* name;
    std::optional<std::string> bytes;
    std::string message;  // after "Die Datei „name“ "
  } cases[] = {
      {"gone.pdf", std::nullopt, ""},
      {"cut.pdf", good.substr(0, good.size() / 2), "ist kein lesbares PDF-Dokument."},
      {"damaged.pdf", damaged, notSheet + "„900_2_Text_SanSerif“ fehlt."},
      {"password.pdf", needsPassword, "ist mit einem Kennwort geschützt."},
      {"locked.pdf", noFilling, "lässt kein Ausfüllen zu."},
      {"xfa.pdf", faulty(Fault::kXfa, ""), "lässt kein Ausfüllen zu."},
      {"plain.pdf", faulty(Fault::kNoAcroForm, ""), notSheet + "„900_1_Text_SanSerif“ fehlt."},
      {"nototal.pdf", faulty(Fault::kMissingField, "904_32_S21_Value"),
       notSheet + "„904_32_S21_Value“ fehlt."},
      {"textbox.pdf", faulty(Fault::kWrongKind, "900_3_CheckBox"),
       notSheet + "„900_3_CheckBox“ fehlt."},
      {"boxtext.pdf", faulty(Fault::kWrongKind, "902_25_Text_C_SanSerif"),
       notSheet + "„902_25_Text_C_SanSerif“ fehlt."},
      {"form.pdf", good, ""},
  };
  for (const auto& c : cases) {
    if (c.bytes) WriteBytes(folder / c.name, *c.bytes);
    const FormFileCheck check = OfficialForm::Check(folder / c.name);
    const std::string expected = !c.bytes ? "Die Formulardatei „gone.pdf“ ist nicht mehr da."
                                 : c.message.empty()
                                     ? ""
                                     : "Die Datei „" + std::string(c.name) + "“ " + c.message;
    EXPECT_EQ(FormFileMessage(check, c.name), expected);
    FormFileCheck opened;
    EXPECT_EQ(OfficialForm::Open(folder / c.name, opened) != nullptr, check.Ok()) << c.name;
    EXPECT_EQ(opened.problem, check.problem) << c.name;
  }
}

TEST(OfficialFormTest, AListOfFilledFormsIsOneCompleteJobOrNothing) {
  ScratchFolder folder("form-print");
  std::unique_ptr<OfficialForm> form = OpenTestForm(folder, false);
  ASSERT_TRUE(form);
  const std::vector<FormToPrint> forms = {{"Anna", DistinctValues("Anna")},
                                          {"Eva", DistinctValues("Eva")}};
  const QByteArray tmpdir = qgetenv("TMPDIR");
  qputenv("TMPDIR", QByteArray::fromStdString(folder.Path().string()));
  const struct {
    const char* what;
    int stopAfter;
    rlim_t sizeLimit;
    bool accepted;
    PrintOutcome outcome;
  } cases[] = {
      {"the whole list", 0, 0, true, PrintOutcome::kPrinted},
      {"refused by the queue", 0, 0, false, PrintOutcome::kNoPainter},
      {"a cancel", 1, 0, true, PrintOutcome::kCancelled},
      {"a spool cut short", 0, 4096, true, PrintOutcome::kNotSpooled},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> names, texts;
    CupsOptions options;
    QPrinter printer;
    PrintResult result;
    {
      std::optional<FileSizeLimit> limit;
      if (c.sizeLimit) limit.emplace(c.sizeLimit);
      result = SubmitFilledForms(
          printer, *form, forms, [&](int done) { return done != c.stopAfter; },
          [&](QPrinter&, const std::vector<CupsDocument>& files, const CupsOptions& o) {
            for (const CupsDocument& file : files) {
              names.push_back(file.name.toStdString());
              texts.push_back(
                  PopplerFile(ReadBytes(file.file.toStdString())).Value("900_2_Text_SanSerif"));
            }
            options = o;
            return c.accepted;
          });
    }
    EXPECT_EQ(result.outcome, c.outcome);
    const bool submitted = c.outcome == PrintOutcome::kPrinted || !c.accepted;
    EXPECT_EQ(names.size(), submitted ? 2u : 0u);
    if (submitted) {
      EXPECT_EQ(names, (std::vector<std::string>{"Anna", "Eva"}));
      EXPECT_EQ(texts[1], forms[1].values[1].text);
      EXPECT_EQ(options.front(), (std::pair<QByteArray, QByteArray>("media", "A4")));
      EXPECT_EQ(options.back().second, "pdftocairo");
    }
    // The staging folder is gone.
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"form.pdf"});
  }
  qputenv("TMPDIR", tmpdir);
  if (tmpdir.isNull()) qunsetenv("TMPDIR");

  // A printer that prints into a file receives the one filled form (its
  // values are checked where the window prints).
  QPrinter file(QPrinter::HighResolution);
  file.setOutputFormat(QPrinter::PdfFormat);
  file.setOutputFileName(QString::fromStdString((folder / "Anna.pdf").string()));
  // A folder of records before leaves none of its record info in it.
  form->SetRecordInfo({PublisherRecordKey(1), "digest", form->FormDigest()});
  EXPECT_EQ(PrintFilledForms(file, *form, {forms[0]}).outcome, PrintOutcome::kPrinted);
  EXPECT_EQ(ReadRecordFile(folder / "Anna.pdf").recordKey, "");
  EXPECT_EQ(PrintFilledForms(file, *form, forms).outcome, PrintOutcome::kNoPainter);
}

// A file's inode, time stamp (in nanoseconds) and bytes.
using Stamp = std::tuple<ino_t, long long, std::string>;
std::optional<Stamp> StampOf(const std::filesystem::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return std::nullopt;
  return Stamp{st.st_ino, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec, ReadBytes(file)};
}

TEST(OfficialFormTest, AFolderOfRecordsReplacesOnlyMorvindsUntouchedFilesOfTheSamePublisher) {
  const std::vector<FolderRecord> list = {
      {"S-21 2025 Meier, Anna.pdf", PublisherRecordKey(1), DistinctValues("Anna")},
      {"S-21 2025 Roth, Eva.pdf", PublisherRecordKey(2), DistinctValues("Eva")},
      {"S-21 2025 Wolf, Jan.pdf", PublisherRecordKey(3), DistinctValues("Jan")}};
  // What changes in the folder after the first run, and in the list for
  // the second.
  using Change =
      std::function<void(const ScratchFolder&, OfficialForm&, std::vector<FolderRecord>&)>;
  const Change newValues = [](auto&, auto&, auto& r) { r[0].values = DistinctValues("Neu"); };
  const Change byHand = [](const ScratchFolder& f, auto&, auto& r) {
    const std::string edited =
        PopplerFile(ReadBytes(f / r[1].fileName)).SetAndSave("905_22_Text_SanSerif", "krank");
    WriteBytes(f / r[1].fileName, edited);
    r[1].values = DistinctValues("Neu");
  };
  const Change notMorvinds = [](const ScratchFolder& f, OfficialForm& form, auto& r) {
    WriteFilledForm(form, DistinctValues("Fremd"), f / r[2].fileName);
  };
  const Change homonym = [](auto&, auto&, auto& r) {
    r[0] = {r[0].fileName, PublisherRecordKey(9), DistinctValues("Anna zwei")};
  };
  const Change renamed = [](auto&, auto&, auto& r) {
    r[1].fileName = "S-21 2025 Roth-Weiß, Eva.pdf";
  };
  const Change emptied = [](const ScratchFolder& f, auto&, auto& r) {
    for (const auto& record : r) std::filesystem::remove(f / record.fileName);
  };
  const Change dangling = [&](const ScratchFolder& f, OfficialForm& form, auto& r) {
    emptied(f, form, r);
    std::filesystem::create_symlink(f / "nowhere", f / r[1].fileName);
  };
  const struct {
    const char* what;
    Change change;
    RecordsFolderTally tally;
    std::string untouched;  // which of the first run's files the second leaves as they were
    WriteProblem failure = WriteProblem::kNone;
  } cases[] = {
      {"nothing changed", {}, {3, 0, 0, 3, {}, false}, "+++"},
      {"new values", newValues, {3, 0, 1, 2, {}, false}, "-++"},
      {"changed by hand", byHand, {3, 0, 0, 2, {list[1].fileName}, false}, "+-+"},
      {"not Morvind's", notMorvinds, {3, 0, 0, 2, {list[2].fileName}, false}, "++-"},
      {"a homonym's file", homonym, {3, 0, 0, 2, {list[0].fileName}, false}, "+++"},
      {"a renamed publisher", renamed, {3, 1, 0, 2, {}, false}, "+++"},
      {"a cancel after the first", emptied, {3, 1, 0, 0, {}, true}, "---"},
      {"a file that can't be written",
       dangling,
       {3, 1, 0, 0, {}, false},
       "---",
       WriteProblem::kDanglingLink},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder folder("records");
    std::unique_ptr<OfficialForm> form = OpenTestForm(folder, false);
    ASSERT_TRUE(form);
    EXPECT_EQ(FillRecordsFolder(*form, folder.Path(), list).tally.written, 3);
    std::vector<std::optional<Stamp>> before, changed;
    for (const auto& record : list) before.push_back(StampOf(folder / record.fileName));
    std::vector<FolderRecord> records = list;
    if (c.change) c.change(folder, *form, records);
    for (const auto& record : list) changed.push_back(StampOf(folder / record.fileName));
    const RecordsFolderResult second = FillRecordsFolder(
        *form, folder.Path(), records, [&](int done) { return !(c.tally.cancelled && done == 1); });
    EXPECT_EQ(second.tally, c.tally);
    EXPECT_EQ(second.failure.problem, c.failure);
    EXPECT_EQ(second.failedFile, c.failure == WriteProblem::kNone ? std::filesystem::path()
                                                                  : folder / records[1].fileName);
    for (std::size_t i = 0; i < list.size(); ++i) {
      const std::optional<Stamp> now = StampOf(folder / list[i].fileName);
      EXPECT_EQ(now == before[i], c.untouched[i] == '+') << list[i].fileName;
      // A file kept is exactly as the change left it.
      if (std::count(c.tally.kept.begin(), c.tally.kept.end(), list[i].fileName)) {
        EXPECT_TRUE(now == changed[i]) << list[i].fileName;
      }
    }
    // Every file Morvind wrote holds its record and the values it holds now.
    for (const auto& record : records) {
      const RecordFileFacts facts = ReadRecordFile(folder / record.fileName);
      if (facts.recordKey != record.recordKey || facts.currentDigest != facts.writtenDigest)
        continue;
      form->Fill(record.values);
      EXPECT_EQ(facts.currentDigest, ValuesDigest(form->CurrentValues())) << record.fileName;
      EXPECT_EQ(facts.formDigest, form->FormDigest());
    }
    // No temporary file is left, and after a stop nothing is written.
    for (const std::string& entry : folder.Entries()) EXPECT_NE(entry.rfind(".morvind", 0), 0u);
    const bool stopped = c.tally.cancelled || c.failure != WriteProblem::kNone;
    EXPECT_EQ(std::filesystem::exists(folder / records[2].fileName), !stopped);
  }
}

}  // namespace
}  // namespace morvind::test
