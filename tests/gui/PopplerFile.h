#pragma once

#include <poppler-form.h>
#include <poppler-qt6.h>

#include <QBuffer>
#include <QByteArray>
#include <memory>
#include <string>
#include <vector>

namespace morvind::test {

// A PDF read with Poppler's own field API, and edited there as a PDF viewer
// would: another program's view of what Morvind wrote.
struct PopplerFile {
  std::unique_ptr<Poppler::Document> pdf;
  std::vector<std::unique_ptr<Poppler::Page>> pages;
  std::vector<std::unique_ptr<Poppler::FormField>> fields;

  explicit PopplerFile(const std::string& bytes)
      : pdf(Poppler::Document::loadFromData(QByteArray::fromStdString(bytes))) {
    for (int p = 0; pdf && p < pdf->numPages(); ++p) {
      pages.push_back(pdf->page(p));
      for (auto& field : pages.back()->formFields()) fields.push_back(std::move(field));
    }
  }
  // The widgets of `name`: a qualified name, or the last part of one.
  std::vector<Poppler::FormField*> Find(const std::string& name) const {
    const QString wanted = QString::fromStdString(name);
    std::vector<Poppler::FormField*> found;
    for (const auto& field : fields) {
      const QString qualified = field->fullyQualifiedName();
      if (qualified == wanted || qualified.endsWith(QLatin1Char('.') + wanted))
        found.push_back(field.get());
    }
    return found;
  }
  bool Has(const std::string& name) const { return !Find(name).empty(); }
  // The first widget's text, or "[x]" / "[ ]" for a box.
  std::string Value(const std::string& name) const {
    const Poppler::FormField* field = Find(name).at(0);
    if (field->type() == Poppler::FormField::FormButton)
      return static_cast<const Poppler::FormFieldButton*>(field)->state() ? "[x]" : "[ ]";
    return static_cast<const Poppler::FormFieldText*>(field)->text().toStdString();
  }
  std::string Script(const std::string& name, Poppler::FormField::AdditionalActionType type) const {
    std::unique_ptr<Poppler::Link> link = Find(name).at(0)->additionalAction(type);
    auto* script = dynamic_cast<Poppler::LinkJavaScript*>(link.get());
    return script ? script->script().toStdString() : std::string();
  }
  // Sets the text of every widget of the name, or ticks its box.
  void Set(const std::string& name, const std::string& text = {}) {
    for (Poppler::FormField* field : Find(name)) {
      if (field->type() == Poppler::FormField::FormButton)
        static_cast<Poppler::FormFieldButton*>(field)->setState(true);
      else
        static_cast<Poppler::FormFieldText*>(field)->setText(QString::fromStdString(text));
    }
  }
  // The file as a viewer saves it: the changes appended as an update.
  std::string Save() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    auto converter = pdf->pdfConverter();
    converter->setOutputDevice(&buffer);
    converter->setPDFOptions(Poppler::PDFConverter::WithChanges);
    converter->convert();
    return bytes.toStdString();
  }
  std::string SetAndSave(const std::string& name, const std::string& text) {
    Set(name, text);
    return Save();
  }
};

}  // namespace morvind::test
