#include <gtest/gtest.h>
#include <poppler-form.h>
#include <poppler-qt6.h>

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <map>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "core/ScratchFolder.h"
#include "pdf/FieldFont.h"
#include "printing/OfficialFormFields.h"
#include "support/FillableFormWriter.h"

namespace morvind::test {
namespace {

using FieldFont = FillableFormOptions::FieldFont;
const std::string kNames = "Müller, Jürgen Łukasz Żółć Ωμέγα Жанна";

// The table's text fields of the form by the last part of their names.
std::map<std::string, const FormFieldSpec*> TextFields() {
  std::map<std::string, const FormFieldSpec*> fields;
  for (const FormFieldSpec& field : OfficialFormFieldTable())
    if (field.kind == FormFieldKind::kText) fields[field.name] = &field;
  return fields;
}

// The form with the added font in place, as Morvind's working copy gets it.
std::string WithFieldFonts(const std::string& form) {
  QPDF pdf;
  pdf.processMemoryFile("form", form.data(), form.size());
  std::vector<FieldCharacters> fields;
  const std::map<std::string, const FormFieldSpec*> table = TextFields();
  for (QPDFFormFieldObjectHelper& field : QPDFAcroFormDocumentHelper(pdf).getFormFields()) {
    std::string name = field.getFullyQualifiedName();
    name = name.substr(name.rfind('.') + 1);
    if (!table.count(name)) continue;
    fields.push_back({field.getObjectHandle(), table.at(name)->number
                                                   ? U"0123456789."
                                                   : U"Müller, Jürgen Łukasz Żółć Ωμέγα Жанна"});
  }
  EXPECT_EQ(fields.size(), 42u);  // every text field of the table, the 75th included
  EXPECT_TRUE(EnsureFieldFonts(pdf, fields, std::string(kLiberationSansFile)));
  QPDFWriter writer(pdf);
  writer.setOutputMemory();
  writer.write();
  const std::shared_ptr<Buffer> written = writer.getBufferSharedPointer();
  return std::string(reinterpret_cast<const char*>(written->getBuffer()), written->getSize());
}

TEST(FieldFontPopplerTest, PopplerFillsEveryNameInTheAddedFontWithoutEmbeddingOneOfItsOwn) {
  ScratchFolder folder("field-font-poppler");
  for (FieldFont font :
       {FieldFont::kHelveticaStandard, FieldFont::kHelveticaWinAnsi, FieldFont::kEmbeddedSubset}) {
    SCOPED_TRACE(static_cast<int>(font));
    // The official form as the working copy has it: no NeedAppearances, so
    // that Poppler writes every field's appearance.
    FillableFormOptions options = OfficialLikeFormOptions();
    options.fieldFont = font;
    options.needAppearances = false;
    const std::string blank = FillableFormPdf(options);
    const std::string prepared = WithFieldFonts(blank);

    std::unique_ptr<Poppler::Document> pdf =
        Poppler::Document::loadFromData(QByteArray::fromStdString(prepared));
    ASSERT_TRUE(pdf);
    std::unique_ptr<Poppler::Page> page = pdf->page(0);
    const std::map<std::string, const FormFieldSpec*> table = TextFields();
    QRectF nameRect;
    for (auto& field : page->formFields()) {
      const std::string name = field->fullyQualifiedName().section('.', -1).toStdString();
      if (!table.count(name)) continue;
      if (name == "900_1_Text_SanSerif") nameRect = field->rect();
      static_cast<Poppler::FormFieldText&>(*field).setText(
          QString::fromStdString(table.at(name)->number ? "12.5" : kNames));
    }
    QByteArray saved;
    QBuffer buffer(&saved);
    buffer.open(QIODevice::WriteOnly);
    std::unique_ptr<Poppler::PDFConverter> converter = pdf->pdfConverter();
    converter->setOutputDevice(&buffer);
    converter->setPDFOptions(Poppler::PDFConverter::WithChanges);
    ASSERT_TRUE(converter->convert());

    EXPECT_FALSE(saved.contains("popplerfont"));
    EXPECT_LE(static_cast<std::size_t>(saved.size()), blank.size() + 100 * 1024);
    WriteBytes(folder / "filled.pdf", saved.toStdString());
    QProcess text;
    text.start("pdftotext",
               {"-enc", "UTF-8", QString::fromStdString((folder / "filled.pdf").string()), "-"});
    ASSERT_TRUE(text.waitForFinished());
    EXPECT_TRUE(
        QString::fromUtf8(text.readAllStandardOutput()).contains(QString::fromStdString(kNames)));

    // Ink inside the name's field, kept clear of its edges (the rule under it).
    const QImage image = page->renderToImage(150, 150);
    const QRect inside =
        QRectF(nameRect.x() * image.width(), nameRect.y() * image.height(),
               nameRect.width() * image.width(), nameRect.height() * image.height())
            .toRect()
            .adjusted(3, 3, -3, -3);
    int ink = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
      for (int x = inside.left(); x <= inside.right(); ++x) ink += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(ink, 200);
  }
}

}  // namespace
}  // namespace morvind::test
