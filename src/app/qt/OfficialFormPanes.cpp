#include "app/qt/OfficialFormPanes.h"

#include <sys/stat.h>

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

#include "pdf/FormFonts.h"
#include "printing/SheetContent.h"
#include "toolkit/QtText.h"

namespace morvind {
namespace {

constexpr int kPad = 3;  // pixels between the pane's edge and the picture

// Which file the form file's name leads to now (a link followed, as the
// form file is read).
std::optional<FileIdentity> TargetIdentity(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return IdentityOf(status);
}

}  // namespace

struct OfficialFormPanes::FormFile {
  std::string path;
  std::optional<FileIdentity> identity;
  std::unique_ptr<OfficialForm> form;
  std::string refusal;
  bool readAgain = true;
};

OfficialFormPanes::OfficialFormPanes() : file_(std::make_unique<FormFile>()) {}
OfficialFormPanes::~OfficialFormPanes() = default;

void OfficialFormPanes::ReadFormFileAgain() {
  file_->readAgain = true;
}

OfficialForm* OfficialFormPanes::Form(const std::string& formFile, CodePage codePage,
                                      std::string& refusal) {
  // The file is looked at only when a new record is shown (or another file
  // chosen), never at a paint: a paint follows every move of the window.
  if (file_->readAgain || file_->path != formFile) {
    const std::optional<FileIdentity> identity = TargetIdentity(formFile);
    if (!identity || identity != file_->identity || file_->path != formFile) {
      FormFileCheck check;
      file_->form = OfficialForm::Open(formFile, check, WorkingCopyOptionsFor(codePage));
      file_->refusal = FormFileMessage(check, formFile);
      file_->identity = identity;
      file_->path = formFile;
    }
    file_->readAgain = false;
  }
  refusal = file_->refusal;
  return file_->form.get();
}

void OfficialFormPanes::Paint(FormArea area, const std::string& formFile,
                              const CardRequest& request, QPainter& painter, const QRect& client) {
  painter.fillRect(client, Qt::white);
  std::string refusal;
  OfficialForm* form = Form(formFile, request.table->GetCodePage(), refusal);
  const QRect inner = client.adjusted(kPad, kPad, -kPad, -kPad);
  if (!form) {
    painter.setPen(Qt::black);
    painter.drawText(inner, Qt::AlignCenter | Qt::TextWordWrap, ToQt(refusal));
    return;
  }
  const std::vector<FormFieldValue> values = OfficialFormValues(MakeSheetContent(request));
  Picture& picture = pictures_[area == FormArea::kHeader ? 0 : 1];
  const std::string key = form->FormDigest() + '\n' + CanonicalFormValues(values);
  if (picture.key != key || picture.size != inner.size()) {
    form->Fill(values);
    const auto [page, part] = form->AreaOf(area);
    const QSizeF points = form->PageSizePoints(page);
    const double inchesWide = part.width() * points.width() / 72.0;
    const double inchesHigh = part.height() * points.height() / 72.0;
    QImage image;
    if (inchesWide > 0 && inchesHigh > 0 && !inner.isEmpty()) {
      const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
      const double dpi = std::min(inner.width() / inchesWide, inner.height() / inchesHigh);
      image = form->Render(page, dpi * ratio, dpi * ratio, part);
      image.setDevicePixelRatio(ratio);
    }
    picture = Picture{key, inner.size(), image};
    ++renders_;
  }
  const QSizeF shown = picture.image.deviceIndependentSize();
  const QPointF corner(inner.left() + (inner.width() - shown.width()) / 2,
                       inner.top() + (inner.height() - shown.height()) / 2);
  painter.drawImage(corner, picture.image);
}

}  // namespace morvind
