#include <gtest/gtest.h>
#include <poppler-form.h>
#include <poppler-qt6.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <map>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <set>
#include <tuple>

#include "PopplerFile.h"
#include "core/ScratchFolder.h"
#include "pdf/FlattenedRecords.h"
#include "pdf/FormFonts.h"
#include "pdf/RecordSeal.h"
#include "printing/qt/FilledFormPrint.h"
#include "printing/qt/RecordsFolderRun.h"
#include "printing/qt/RecordsPdfFile.h"
#include "resources/FolderLock.h"
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
    if (!pdf.Has(value.name) && value.name == "905_32_Text_SanSerif") continue;  // optional
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

// A filled record as another program reads it (qpdf's field API): each
// field of the table by the last part of its name, its value as text ("[x]"
// or "[ ]" for a box), and whether each of its widgets shows that value in
// an appearance of its own, without the viewer's help.
struct FieldsRead {
  std::map<std::string, std::string> values;
  std::map<std::string, int> maxLength;
  std::set<std::string> withoutAppearance;
  bool needAppearances = false;
  explicit FieldsRead(const std::string& pdf) {
    QPDF file;
    file.processMemoryFile("record", pdf.data(), pdf.size());
    QPDFAcroFormDocumentHelper form(file);
    needAppearances = form.getNeedAppearances();
    for (QPDFFormFieldObjectHelper field : form.getFormFields()) {
      const std::string name =
          QString::fromStdString(field.getFullyQualifiedName()).section('.', -1).toStdString();
      const bool box = field.isCheckbox();
      const std::string value =
          box ? (field.getValue().isName() && field.getValue().getName() != "/Off" ? "[x]" : "[ ]")
              : field.getValueAsString();
      values[name] = value;
      QPDFObjectHandle limit = field.getInheritableFieldValue("/MaxLen");
      if (limit.isInteger()) maxLength[name] = limit.getIntValueAsInt();
      for (QPDFAnnotationObjectHelper widget : form.getAnnotationsForField(field)) {
        QPDFObjectHandle normal = widget.getAppearanceDictionary().getKey("/N");
        const bool shown =
            box ? normal.isDictionary() && normal.getKey(widget.getAppearanceState()).isStream()
                : value.empty() || normal.isStream();
        if (!shown) withoutAppearance.insert(name);
      }
    }
  }
};

// Values as a record of a Polish congregation gives them: names beyond the
// forms' fonts, hours as numbers, every second box ticked.
std::vector<FormFieldValue> RecordValues() {
  std::vector<FormFieldValue> values;
  int n = 0;
  for (const FormFieldSpec& field : OfficialFormFieldTable()) {
    FormFieldValue value{field.name, field.kind, {}, ++n % 2 == 0};
    if (field.kind == FormFieldKind::kText)
      value.text =
          field.number ? std::to_string(n) + ".75" : "Łukasz Żółć, Müller " + std::to_string(n);
    values.push_back(value);
  }
  return values;
}

// Every form as it comes: the test form, the form as the real one is in
// each of its fonts, a blank made from a filled record, and the forms that
// needed repair. What Morvind writes from each shows every value in an
// appearance of its own, reads back through another program's field API,
// keeps the form small and is sealed.
TEST(OfficialFormTest, EveryFormGivesRecordsThatShowEveryValueInEveryViewer) {
  using Font = FillableFormOptions::FieldFont;
  auto variant = [](auto change) {
    FillableFormOptions options = OfficialLikeFormOptions();
    change(options);
    return options;
  };
  const struct {
    const char* what;
    FillableFormOptions options;
  } cases[] = {
      {"the test form", FillableFormOptions{}},
      {"as the real one is", OfficialLikeFormOptions()},
      {"its fields in an embedded subset font",
       variant([](auto& o) { o.fieldFont = Font::kEmbeddedSubset; })},
      {"in Helvetica with WinAnsiEncoding",
       variant([](auto& o) { o.fieldFont = Font::kHelveticaWinAnsi; })},
      {"without NeedAppearances", variant([](auto& o) { o.needAppearances = false; })},
      {"a blank made from a filled record", variant([](auto& o) { o.filledTemplate = true; })},
      {"an older copy without the 75th field", variant([](auto& o) { o.remarksTotal = false; })},
      {"no default resources", variant([](auto& o) { o.fault = Fault::kNoDefaultResources; })},
      {"a dangling reference", variant([](auto& o) { o.fault = Fault::kDanglingReference; })},
      {"a broken cross-reference table", variant([](auto& o) { o.fault = Fault::kBrokenXref; })},
  };
  ScratchFolder folder("form-variants");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string blank = FillableFormPdf(c.options);
    WriteBytes(folder / "form.pdf", blank);
    FormFileCheck check;
    std::unique_ptr<OfficialForm> form = OfficialForm::Open(
        folder / "form.pdf", check, WorkingCopyOptionsFor(CodePage::kWindows1250));
    ASSERT_TRUE(form) << FormFileMessage(check, "form.pdf");
    const std::vector<FormFieldValue> values = RecordValues();
    const std::optional<std::string> record =
        FilledRecordFile(*form, {"record.pdf", PublisherRecordKey(4), values});
    ASSERT_TRUE(record);
    const FieldsRead read(*record);
    for (const FormFieldValue& value : values) {
      if (!read.values.count(value.name) && value.name == "905_32_Text_SanSerif") continue;
      std::string expected = value.kind == FormFieldKind::kText ? value.text
                             : value.checked                    ? "[x]"
                                                                : "[ ]";
      if (read.maxLength.count(value.name))  // cut to the field's length, in characters
        expected =
            QString::fromStdString(expected).left(read.maxLength.at(value.name)).toStdString();
      EXPECT_EQ(read.values.at(value.name), expected) << value.name;
    }
    EXPECT_EQ(read.withoutAppearance, std::set<std::string>{});
    EXPECT_FALSE(read.needAppearances);
    EXPECT_EQ(read.values.count("905_32_Text_SanSerif"), c.options.remarksTotal ? 1u : 0u);
    EXPECT_EQ(record->find("popplerfont"), std::string::npos);
    EXPECT_LE(record->size(), blank.size() + 100 * 1024);
    EXPECT_TRUE(ReadRecordInfo(*record).sealIntact);
    // A whole, sound file, whatever repair the form needed.
    WriteBytes(folder / "record.pdf", *record);
    EXPECT_EQ(QProcess::execute(
                  "qpdf", {"--check", QString::fromStdString((folder / "record.pdf").string())}),
              0);
  }
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
       notSheet + "„900_3_CheckBox“ hat nicht die Art eines Formularfelds für ein Ankreuzfeld."},
      {"boxtext.pdf", faulty(Fault::kWrongKind, "902_25_Text_C_SanSerif"),
       notSheet + "„902_25_Text_C_SanSerif“ hat nicht die Art eines Formularfelds für Text."},
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
  const std::vector<FolderRecord> forms = {{"Anna.pdf", "", DistinctValues("Anna")},
                                           {"Eva.pdf", "", DistinctValues("Eva")}};
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
  form->SetRecordInfo(PublisherRecordKey(1), "digest");
  EXPECT_EQ(PrintFilledForms(file, *form, {forms[0]}).outcome, PrintOutcome::kPrinted);
  EXPECT_EQ(ReadRecordFile(folder / "Anna.pdf").recordKey, "");
  EXPECT_EQ(PrintFilledForms(file, *form, forms).outcome, PrintOutcome::kNoPainter);
}

// A file's inode, time stamp (in nanoseconds) and bytes.
using Stamp = std::tuple<ino_t, long long, std::string>;
std::optional<Stamp> StampOf(const std::filesystem::path& file) {
  struct stat st {};
  if (::lstat(file.c_str(), &st) != 0) return std::nullopt;
  const std::string bytes = S_ISREG(st.st_mode) ? ReadBytes(file) : std::string();
  return Stamp{st.st_ino, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec, bytes};
}

// Another program's change to a record file: an incremental update that
// adds a sticky note to the first page, as a PDF viewer saves a comment.
std::string WithComment(const std::string& pdf) {
  PopplerFile file(pdf);
  std::unique_ptr<Poppler::Page>& page = file.pages.front();
  auto note = std::make_unique<Poppler::TextAnnotation>(Poppler::TextAnnotation::Linked);
  note->setBoundary(QRectF(0.1, 0.1, 0.05, 0.05));
  note->setContents(QStringLiteral("Anruf vom 3. März"));
  page->addAnnotation(note.get());
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  auto converter = file.pdf->pdfConverter();
  converter->setOutputDevice(&buffer);
  converter->setPDFOptions(Poppler::PDFConverter::WithChanges);
  converter->convert();
  return bytes.toStdString();
}

TEST(OfficialFormTest, AFolderOfRecordsReplacesOnlyMorvindsFilesAsWrittenAndGoesOnPastTheRest) {
  const std::vector<FolderRecord> list = {
      {"S-21 2025 Meier, Anna.pdf", PublisherRecordKey(1), DistinctValues("Anna")},
      {"S-21 2025 Roth, Eva.pdf", PublisherRecordKey(2), DistinctValues("Eva")},
      {"S-21 2025 Wolf, Jan.pdf", PublisherRecordKey(3), DistinctValues("Jan")}};
  auto jobOf = [](const ScratchFolder& folder, const std::vector<FolderRecord>& records) {
    RecordsFolderJob job{folder.Path(), folder / "form.pdf", records, {}, "S-21 2025 "};
    for (const FolderRecord& record : records) job.tableNames.push_back(record.fileName);
    return job;
  };
  // What changes in the folder after the first run, and in the job for the
  // second.
  using Change = std::function<void(const ScratchFolder&, OfficialForm&, RecordsFolderJob&)>;
  auto file = [](const ScratchFolder& f, const RecordsFolderJob& j, int i) {
    return f / j.records[static_cast<std::size_t>(i)].fileName;
  };
  auto newValues = [](RecordsFolderJob& j, int i) {
    j.records[static_cast<std::size_t>(i)].values = DistinctValues("Neu");
  };
  const Change comment = [&](auto& f, auto&, auto& j) {
    WriteBytes(file(f, j, 1), WithComment(ReadBytes(file(f, j, 1))));
    newValues(j, 1);
  };
  const Change otherField = [&](auto& f, auto&, auto& j) {
    WriteBytes(
        file(f, j, 1),
        PopplerFile(ReadBytes(file(f, j, 1))).SetAndSave(std::string(kTestFormNoteField), "krank"));
    newValues(j, 1);
  };
  const Change protect = [&](auto& f, auto&, auto& j) {
    ::chmod(file(f, j, 2).c_str(), 0444);
    newValues(j, 2);
  };
  const Change older = [&](auto& f, OfficialForm& form, auto& j) {
    // Record info as Morvind wrote it before files were sealed.
    PopplerFile pdf(*FilledRecordFile(form, j.records[0]));
    pdf.pdf->setInfo(QStringLiteral("MorvindFileDigest"), QString());
    WriteBytes(file(f, j, 0), pdf.SetAndSave(std::string(kTestFormNoteField), ""));
  };
  const Change specials = [&](auto& f, auto&, auto& j) {
    std::filesystem::remove(file(f, j, 1));
    ::mkfifo(file(f, j, 1).c_str(), 0644);
    std::filesystem::remove(file(f, j, 2));
    std::filesystem::create_symlink(f / "nowhere", file(f, j, 2));
  };
  const Change renamed = [&](auto&, auto&, auto& j) {
    j.records[1].fileName = j.tableNames[1] = "S-21 2025 Roth-Weiß, Eva.pdf";
  };
  const Change renamedByHand = [&](auto& f, auto& form, auto& j) {
    otherField(f, form, j);
    renamed(f, form, j);
  };
  const Change formFile = [&](auto& f, auto&, auto& j) { j.formFile = file(f, j, 0); };
  const Change emptied = [&](auto& f, auto&, auto& j) {
    for (int i = 0; i < 3; ++i) std::filesystem::remove(file(f, j, i));
  };
  using R = KeepReason;
  const struct {
    const char* what;
    Change change;
    RecordsFolderTally tally;  // listed, written, replaced, unchanged, kept
    // Each of the first run's files after the second: '=' as the change
    // left it, '~' written anew, '-' gone.
    std::string files;
  } cases[] = {
      {"nothing changed", {}, {.listed = 3, .unchanged = 3, .done = 3}, "==="},
      {"a comment added by a viewer",
       comment,
       {.listed = 3, .unchanged = 2, .kept = {{list[1].fileName, R::kChangedByHand}}, .done = 3},
       "==="},
      {"a field of the form's own filled in",
       otherField,
       {.listed = 3, .unchanged = 2, .kept = {{list[1].fileName, R::kChangedByHand}}, .done = 3},
       "==="},
      {"write-protected",
       protect,
       {.listed = 3, .unchanged = 2, .kept = {{list[2].fileName, R::kWriteProtected}}, .done = 3},
       "==="},
      {"an older Morvind's file",
       older,
       {.listed = 3, .unchanged = 2, .kept = {{list[0].fileName, R::kOlderMorvind}}, .done = 3},
       "==="},
      {"a FIFO and a dangling link",
       specials,
       {.listed = 3,
        .unchanged = 1,
        .kept = {{list[1].fileName, R::kNotRegular}, {list[2].fileName, R::kLink}},
        .done = 3},
       "==="},
      {"a renamed publisher", renamed, {.listed = 3, .unchanged = 3, .done = 3}, "=-="},
      {"a renamed publisher whose file was changed by hand",
       renamedByHand,
       {.listed = 3,
        .written = 1,
        .unchanged = 2,
        .kept = {{list[1].fileName, R::kChangedByHand, true}},
        .done = 3},
       "==="},
      {"the form file under a record's name",
       formFile,
       {.listed = 3, .unchanged = 2, .kept = {{list[0].fileName, R::kFormFile}}, .done = 3},
       "==="},
      {"new values, and a cancel after the first",
       [&](auto&, auto&, auto& j) { newValues(j, 0); },
       {.listed = 3, .replaced = 1, .cancelled = true, .done = 1},
       "~=="},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder folder("records");
    std::unique_ptr<OfficialForm> form = OpenTestForm(folder, false);
    ASSERT_TRUE(form);
    RecordsFolderJob job = jobOf(folder, list);
    EXPECT_EQ(FillRecordsFolder(*form, job).written, 3);
    if (c.change) c.change(folder, *form, job);
    std::vector<std::optional<Stamp>> changed;
    for (const auto& record : list) changed.push_back(StampOf(folder / record.fileName));
    const RecordsFolderTally second =
        FillRecordsFolder(*form, job, [&](int done) { return !(c.tally.cancelled && done == 1); });
    EXPECT_EQ(second, c.tally);
    for (std::size_t i = 0; i < list.size(); ++i) {
      const std::optional<Stamp> now = StampOf(folder / list[i].fileName);
      const char expected = c.files[i];
      EXPECT_EQ(now.has_value(), expected != '-') << list[i].fileName;
      if (expected != '-') {
        EXPECT_EQ(now == changed[i], expected == '=') << list[i].fileName;
      }
    }
    // A renamed publisher's file is his file of before, by his new name.
    if (std::string_view(c.what) == "a renamed publisher") {
      EXPECT_EQ(std::get<0>(*StampOf(folder / job.records[1].fileName)), std::get<0>(*changed[1]));
    }
    // No temporary file is left.
    for (const std::string& entry : folder.Entries()) EXPECT_NE(entry.rfind(".morvind", 0), 0u);
  }
}

// Only faults of the folder itself stop a run; another run holding the
// folder stops it before anything is done.
TEST(OfficialFormTest, AFolderOfRecordsStopsOnlyForTheFolderAndForAnotherRun) {
  ScratchFolder folder("records");
  std::unique_ptr<OfficialForm> form = OpenTestForm(folder, false);
  ASSERT_TRUE(form);
  RecordsFolderJob job{folder.Path(),
                       folder / "form.pdf",
                       {{"S-21 2025 Meier, Anna.pdf", PublisherRecordKey(1), DistinctValues("A")},
                        {"S-21 2025 Roth, Eva.pdf", PublisherRecordKey(2), DistinctValues("E")}},
                       {},
                       "S-21 2025 "};
  {
    FolderLock other(folder.Path());
    EXPECT_TRUE(FillRecordsFolder(*form, job).busy);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"form.pdf"});
  }
  RecordsFolderTally full;
  {
    FileSizeLimit limit(4096);  // as on a full disk
    full = FillRecordsFolder(*form, job);
  }
  EXPECT_EQ(full.stopFile, job.records[0].fileName);
  EXPECT_EQ(full.done, 0);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"form.pdf"});
  EXPECT_EQ(FillRecordsFolder(*form, job).written, 2);
}

// The records drawn into one PDF keep nothing a viewer could fill or run,
// and their texts, in embedded fonts, stay text in the records' order.
TEST(OfficialFormTest, APdfOfRecordsHoldsNoFieldAndItsTextsAreTextInOrder) {
  ScratchFolder folder("records-pdf");
  WriteBytes(folder / "form.pdf", FillableFormPdf());
  FormFileCheck check;
  std::unique_ptr<OfficialForm> form = OfficialForm::Open(
      folder / "form.pdf", check, WorkingCopyOptionsFor(CodePage::kWindows1252, true));
  ASSERT_TRUE(form);
  const std::vector<FolderRecord> records = {{"Anna.pdf", "", DistinctValues("Anna")},
                                             {"Eva.pdf", "", DistinctValues("Eva")}};
  const std::filesystem::path pdf = folder / "list.pdf";
  // "Abbrechen" after the first record: no file.
  EXPECT_EQ(
      WriteRecordsPdf(*form, records, pdf, "S-21 2027 Liste", [](int) { return false; }).outcome,
      PrintOutcome::kCancelled);
  EXPECT_FALSE(std::filesystem::exists(pdf));
  ASSERT_EQ(WriteRecordsPdf(*form, records, pdf, "S-21 2027 Liste").outcome,
            PrintOutcome::kPrinted);

  std::unique_ptr<Poppler::Document> document =
      Poppler::Document::load(QString::fromStdString(pdf.string()));
  ASSERT_TRUE(document);
  EXPECT_EQ(document->info(QStringLiteral("Title")), QStringLiteral("S-21 2027 Liste"));
  ASSERT_EQ(document->numPages(), 2 * form->PageCount());
  for (int p = 0; p < document->numPages(); ++p) {
    EXPECT_TRUE(document->page(p)->formFields().empty()) << p;
    EXPECT_TRUE(document->page(p)->annotations().empty()) << p;
  }
  QProcess text;
  text.start(QStringLiteral("pdftotext"), {QString::fromStdString(pdf.string()), "-"});
  if (!text.waitForFinished()) GTEST_SKIP() << "no pdftotext";
  const std::string found = text.readAllStandardOutput().toStdString();
  const std::size_t anna = found.find("Anna: Müller, Jürgen Weiß 1¾");
  const std::size_t eva = found.find("Eva: Müller, Jürgen Weiß 1¾");
  EXPECT_NE(anna, std::string::npos) << found;
  EXPECT_LT(anna, eva) << found;
  EXPECT_NE(found.find("Eva: Müller, Jürgen Weiß 15¾"), std::string::npos);  // a figure
  QProcess fonts;
  fonts.start(QStringLiteral("pdffonts"), {QString::fromStdString(pdf.string())});
  fonts.waitForFinished();
  EXPECT_TRUE(QString::fromUtf8(fonts.readAllStandardOutput())
                  .contains(QRegularExpression("[A-Z]{6}\\+LiberationSans +CID TrueType +"
                                               "Identity-H +yes yes yes")));
  // A record whose fields still wait for appearances would lose them.
  FlattenedRecords merged(form->WorkingCopy());
  EXPECT_FALSE(merged.Add(FillableFormPdf()));
  EXPECT_EQ(merged.PageCount(), 0);
}

}  // namespace
}  // namespace morvind::test
