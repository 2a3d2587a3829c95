#include "app/qt/OfficialFormPanes.h"

#include <sys/stat.h>

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

#include "printing/SheetContent.h"
#include "toolkit/QtText.h"

namespace morvind {
namespace {

constexpr int kPad = 3;  // pixels between the pane's edge and the picture

// What tells one state of a file from the next without reading it.
std::string FileIdentity(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::string();
  return path + '\n' + std::to_string(info.st_dev) + ':' + std::to_string(info.st_ino) + ':' +
         std::to_string(info.st_size) + ':' + std::to_string(info.st_mtim.tv_sec) + '.' +
         std::to_string(info.st_mtim.tv_nsec);
}

}  // namespace

struct OfficialFormPanes::FormFile {
  std::string identity;
  std::unique_ptr<OfficialForm> form;
  std::string refusal;
};

OfficialFormPanes::OfficialFormPanes() : file_(std::make_unique<FormFile>()) {}
OfficialFormPanes::~OfficialFormPanes() = default;

OfficialForm* OfficialFormPanes::Form(const std::string& formFile, std::string& refusal) {
  const std::string identity = FileIdentity(formFile);
  // A file that is gone is checked again at every paint: it may come back.
  if (identity.empty() || identity != file_->identity) {
    FormFileCheck check;
    file_->form = OfficialForm::Open(formFile, check);
    file_->refusal = FormFileMessage(check, formFile);
    file_->identity = identity;
  }
  refusal = file_->refusal;
  return file_->form.get();
}

void OfficialFormPanes::Paint(FormArea area, const std::string& formFile,
                              const CardRequest& request, QPainter& painter, const QRect& client) {
  painter.fillRect(client, Qt::white);
  std::string refusal;
  OfficialForm* form = Form(formFile, refusal);
  const QRect inner = client.adjusted(kPad, kPad, -kPad, -kPad);
  if (!form) {
    painter.setPen(Qt::black);
    painter.drawText(inner, Qt::AlignCenter | Qt::TextWordWrap, ToQt(refusal));
    return;
  }
  const std::vector<FormFieldValue> values = OfficialFormValues(MakeSheetContent(request));
  Picture& picture = pictures_[area == FormArea::kHeader ? 0 : 1];
  const std::string key = file_->identity + '\n' + CanonicalFormValues(values);
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
