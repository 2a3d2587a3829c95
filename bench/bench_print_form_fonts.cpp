// One record filled into the official test form and saved by Poppler, as
// the window and the folder of records do it: the form whose name, hours
// and remarks font (Helvetica with /StandardEncoding) lacks "ü" and "Ł",
// made as the working copy is (no NeedAppearances), with the subset font
// in place (argument 1) or without (0, where Poppler embeds a font of the
// system into the record). The counter "bytes" is the record's size,
// "blank" the form's. Also the making of the font itself, once per run.

#include <benchmark/benchmark.h>
#include <poppler-form.h>
#include <poppler-qt6.h>

#include <QBuffer>
#include <map>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <string>

#include "pdf/FieldFont.h"
#include "printing/OfficialFormFields.h"
#include "support/FillableFormWriter.h"

namespace {

using namespace morvind;

std::string BlankForm() {
  test::FillableFormOptions options = test::OfficialLikeFormOptions();
  options.needAppearances = false;
  return test::FillableFormPdf(options);
}

// The form written again by qpdf, with the field fonts in place or not.
std::string Prepared(const std::string& form, bool fonts) {
  QPDF pdf;
  pdf.processMemoryFile("form", form.data(), form.size());
  std::map<std::string, bool> table;  // the text fields: whether they take numbers
  for (const FormFieldSpec& field : OfficialFormFieldTable())
    if (field.kind == FormFieldKind::kText) table[field.name] = field.number;
  std::vector<FieldCharacters> fields;
  std::u32string letters;
  for (char32_t c = 0x20; c < 0x7F; ++c) letters += c;
  letters += U"ÄÖÜäöüßÉéÈèÀàÇçŁłŻżŚśĆćŃńÓóĄąĘęŹź¾";
  for (QPDFFormFieldObjectHelper& field : QPDFAcroFormDocumentHelper(pdf).getFormFields()) {
    std::string name = field.getFullyQualifiedName();
    name = name.substr(name.rfind('.') + 1);
    if (table.count(name))
      fields.push_back({field.getObjectHandle(), table[name] ? U"0123456789." : letters});
  }
  if (fonts && !EnsureFieldFonts(pdf, fields, std::string(test::kLiberationSansFile))) return {};
  QPDFWriter writer(pdf);
  writer.setOutputMemory();
  writer.write();
  const std::shared_ptr<Buffer> written = writer.getBufferSharedPointer();
  return std::string(reinterpret_cast<const char*>(written->getBuffer()), written->getSize());
}

// A record of a regular pioneer with a name and remarks the form's font
// lacks letters of.
std::map<std::string, std::string> Record() {
  std::map<std::string, std::string> values;
  for (const FormFieldSpec& field : OfficialFormFieldTable()) {
    if (field.kind != FormFieldKind::kText) continue;
    values[field.name] = field.number ? "50.75" : "Grüße";
  }
  values["900_1_Text_SanSerif"] = "Łukasiewicz-Müller, Jürgen";
  values["900_13_Text_C_SanSerif"] = "2025";
  return values;
}

void BM_FillAndSaveOneRecord(benchmark::State& state) {
  const std::string blank = BlankForm();
  const QByteArray form = QByteArray::fromStdString(Prepared(blank, state.range(0) != 0));
  if (form.isEmpty()) {
    state.SkipWithError("the font was not added");
    return;
  }
  const std::map<std::string, std::string> record = Record();
  qsizetype bytes = 0;
  for (auto _ : state) {
    // A fresh copy of the form for each record, as Morvind fills them.
    std::unique_ptr<Poppler::Document> pdf = Poppler::Document::loadFromData(form);
    std::unique_ptr<Poppler::Page> page = pdf->page(0);
    for (auto& field : page->formFields()) {
      const auto found = record.find(field->fullyQualifiedName().section('.', -1).toStdString());
      if (found != record.end())
        static_cast<Poppler::FormFieldText&>(*field).setText(QString::fromStdString(found->second));
    }
    QByteArray saved;
    QBuffer buffer(&saved);
    buffer.open(QIODevice::WriteOnly);
    std::unique_ptr<Poppler::PDFConverter> converter = pdf->pdfConverter();
    converter->setOutputDevice(&buffer);
    converter->setPDFOptions(Poppler::PDFConverter::WithChanges);
    if (!converter->convert()) state.SkipWithError("not saved");
    bytes = saved.size();
  }
  state.counters["bytes"] = static_cast<double>(bytes);
  state.counters["blank"] = static_cast<double>(blank.size());
}
BENCHMARK(BM_FillAndSaveOneRecord)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The working copy's part: the coverage of every text field, the subset
// and the font's objects, once per run.
void BM_EnsureFieldFonts(benchmark::State& state) {
  const std::string blank = BlankForm();
  std::size_t bytes = 0;
  for (auto _ : state) bytes = Prepared(blank, true).size();
  state.counters["bytes"] = static_cast<double>(bytes);
  state.counters["blank"] = static_cast<double>(blank.size());
}
BENCHMARK(BM_EnsureFieldFonts)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
