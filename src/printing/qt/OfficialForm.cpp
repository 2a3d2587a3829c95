#include "printing/qt/OfficialForm.h"

#include <poppler-form.h>
#include <poppler-qt6.h>

#include <QBuffer>
#include <QByteArray>
#include <QHash>
#include <QString>
#include <algorithm>
#include <cmath>

#include "pdf/RecordSeal.h"

namespace morvind {
namespace {

// The margin AreaOf leaves around the fields, in parts of the page.
constexpr double kAreaMargin = 0.015;
constexpr double kTableHeadingRoom = 0.035;

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// `text` cut to `length` characters, never inside a character that takes
// two UTF-16 units.
QString CutToLength(const QString& text, int length) {
  if (length < 0) return text;
  int units = 0;
  for (int characters = 0; units < text.size() && characters < length; ++characters)
    units += text[units].isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
  return text.left(units);
}

bool IsKind(const Poppler::FormField& field, FormFieldKind kind) {
  if (kind == FormFieldKind::kCheckBox) {
    return field.type() == Poppler::FormField::FormButton &&
           static_cast<const Poppler::FormFieldButton&>(field).buttonType() ==
               Poppler::FormFieldButton::CheckBox;
  }
  return field.type() == Poppler::FormField::FormText &&
         static_cast<const Poppler::FormFieldText&>(field).textType() !=
             Poppler::FormFieldText::FileSelect;
}

// A form file in Poppler with the widgets of the table's fields at hand.
struct LoadedForm {
  std::unique_ptr<Poppler::Document> pdf;
  std::vector<std::unique_ptr<Poppler::Page>> pages;
  // Every widget of every page; Poppler's objects stay valid as long as
  // the loaded PDF, and looking them up again for each fill would cost more
  // than the fill.
  std::vector<std::unique_ptr<Poppler::FormField>> widgets;
  std::vector<int> widgetPage;
  // The occurrences of each field of the table, page by page.
  std::array<std::vector<std::size_t>, kOfficialFieldCount> occurrences;

  // False when Poppler can't read the bytes as a PDF at all (never for a
  // working copy, which qpdf wrote whole and clean).
  bool Load(const QByteArray& bytes) {
    // Poppler tells of every flaw it repairs on standard error, where
    // morvind-print's own lines go; the check says what matters.
    static const bool kQuiet = [] {
      Poppler::setDebugErrorFunction([](const QString&, const QVariant&) {}, QVariant());
      return true;
    }();
    (void)kQuiet;
    pdf = Poppler::Document::loadFromData(bytes);
    if (!pdf || pdf->isLocked()) return false;
    pdf->setRenderHint(Poppler::Document::Antialiasing);
    pdf->setRenderHint(Poppler::Document::TextAntialiasing);
    static const QHash<QString, std::size_t> kIndex = [] {
      QHash<QString, std::size_t> index;
      const auto& table = OfficialFormFieldTable();
      for (std::size_t i = 0; i < table.size(); ++i)
        index.insert(QString::fromStdString(table[i].name), i);
      return index;
    }();
    for (int p = 0; p < pdf->numPages(); ++p) {
      pages.push_back(pdf->page(p));
      if (!pages.back()) continue;  // a page Poppler could not parse
      for (std::unique_ptr<Poppler::FormField>& widget : pages.back()->formFields()) {
        // Found by the last part of the qualified name, wherever it sits.
        const QString name = widget->fullyQualifiedName().section(QLatin1Char('.'), -1);
        const auto found = kIndex.constFind(name);
        if (found != kIndex.constEnd()) occurrences[found.value()].push_back(widgets.size());
        widgets.push_back(std::move(widget));
        widgetPage.push_back(p);
      }
    }
    return true;
  }

  std::vector<FormFieldValue> CurrentValues() const {
    std::vector<FormFieldValue> values;
    values.reserve(kOfficialFieldCount + 1);
    const auto& table = OfficialFormFieldTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
      for (std::size_t w : occurrences[i]) {
        const Poppler::FormField& widget = *widgets[w];
        // A field changed into another kind (by hand) holds no value of the
        // table's kind, and no value is read for it.
        if (!IsKind(widget, table[i].kind)) continue;
        FormFieldValue value{table[i].name, table[i].kind, {}, false};
        if (table[i].kind == FormFieldKind::kText) {
          value.text = static_cast<const Poppler::FormFieldText&>(widget).text().toStdString();
        } else {
          value.checked = static_cast<const Poppler::FormFieldButton&>(widget).state();
        }
        values.push_back(std::move(value));
      }
    }
    return values;
  }
};

}  // namespace

struct OfficialForm::Document {
  PreparedForm prepared;
  QByteArray workingCopy;  // the prepared copy's bytes, shared by every fill
  LoadedForm form;
  bool recordInfoSet = false;
};

OfficialForm::OfficialForm(std::unique_ptr<Document> document) : document_(std::move(document)) {}
OfficialForm::~OfficialForm() = default;

std::unique_ptr<OfficialForm> OfficialForm::Open(const std::filesystem::path& file,
                                                 FormFileCheck& check,
                                                 const WorkingCopyOptions& options) {
  auto document = std::make_unique<Document>();
  document->prepared = PrepareOfficialForm(file, options);
  check = document->prepared.check;
  if (!check.Ok()) return nullptr;
  document->workingCopy = QByteArray::fromStdString(document->prepared.workingCopy);
  if (!document->form.Load(document->workingCopy)) {
    check = {FormFileProblem::kNotPdf, {}};
    return nullptr;
  }
  return std::unique_ptr<OfficialForm>(new OfficialForm(std::move(document)));
}

FormFileCheck OfficialForm::Check(const std::filesystem::path& file) {
  return PrepareOfficialForm(file, {}, false).check;
}

const std::string& OfficialForm::FormDigest() const {
  return document_->prepared.formDigest;
}

const FileIdentity& OfficialForm::Identity() const {
  return document_->prepared.identity;
}

std::string_view OfficialForm::WorkingCopy() const {
  return document_->prepared.workingCopy;
}

bool OfficialForm::HasField(std::string_view name) const {
  const auto& table = OfficialFormFieldTable();
  for (std::size_t i = 0; i < table.size(); ++i)
    if (table[i].name == name) return !document_->form.occurrences[i].empty();
  return false;
}

void OfficialForm::Fill(const std::vector<FormFieldValue>& values) {
  // A fresh copy for every record: a loaded document keeps every earlier
  // appearance stream, and would write them all into the next file.
  // The fresh copy is loaded before the old one goes: Poppler's Qt library
  // reads its global settings (the system's fonts among them) anew
  // whenever a document loads while none is open, which took a third of
  // each record's time.
  LoadedForm fresh;
  fresh.Load(document_->workingCopy);
  document_->form = std::move(fresh);
  document_->recordInfoSet = false;
  LoadedForm& form = document_->form;
  // The form's own fields that hold a value without an appearance get one,
  // as the working copy has no NeedAppearances that would ask a viewer to.
  for (const std::string& name : document_->prepared.fieldsToRedraw) {
    const QString qualified = QString::fromStdString(name);
    for (std::unique_ptr<Poppler::FormField>& widget : form.widgets) {
      if (widget->type() != Poppler::FormField::FormText ||
          widget->fullyQualifiedName() != qualified)
        continue;
      auto& text = static_cast<Poppler::FormFieldText&>(*widget);
      text.setText(text.text());
    }
  }
  const auto& table = OfficialFormFieldTable();
  for (const FormFieldValue& value : values) {
    const auto entry = std::find_if(table.begin(), table.end(),
                                    [&](const FormFieldSpec& s) { return s.name == value.name; });
    if (entry == table.end() || entry->kind != value.kind) continue;
    const QString text = QString::fromStdString(value.text);
    for (std::size_t w : form.occurrences[static_cast<std::size_t>(entry - table.begin())]) {
      // The working copy's fields are empty and off: only what differs is
      // set, and Poppler builds its appearance.
      if (value.kind == FormFieldKind::kText) {
        auto& field = static_cast<Poppler::FormFieldText&>(*form.widgets[w]);
        const QString cut = CutToLength(text, field.maximumLength());
        if (field.text() != cut) field.setText(cut);
      } else {
        // Poppler ticks a box with the "on" state of its own appearance.
        auto& field = static_cast<Poppler::FormFieldButton&>(*form.widgets[w]);
        if (field.state() != value.checked) field.setState(value.checked);
      }
    }
  }
}

std::vector<FormFieldValue> OfficialForm::CurrentValues() const {
  return document_->form.CurrentValues();
}

void OfficialForm::SetRecordInfo(std::string_view recordKey, std::string_view valuesDigest) {
  Poppler::Document& pdf = *document_->form.pdf;
  pdf.setInfo(Latin1(kRecordKeyEntry), Utf8(recordKey));
  pdf.setInfo(Latin1(kValuesDigestEntry), Utf8(valuesDigest));
  pdf.setInfo(Latin1(kFormDigestEntry), QString::fromStdString(FormDigest()));
  pdf.setInfo(Latin1(kFileDigestEntry), QString::fromStdString(FileDigestPlaceholder()));
  document_->recordInfoSet = true;
}

std::optional<std::string> OfficialForm::SaveFilled() const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  std::unique_ptr<Poppler::PDFConverter> converter = document_->form.pdf->pdfConverter();
  converter->setOutputDevice(&buffer);
  // With the changes: the form file's own bytes and, after them, the
  // filled fields as an update, so that the form stays fillable.
  converter->setPDFOptions(Poppler::PDFConverter::WithChanges);
  if (!converter->convert()) return std::nullopt;
  std::string saved = bytes.toStdString();
  if (document_->recordInfoSet && !SealRecordFile(saved)) return std::nullopt;
  return saved;
}

int OfficialForm::PageCount() const {
  return static_cast<int>(document_->form.pages.size());
}

QSizeF OfficialForm::PageSizePoints(int page) const {
  const auto& pages = document_->form.pages;
  if (page < 0 || page >= PageCount() || !pages[static_cast<std::size_t>(page)]) return QSizeF();
  return pages[static_cast<std::size_t>(page)]->pageSizeF();
}

std::pair<int, QRectF> OfficialForm::AreaOf(FormArea area) const {
  const LoadedForm& form = document_->form;
  // The header: 900_1 … 900_12; the table: 900_13 and everything after it.
  const std::size_t first = area == FormArea::kHeader ? 0 : 12;
  const std::size_t end = area == FormArea::kHeader ? 12 : kOfficialFieldCount;
  // The page of the area's first field; its fields on other pages (a name
  // repeated on the back) are not part of it.
  const int page = form.widgetPage[form.occurrences[first].front()];
  QRectF united;
  for (std::size_t i = first; i < end; ++i)
    for (std::size_t w : form.occurrences[i])
      if (form.widgetPage[w] == page) united = united.united(form.widgets[w]->rect());
  // The table's column headings stand beside the service year, in a
  // heading cell that reaches above its field: the table gets room for it.
  // Above the name the form's title ends close by: the header stops short
  // of it.
  const double top = area == FormArea::kTable ? kTableHeadingRoom : kAreaMargin / 3;
  united.adjust(-kAreaMargin, -top, kAreaMargin, kAreaMargin);
  return {page, united.intersected(QRectF(0, 0, 1, 1))};
}

QImage OfficialForm::Render(int page, double dpiX, double dpiY, const QRectF& part) const {
  if (page < 0 || page >= PageCount()) return QImage();
  const Poppler::Page* shown = document_->form.pages[static_cast<std::size_t>(page)].get();
  if (!shown) return QImage();
  const QSizeF points = shown->pageSizeF();
  const double width = points.width() * dpiX / 72.0;
  const double height = points.height() * dpiY / 72.0;
  const int x = static_cast<int>(std::floor(part.left() * width));
  const int y = static_cast<int>(std::floor(part.top() * height));
  const int w = static_cast<int>(std::ceil(part.right() * width)) - x;
  const int h = static_cast<int>(std::ceil(part.bottom() * height)) - y;
  // Poppler draws a box ticked only in the first rendering of its page
  // after its state was set, and the two panes render the same page: each
  // ticked box of the page is ticked again first.
  LoadedForm& form = document_->form;
  for (std::size_t w = 0; w < form.widgets.size(); ++w) {
    if (form.widgetPage[w] != page || form.widgets[w]->type() != Poppler::FormField::FormButton)
      continue;
    auto& button = static_cast<Poppler::FormFieldButton&>(*form.widgets[w]);
    if (button.buttonType() == Poppler::FormFieldButton::CheckBox && button.state())
      button.setState(true);
  }
  return shown->renderToImage(dpiX, dpiY, x, y, w, h);
}

}  // namespace morvind
