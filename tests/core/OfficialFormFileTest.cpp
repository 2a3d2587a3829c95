#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <qpdf/QPDFWriter.hh>

#include "core/ScratchFolder.h"
#include "pdf/OfficialFormFile.h"
#include "pdf/PdfGate.h"
#include "pdf/QpdfDocument.h"
#include "pdf/RecordSeal.h"
#include "pdf/WorkingCopy.h"
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

// The test form changed through qpdf and written whole again.
std::string Rewritten(const std::string& pdf, const std::function<void(QPDF&)>& change,
                      const std::function<void(QPDFWriter&)>& write = {}) {
  QPDF document;
  document.processMemoryFile("form", pdf.data(), pdf.size());
  change(document);
  QPDFWriter writer(document);
  writer.setOutputMemory();
  if (write) write(writer);
  writer.write();
  auto buffer = writer.getBufferSharedPointer();
  return std::string(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
}

// Calls `visit` with every field or widget dictionary named `name`, or
// every one with a name when `name` is empty.
void ForFields(QPDF& pdf, const std::string& name,
               const std::function<void(QPDFObjectHandle, const std::string&)>& visit) {
  for (QPDFObjectHandle object : pdf.getAllObjects()) {
    if (!object.isDictionary() || !object.getKey("/Subtype").isNameAndEquals("/Widget")) continue;
    const std::string own = object.getKey("/T").getUTF8Value();
    if (name.empty() || own == name) visit(object, own);
  }
}

std::string Renamed(const std::string& from, const std::string& to) {
  return Rewritten(FillableFormPdf(), [&](QPDF& pdf) {
    ForFields(pdf, from, [&](QPDFObjectHandle field, const std::string&) {
      field.replaceKey("/T", QPDFObjectHandle::newString(to));
    });
  });
}

std::string Encrypted(const char* user, bool fill) {
  return Rewritten(
      FillableFormPdf(), [](QPDF&) {},
      [&](QPDFWriter& writer) {
        writer.setR6EncryptionParameters(user, "Besitzer", true, true, true, fill, fill, fill,
                                         qpdf_r3p_full, true);
      });
}

bool QpdfChecksWithoutWarning(const ScratchFolder& folder, const std::string& pdf) {
  WriteBytes(folder / "check.pdf", pdf);
  const std::string command = "qpdf --check '" + (folder / "check.pdf").string() + "' >/dev/null";
  return std::system(command.c_str()) == 0;
}

const WorkingCopyOptions kOptions{U"abcÄÖÜäöüß", {}};

TEST(OfficialFormFileTest, AFormFileIsCheckedForWhatMorvindFillsAndTheReasonNamed) {
  const std::string good = FillableFormPdf();
  const std::string notForm = "ist kein ausfüllbares Formular S-21 11/23: das Feld ";
  const std::string older =
      "ist die ältere Ausgabe der Karte S-21 (vor 11/23). Bitte die Ausgabe 11/23 wählen.";
  // The real form keeps its names as UTF-16 strings.
  const std::string utf16 = Rewritten(good, [](QPDF& pdf) {
    ForFields(pdf, "", [](QPDFObjectHandle field, const std::string& name) {
      std::string text = "\xFE\xFF";
      for (char c : name) text += std::string(1, '\0') + c;
      field.replaceKey("/T", QPDFObjectHandle::newString(text));
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

// A FIFO of the test's own, with a writer that has written when `writer`.
struct Fifo {
  int fd = -1;
  Fifo(const std::filesystem::path& path, bool writer) {
    ::mkfifo(path.c_str(), 0644);
    if (!writer) return;
    // Read and write: opening a FIFO so never waits for the other end.
    fd = ::open(path.c_str(), O_RDWR);
    const char bytes[] = "%PDF-1.7\n";
    EXPECT_EQ(::write(fd, bytes, sizeof bytes - 1), static_cast<ssize_t>(sizeof bytes - 1));
  }
  ~Fifo() {
    if (fd >= 0) ::close(fd);
  }
};

TEST(OfficialFormFileTest, AHostileFileIsRefusedAtOnceAndARepairableOneGivesAWorkingCopy) {
  ScratchFolder folder("hostile-forms");
  using Setup = std::function<void(const std::filesystem::path&)>;
  auto bytes = [](std::string pdf) -> Setup {
    return [pdf](const std::filesystem::path& path) { WriteBytes(path, pdf); };
  };
  std::optional<Fifo> fifo, fifoWithWriter;
  const struct {
    const char* what;
    Setup setup;
    FormFileProblem problem;
  } cases[] = {
      {"no default resources", bytes(Form(Fault::kNoDefaultResources)), FormFileProblem::kNone},
      {"dangling references", bytes(Form(Fault::kDanglingReference)), FormFileProblem::kNone},
      {"a broken cross-reference table", bytes(Form(Fault::kBrokenXref)), FormFileProblem::kNone},
      {"a widget its own parent", bytes(Form(Fault::kOwnParent)), FormFileProblem::kNotPdf},
      {"a cycle of kids", bytes(Form(Fault::kKidsCycle)), FormFileProblem::kNotPdf},
      {"a tree 10,000 deep", bytes(Form(Fault::kDeepTree)), FormFileProblem::kNotPdf},
      {"5,000 widgets", bytes(Form(Fault::kManyWidgets)), FormFileProblem::kNotPdf},
      {"a FIFO", [&](auto& path) { fifo.emplace(path, false); }, FormFileProblem::kNotRegular},
      {"a FIFO with a writer", [&](auto& path) { fifoWithWriter.emplace(path, true); },
       FormFileProblem::kNotRegular},
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
      {"nothing", [](auto&) {}, FormFileProblem::kGone},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::filesystem::path path = folder / ("form" + std::to_string(++n) + ".pdf");
    c.setup(path);
    const PreparedForm form = PrepareOfficialForm(path, kOptions);
    EXPECT_EQ(form.check.problem, c.problem);
    if (c.problem != FormFileProblem::kNone) continue;
    // The working copy is whole and clean: through the gate and the check
    // again, without a repair.
    EXPECT_EQ(CheckPdfBytes(form.workingCopy).repaired, false);
    EXPECT_TRUE(PrepareOfficialFormBytes(form.workingCopy, kOptions).Ok());
    EXPECT_TRUE(QpdfChecksWithoutWarning(folder, form.workingCopy));
  }
  // Root may read anything: the file without permission is read as the
  // user "nobody".
  WriteBytes(folder / "secret.pdf", FillableFormPdf());
  ::chmod((folder / "secret.pdf").c_str(), 0200);
  EXPECT_TRUE(AsOrdinaryUser(folder, [&] {
    return PrepareOfficialForm(folder / "secret.pdf", kOptions).check.problem ==
           FormFileProblem::kNoPermission;
  }));
}

TEST(OfficialFormFileTest, TheWorkingCopyIsABlankFormThatPopplerFillsWithAppearances) {
  ScratchFolder folder("working-copy");
  // A form made from a filled record: values, ticks and Morvind's entries.
  const std::string record = Rewritten(FillableFormPdf(), [](QPDF& pdf) {
    ForFields(pdf, "", [&](QPDFObjectHandle field, const std::string& name) {
      if (field.getKey("/FT").isNameAndEquals("/Tx")) {
        field.replaceKey("/V", QPDFObjectHandle::newString("Alt " + name));
        QPDFObjectHandle shown = QPDFObjectHandle::newDictionary();
        shown.replaceKey("/N", QPDFObjectHandle::newStream(&pdf, "BT (Alt) Tj ET"));
        field.replaceKey("/AP", shown);
      } else {
        field.replaceKey("/V", QPDFObjectHandle::newName("/Ja"));
        field.replaceKey("/AS", QPDFObjectHandle::newName("/Ja"));
      }
    });
    QPDFObjectHandle info = pdf.getTrailer().getKey("/Info");
    for (std::string_view key :
         {kRecordKeyEntry, kValuesDigestEntry, kFormDigestEntry, kFileDigestEntry})
      info.replaceKey("/" + std::string(key), QPDFObjectHandle::newString("alt"));
  });
  const PreparedForm form = PrepareOfficialFormBytes(record, kOptions);
  ASSERT_TRUE(form.Ok());
  EXPECT_EQ(PrepareOfficialFormBytes(record, kOptions).workingCopy, form.workingCopy);
  EXPECT_TRUE(QpdfChecksWithoutWarning(folder, form.workingCopy));
  // Poppler appends a classic cross-reference table to each record.
  EXPECT_EQ(form.workingCopy.find("/XRef"), std::string::npos);
  EXPECT_NE(form.workingCopy.rfind("\nxref\n"), std::string::npos);

  QPDF pdf;
  pdf.processMemoryFile("copy", form.workingCopy.data(), form.workingCopy.size());
  std::map<std::string, std::string> values;
  ForFields(pdf, "", [&](QPDFObjectHandle field, const std::string& name) {
    QPDFObjectHandle value = field.getKey("/V");
    values[name] = value.isString() ? value.getUTF8Value() : value.unparse();
    if (field.getKey("/FT").isNameAndEquals("/Tx")) {
      EXPECT_EQ(field.hasKey("/AP"), name == kTestFormNoteField) << name;
    } else {
      EXPECT_TRUE(field.hasKey("/AP")) << name;
      EXPECT_EQ(field.getKey("/AS").unparse(), name == kTestFormCheckedBox ? "/Ja" : "/Off");
    }
  });
  for (const FormFieldSpec& field : OfficialFormFieldTable()) {
    if (!field.required) continue;
    EXPECT_EQ(values.at(field.name), field.kind == FormFieldKind::kText ? "null" : "/Off");
  }
  // What is not Morvind's stays as it was.
  EXPECT_EQ(values.at(std::string(kTestFormNoteField)), "Alt Notiz");
  EXPECT_EQ(values.at(std::string(kTestFormCheckedBox)), "/Ja");
  QPDFObjectHandle acroForm = pdf.getRoot().getKey("/AcroForm");
  EXPECT_FALSE(acroForm.hasKey("/NeedAppearances"));
  EXPECT_TRUE(acroForm.getKey("/DR").getKey("/Font").hasKey("/HeSt"));
  EXPECT_EQ(pdf.getTrailer().getKey("/Info").unparseResolved(),
            "<< /Producer (Morvind) /Title (S-21 Testformular) >>");
  ForFields(pdf, "904_32_S21_Value", [](QPDFObjectHandle field, const std::string&) {
    EXPECT_TRUE(field.getKey("/AA").hasKey("/C"));
  });

  // A form without default resources gets Helvetica.
  const PreparedForm bare = PrepareOfficialFormBytes(Form(Fault::kNoDefaultResources), kOptions);
  QPDF without;
  without.processMemoryFile("bare", bare.workingCopy.data(), bare.workingCopy.size());
  EXPECT_EQ(without.getRoot()
                .getKey("/AcroForm")
                .getKey("/DR")
                .getKey("/Font")
                .getKey("/Helv")
                .unparseResolved(),
            "<< /BaseFont /Helvetica /Encoding /WinAnsiEncoding /Subtype /Type1 /Type /Font >>");
}

TEST(OfficialFormFileTest, NumberFieldsReceiveDigitsAndTheOtherTextsTheDataCharacters) {
  const std::string pdf = FillableFormPdf();
  QpdfDocument document = OpenPdf(pdf);
  ASSERT_TRUE(document.gate.Ok());
  std::map<std::string, std::u32string> received;
  for (FieldCharacters field : TableFieldCharacters(FindTableFields(document), kOptions))
    received[field.field.getKey("/T").getUTF8Value()] += field.characters;
  const std::u32string digits = U"0123456789.";
  EXPECT_EQ(received.size(), 41u);  // the text fields of the table but 905_32
  EXPECT_EQ(received.at("900_1_Text_SanSerif"), kOptions.characters + kOptions.characters);
  EXPECT_EQ(received.at("900_13_Text_C_SanSerif"), digits);
  EXPECT_EQ(received.at("902_20_Text_C_SanSerif"), digits);
  EXPECT_EQ(received.at("904_32_S21_Value"), digits);
  EXPECT_EQ(received.at("905_31_Text_SanSerif"), kOptions.characters);
}

}  // namespace
}  // namespace morvind::test
