#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "core/ScratchFolder.h"
#include "pdf/OfficialFormFile.h"
#include "pdf/PdfGate.h"
#include "pdf/RecordSeal.h"
#include "support/FillableFormWriter.h"

namespace morvind::test {
namespace {

using Fault = FillableFormOptions::Fault;

std::string Form(Fault fault, std::string field = "904_32_S21_Value") {
  FillableFormOptions options;
  options.fault = fault;
  options.field = std::move(field);
  return FillableFormPdf(options);
}

// Calls `visit` with each widget of `pdf` and its name.
void ForWidgets(QPDF& pdf, const std::function<void(QPDFObjectHandle, std::string)>& visit) {
  for (QPDFObjectHandle object : pdf.getAllObjects())
    if (object.isDictionary() && object.getKey("/Subtype").isNameAndEquals("/Widget"))
      visit(object, object.getKey("/T").getUTF8Value());
}

// A text string in UTF-16, as the real form keeps its names.
QPDFObjectHandle Utf16(const std::string& ascii) {
  std::string text = "\xFE\xFF";
  for (char c : ascii) text += std::string(1, '\0') + c;
  return QPDFObjectHandle::newString(text);
}

// The test form changed through qpdf and written whole again, encrypted
// where `encrypt` says how.
std::string Rewritten(const std::function<void(QPDF&)>& change,
                      const std::function<void(QPDFWriter&)>& encrypt = {}) {
  const std::string form = FillableFormPdf();
  QPDF pdf;
  pdf.processMemoryFile("form", form.data(), form.size());
  change(pdf);
  QPDFWriter writer(pdf);
  writer.setOutputMemory();
  if (encrypt) encrypt(writer);
  writer.write();
  auto buffer = writer.getBufferSharedPointer();
  return std::string(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
}

std::string Renamed(const std::string& from, const std::string& to) {
  return Rewritten([&](QPDF& pdf) {
    ForWidgets(pdf, [&](QPDFObjectHandle widget, std::string name) {
      if (name == from) widget.replaceKey("/T", QPDFObjectHandle::newString(to));
    });
  });
}

std::string Encrypted(const char* user, bool fill) {
  return Rewritten([](QPDF&) {},
                   [&](QPDFWriter& writer) {
                     writer.setR6EncryptionParameters(user, "Besitzer", true, true, true, fill,
                                                      fill, fill, qpdf_r3p_full, true);
                   });
}

// How a test makes what lies at a path.
using MakeAt = std::function<void(const std::filesystem::path&)>;
MakeAt Bytes(std::string pdf, mode_t mode = 0644) {
  return [pdf, mode](const std::filesystem::path& path) {
    WriteBytes(path, pdf);
    ::chmod(path.c_str(), mode);
  };
}

bool QpdfChecksWithoutWarning(const ScratchFolder& folder, const std::string& pdf) {
  WriteBytes(folder / "check.pdf", pdf);
  return std::system(("qpdf --check " + (folder / "check.pdf").string() + " >/dev/null").c_str()) ==
         0;
}

const WorkingCopyOptions kOptions{U"abcÄÖÜäöüß", {}};

TEST(OfficialFormFileTest, AFormFileIsCheckedForWhatMorvindFillsAndTheReasonNamed) {
  const std::string good = FillableFormPdf();
  const std::string notForm = "ist kein ausfüllbares Formular S-21 11/23: das Feld ";
  const std::string older =
      "ist die ältere Ausgabe der Karte S-21 (vor 11/23). Bitte die Ausgabe 11/23 wählen.";
  const std::string utf16 = Rewritten([](QPDF& pdf) {
    ForWidgets(pdf, [](QPDFObjectHandle widget, std::string name) {
      widget.replaceKey("/T", Utf16(name));
    });
  });
  const struct {
    const char* what;
    std::string pdf;
    std::string message;  // after "Die Datei „form.pdf“ "
  } cases[] = {
      {"the test form", good, ""},
      {"names in UTF-16", utf16, ""},
      {"cut in half", good.substr(0, good.size() / 2), "ist kein lesbares PDF-Dokument."},
      {"a user password", Encrypted("Kennwort", true), "ist mit einem Kennwort geschützt."},
      {"filling forbidden", Encrypted("", false), "lässt kein Ausfüllen zu."},
      {"an XFA form", Form(Fault::kXfa), "lässt kein Ausfüllen zu."},
      {"no AcroForm", Form(Fault::kNoAcroForm), notForm + "„900_1_Text_SanSerif“ fehlt."},
      {"no total", Form(Fault::kMissingField), notForm + "„904_32_S21_Value“ fehlt."},
      {"a text for a box", Form(Fault::kWrongKind, "900_3_CheckBox"),
       notForm + "„900_3_CheckBox“ hat nicht die Art eines Formularfelds für ein Ankreuzfeld."},
      {"a box for a text", Form(Fault::kWrongKind, "902_25_Text_C_SanSerif"),
       notForm + "„902_25_Text_C_SanSerif“ hat nicht die Art eines Formularfelds für Text."},
      {"the older name of the name", Renamed("900_1_Text_SanSerif", "900_1_Text"), older},
      {"an older hours field", Renamed("901_20_CheckBox", "901_20_S21_Value"), older},
      {"a name the older edition lacks", Renamed("900_1_Text_SanSerif", "900_1_Name"),
       notForm + "„900_1_Text_SanSerif“ fehlt."},
  };
  for (const auto& c : cases) {
    const PreparedForm form = PrepareOfficialFormBytes(c.pdf, kOptions);
    EXPECT_EQ(FormFileMessage(form.check, "form.pdf"),
              c.message.empty() ? "" : "Die Datei „form.pdf“ " + c.message)
        << c.what;
    EXPECT_EQ(form.workingCopy.empty(), !form.Ok()) << c.what;
  }
}

TEST(OfficialFormFileTest, AHostileFileIsRefusedAtOnceAndARepairableOneGivesAWorkingCopy) {
  ScratchFolder folder("hostile-forms");
  std::vector<int> writers;  // open ends of FIFOs, closed at the end
  auto fifo = [&](bool writer) -> MakeAt {
    return [&, writer](const std::filesystem::path& path) {
      ::mkfifo(path.c_str(), 0644);
      // Opened for reading too, a FIFO opens without waiting for a reader.
      if (!writer) return;
      writers.push_back(::open(path.c_str(), O_RDWR));
      EXPECT_EQ(::write(writers.back(), "%PDF-1.7\n", 9), 9);
    };
  };
  const struct {
    const char* what;
    MakeAt make;
    FormFileProblem problem;
  } cases[] = {
      {"no default resources", Bytes(Form(Fault::kNoDefaultResources)), FormFileProblem::kNone},
      {"dangling references", Bytes(Form(Fault::kDanglingReference)), FormFileProblem::kNone},
      {"a broken cross-reference table", Bytes(Form(Fault::kBrokenXref)), FormFileProblem::kNone},
      {"a widget its own parent", Bytes(Form(Fault::kOwnParent)), FormFileProblem::kNotPdf},
      {"a cycle of kids", Bytes(Form(Fault::kKidsCycle)), FormFileProblem::kNotPdf},
      {"a tree 10,000 deep", Bytes(Form(Fault::kDeepTree)), FormFileProblem::kNotPdf},
      {"5,000 widgets", Bytes(Form(Fault::kManyWidgets)), FormFileProblem::kNotPdf},
      {"a FIFO", fifo(false), FormFileProblem::kNotRegular},
      {"a FIFO with a writer", fifo(true), FormFileProblem::kNotRegular},
      {"/dev/zero through a link",
       [](auto& path) { std::filesystem::create_symlink("/dev/zero", path); },
       FormFileProblem::kNotRegular},
      {"8 GB, sparse",
       [](auto& path) {
         WriteBytes(path, FillableFormPdf());
         std::filesystem::resize_file(path, std::uintmax_t{8} << 30);
       },
       FormFileProblem::kTooLarge},
      {"a folder", [](auto& path) { std::filesystem::create_directory(path); },
       FormFileProblem::kNotRegular},
      {"a dangling link", [&](auto& path) { std::filesystem::create_symlink("nowhere", path); },
       FormFileProblem::kGone},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::filesystem::path path = folder / ("form" + std::to_string(++n) + ".pdf");
    c.make(path);
    const PreparedForm form = PrepareOfficialForm(path, kOptions);
    EXPECT_EQ(form.check.problem, c.problem);
    if (c.problem != FormFileProblem::kNone) continue;
    // The working copy is whole and clean: through the gate without a repair.
    EXPECT_EQ(CheckPdfBytes(form.workingCopy).repaired, false);
    EXPECT_TRUE(PrepareOfficialFormBytes(form.workingCopy, kOptions).Ok());
    EXPECT_TRUE(QpdfChecksWithoutWarning(folder, form.workingCopy));
  }
  for (int fd : writers) ::close(fd);
  // Root may read anything: the file without permission is read as the
  // user "nobody".
  WriteBytes(folder / "secret.pdf", FillableFormPdf());
  ::chmod((folder / "secret.pdf").c_str(), 0200);
  EXPECT_TRUE(AsOrdinaryUser(folder, [&] {
    return PrepareOfficialForm(folder / "secret.pdf", kOptions).check.problem ==
           FormFileProblem::kNoPermission;
  }));
}

TEST(OfficialFormFileTest, TheWorkingCopyIsTheBlankFormWholeAndClean) {
  ScratchFolder folder("working-copy");
  // A form made from a filled record: values and their appearances, ticks
  // and Morvind's entries.
  const std::string record = Rewritten([](QPDF& pdf) {
    ForWidgets(pdf, [&](QPDFObjectHandle widget, std::string name) {
      const bool text = widget.getKey("/FT").isNameAndEquals("/Tx");
      widget.replaceKey("/V", text ? QPDFObjectHandle::newString("Alt " + name)
                                   : QPDFObjectHandle::newName("/Ja"));
      if (!text) widget.replaceKey("/AS", QPDFObjectHandle::newName("/Ja"));
      if (text) widget.replaceKey("/AP", QPDFObjectHandle::parse(&pdf, "<< /N 1 0 R >>"));
    });
    for (std::string_view key :
         {kRecordKeyEntry, kValuesDigestEntry, kFormDigestEntry, kFileDigestEntry})
      pdf.getTrailer().getKey("/Info").replaceKey("/" + std::string(key),
                                                  QPDFObjectHandle::newString("alt"));
  });
  const PreparedForm form = PrepareOfficialFormBytes(record, kOptions);
  ASSERT_TRUE(form.Ok());
  EXPECT_EQ(PrepareOfficialFormBytes(record, kOptions).workingCopy, form.workingCopy);
  EXPECT_TRUE(QpdfChecksWithoutWarning(folder, form.workingCopy));
  // Poppler appends a classic cross-reference table to each record.
  EXPECT_EQ(form.workingCopy.find("/XRef"), std::string::npos);

  QPDF pdf;
  pdf.processMemoryFile("copy", form.workingCopy.data(), form.workingCopy.size());
  std::map<std::string, std::string> widgets;  // value, state, "AP" where shown
  ForWidgets(pdf, [&](QPDFObjectHandle widget, std::string name) {
    widgets[name] = widget.getKey("/V").unparse() + widget.getKey("/AS").unparse() +
                    (widget.hasKey("/AP") ? " AP" : "");
  });
  for (const FormFieldSpec& field : OfficialFormFieldTable()) {
    if (!field.required) continue;
    EXPECT_EQ(widgets.at(field.name),
              field.kind == FormFieldKind::kText ? "nullnull" : "/Off/Off AP");
  }
  // What is not Morvind's stays as it was.
  EXPECT_EQ(widgets.at(std::string(kTestFormNoteField)), "(Alt Notiz)null AP");
  EXPECT_EQ(widgets.at(std::string(kTestFormCheckedBox)), "/Ja/Ja AP");
  QPDFObjectHandle acroForm = pdf.getRoot().getKey("/AcroForm");
  EXPECT_FALSE(acroForm.hasKey("/NeedAppearances"));
  EXPECT_EQ(acroForm.getKey("/DR").getKey("/Font").getKeys().size(), 3u);
  EXPECT_EQ(pdf.getTrailer().getKey("/Info").unparseResolved(),
            "<< /Producer (Morvind) /Title (S-21 Testformular) >>");
  EXPECT_EQ(acroForm.getKey("/CO").getArrayItem(0).getKey("/AA").getKeys().size(), 1u);

  // A form without default resources gets Helvetica.
  const PreparedForm bare = PrepareOfficialFormBytes(Form(Fault::kNoDefaultResources), kOptions);
  EXPECT_NE(bare.workingCopy.find("/DR << /Font << /Helv "), std::string::npos);
  EXPECT_NE(
      bare.workingCopy.find(
          "<< /BaseFont /Helvetica /Encoding /WinAnsiEncoding /Subtype /Type1 /Type /Font >>"),
      std::string::npos);
}

TEST(RecordFileTest, AFileOfTheFolderIsReadOnlyWhenItIsARegularPdf) {
  ScratchFolder folder("record-files");
  // A record as Morvind saves it, its file digest still the placeholder:
  // the entries as UTF-16 strings, which qpdf (like Poppler) writes in
  // lower-case hexadecimal.
  const std::string unsealed = Rewritten([](QPDF& pdf) {
    QPDFObjectHandle info = pdf.getTrailer().getKey("/Info");
    info.replaceKey("/" + std::string(kRecordKeyEntry), Utf16("publisher:17"));
    info.replaceKey("/" + std::string(kFileDigestEntry), Utf16(FileDigestPlaceholder()));
  });
  std::string sealed = unsealed;
  ASSERT_TRUE(SealRecordFile(sealed));
  WriteBytes(folder / "target.pdf", sealed);
  const struct {
    const char* what;
    MakeAt make;
    RecordFileKind kind;
    bool sealIntact, writeProtected;
  } cases[] = {
      {"nothing", [](auto&) {}, RecordFileKind::kMissing, false, false},
      {"a link to a record",
       [&](auto& path) { std::filesystem::create_symlink(folder / "target.pdf", path); },
       RecordFileKind::kLink, false, false},
      {"a folder", [](auto& path) { std::filesystem::create_directory(path); },
       RecordFileKind::kNotRegular, false, false},
      {"a FIFO", [](auto& path) { ::mkfifo(path.c_str(), 0644); }, RecordFileKind::kNotRegular,
       false, false},
      {"not a PDF", Bytes("%PDF-1.7\n"), RecordFileKind::kUnreadable, false, false},
      {"too large",
       [&](auto& path) {
         WriteBytes(path, sealed);
         std::filesystem::resize_file(path, 9 << 20);
       },
       RecordFileKind::kUnreadable, false, false},
      {"refused by the gate", Bytes(Form(Fault::kKidsCycle)), RecordFileKind::kUnreadable, false,
       false},
      {"sealed", Bytes(sealed), RecordFileKind::kPdf, true, false},
      {"sealed, write-protected", Bytes(sealed, 0444), RecordFileKind::kPdf, true, true},
      {"never sealed", Bytes(unsealed), RecordFileKind::kPdf, false, false},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::filesystem::path path = folder / ("record" + std::to_string(++n) + ".pdf");
    c.make(path);
    const RecordFileFacts facts = ReadRecordFile(path);
    EXPECT_EQ(facts.kind, c.kind);
    EXPECT_EQ(facts.sealIntact, c.sealIntact);
    EXPECT_EQ(facts.writeProtected, c.writeProtected);
    EXPECT_EQ(facts.identity, CurrentIdentity(path).value_or(FileIdentity{}));
    if (c.kind == RecordFileKind::kPdf) {
      EXPECT_EQ(facts.recordKey, "publisher:17");
      EXPECT_EQ(facts.fileDigest.size(), 64u);
    }
  }
}

}  // namespace
}  // namespace morvind::test
