#include "printing/qt/QtSurface.h"

#include <QFontMetricsF>
#include <algorithm>

#include "printing/RecordingSurface.h"
#include "toolkit/QtText.h"

namespace morvind {
namespace {

QString FaceFor(const std::string& face) {
  if (face == "Arial" || face == "System" || face.empty()) return QStringLiteral("Liberation Sans");
  if (face == "Times New Roman") return QStringLiteral("Liberation Serif");
  return ToQt(face);
}

QColor ToQColor(Colour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

}  // namespace

QtSurface::QtSurface(QPainter& painter, int unitsPerInchX, int unitsPerInchY,
                     QPagedPaintDevice* pages)
    : painter_(painter), unitsX_(unitsPerInchX), unitsY_(unitsPerInchY), pages_(pages) {
  objects_[StockObjectHandle(kVariablePitchSystemFont)] =
      Object{Object::Kind::kFont, ToQtFont(SystemFontRecord()), QPen(), QBrush()};
  objects_[StockObjectHandle(kBlackPen)] =
      Object{Object::Kind::kPen, QFont(), QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap), QBrush()};
  objects_[StockObjectHandle(kNullPen)] =
      Object{Object::Kind::kPen, QFont(), QPen(Qt::NoPen), QBrush()};
  objects_[StockObjectHandle(kWhiteBrush)] =
      Object{Object::Kind::kBrush, QFont(), QPen(), QBrush(Qt::white)};
  font_ = StockObjectHandle(kVariablePitchSystemFont);
  pen_ = StockObjectHandle(kBlackPen);
  brush_ = StockObjectHandle(kWhiteBrush);
  painter_.setBackgroundMode(Qt::TransparentMode);
}

QFont QtSurface::ToQtFont(const FontRecord& record) {
  QFont font(FaceFor(record.face));
  font.setStyleStrategy(QFont::PreferOutline);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setWeight(record.weight >= 600 ? QFont::Bold : QFont::Normal);
  if (record.height < 0) {
    // A negative height is the character height: the em of the font.
    font.setPixelSize(-record.height);
  } else if (record.height > 0) {
    // A positive height is the cell height (ascent plus descent): scale a
    // reference em by the face's cell-to-em ratio.
    constexpr int kReferenceEm = 100;
    font.setPixelSize(kReferenceEm);
    QFontMetricsF metrics(font);
    qreal cell = metrics.ascent() + metrics.descent();
    int pixels = cell > 0 ? static_cast<int>(record.height * kReferenceEm / cell) : record.height;
    font.setPixelSize(pixels > 0 ? pixels : 1);
  } else {
    font.setPixelSize(12);
  }
  return font;
}

const QtSurface::Object* QtSurface::Find(SurfaceObject object) const {
  auto it = objects_.find(object);
  return it == objects_.end() ? nullptr : &it->second;
}

int QtSurface::GetDeviceCaps(int index) {
  if (index == kLogPixelsX) return unitsX_;
  if (index == kLogPixelsY) return unitsY_;
  // The page of a printer is its printable area; a pane is its own page.
  const QPaintDevice* device = painter_.device();
  if (index == kHorzRes) return device ? device->width() : 0;
  if (index == kVertRes) return device ? device->height() : 0;
  return 0;
}

void QtSurface::SetMapMode(int) {}

SurfaceObject QtSurface::CreateFont(const FontRecord& font) {
  // A font asked for again is the same Qt font: Qt then finds its glyphs
  // and metrics at once instead of looking the face up anew, which would
  // cost more than the drawing on every page of a long document.
  auto cached = std::find_if(fontCache_.begin(), fontCache_.end(),
                             [&](const auto& entry) { return entry.first == font; });
  if (cached == fontCache_.end())
    cached = fontCache_.insert(fontCache_.end(), {font, ToQtFont(font)});
  SurfaceObject handle = nextHandle_++;
  objects_[handle] = Object{Object::Kind::kFont, cached->second, QPen(), QBrush()};
  return handle;
}

SurfaceObject QtSurface::CreatePen(int style, int width) {
  SurfaceObject handle = nextHandle_++;
  QPen pen(Qt::black, width < 1 ? 1 : width, Qt::SolidLine,
           (style & kPenGeometric) ? Qt::RoundCap : Qt::FlatCap, Qt::RoundJoin);
  objects_[handle] = Object{Object::Kind::kPen, QFont(), pen, QBrush()};
  return handle;
}

SurfaceObject QtSurface::SelectObject(SurfaceObject object) {
  const Object* found = Find(object);
  if (!found) return 0;
  SurfaceObject previous = 0;
  switch (found->kind) {
    case Object::Kind::kFont:
      previous = font_;
      font_ = object;
      break;
    case Object::Kind::kPen:
      previous = pen_;
      pen_ = object;
      break;
    case Object::Kind::kBrush:
      previous = brush_;
      brush_ = object;
      break;
  }
  return previous;
}

SurfaceObject QtSurface::SelectStockObject(int stockObject) {
  return SelectObject(StockObjectHandle(stockObject));
}

void QtSurface::DeleteObject(SurfaceObject object) {
  // Stock objects are never deleted; a selected object stays usable until
  // it is replaced, as the platform keeps it alive.
  if (object & 0x80000000u) return;
  if (object == font_ || object == pen_ || object == brush_) return;
  objects_.erase(object);
}

int QtSurface::SetTextAlign(int align) {
  int previous = align_;
  align_ = align;
  return previous;
}

void QtSurface::SetBkMode(int) {
  painter_.setBackgroundMode(Qt::TransparentMode);
}

Colour QtSurface::SetTextColor(Colour colour) {
  Colour previous = textColour_;
  textColour_ = colour;
  return previous;
}

Colour QtSurface::SetPenColor(Colour colour) {
  Colour previous = penColour_;
  penColour_ = colour;
  return previous;
}

void QtSurface::DrawText(int x, int y, const QString& text, const QRect* clip) {
  const Object* font = Find(font_);
  const QFont& qfont = font ? font->font : defaultFont_;
  QFontMetricsF metrics(qfont, painter_.device());
  bool updatesPosition = (align_ & kAlignUpdateCp) != 0;
  if (updatesPosition) {
    x = position_.x();
    y = position_.y();
  }
  qreal left = x;
  int horizontal = align_ & 6;
  // Measuring shapes the text once more; a left-aligned text that leaves
  // the current position alone needs no width.
  const qreal width =
      horizontal != kAlignLeft || updatesPosition ? metrics.horizontalAdvance(text) : 0;
  if (horizontal == kAlignCenter) {
    left = x - width / 2;
  } else if (horizontal == kAlignRight) {
    left = x - width;
  }
  qreal baseline = (align_ & kAlignBottom) ? y - metrics.descent() : y + metrics.ascent();
  // The painter's state is set only where it changes: every save and
  // restore would be written into a PDF page as a state change of its own.
  if (font_ != paintedFont_ || !font) {
    painter_.setFont(qfont);
    paintedFont_ = font_;
  }
  painter_.setPen(ToQColor(textColour_));
  if (clip) painter_.setClipRect(*clip);
  painter_.drawText(QPointF(left, baseline), text);
  if (clip) painter_.setClipping(false);
  if (updatesPosition) {
    int advance = static_cast<int>(width + 0.5);
    position_.setX(horizontal == kAlignRight ? x - advance : x + advance);
  }
}

void QtSurface::TextOut(int x, int y, std::string_view text) {
  if (text.empty()) return;
  DrawText(x, y, ToQt(text), nullptr);
}

void QtSurface::ExtTextOut(int x, int y, int options, const SurfaceRect& clip,
                           std::string_view text) {
  if (text.empty()) return;
  QRect rect(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
  DrawText(x, y, ToQt(text), (options & kExtTextClipped) ? &rect : nullptr);
}

SurfaceSize QtSurface::MeasureText(const QFont& font, const QPaintDevice* device,
                                   const QString& text) {
  QFontMetricsF metrics = device ? QFontMetricsF(font, device) : QFontMetricsF(font);
  return SurfaceSize{static_cast<int>(metrics.horizontalAdvance(text) + 0.5),
                     static_cast<int>(metrics.height() + 0.5)};
}

SurfaceSize QtSurface::GetTextExtentPoint32(std::string_view text) {
  const Object* font = Find(font_);
  return MeasureText(font ? font->font : QFont(), painter_.device(), ToQt(text));
}

void QtSurface::MoveTo(int x, int y) {
  position_ = QPoint(x, y);
}

void QtSurface::LineTo(int x, int y) {
  const Object* pen = Find(pen_);
  QPen line = pen ? pen->pen : QPen(Qt::black);
  line.setColor(ToQColor(penColour_));
  painter_.setPen(line);  // the painter writes nothing when the pen is the same
  painter_.drawLine(position_, QPoint(x, y));
  position_ = QPoint(x, y);
}

SurfacePoint QtSurface::GetCurrentPositionEx() {
  return SurfacePoint{position_.x(), position_.y()};
}

void QtSurface::Rectangle(int left, int top, int right, int bottom) {
  const Object* pen = Find(pen_);
  const Object* brush = Find(brush_);
  bool framed = pen && pen->pen.style() != Qt::NoPen;
  painter_.save();
  if (framed) {
    painter_.fillRect(QRect(left, top, right - left, bottom - top),
                      brush ? brush->brush : QBrush(Qt::white));
    QPen frame = pen->pen;
    frame.setWidth(1);
    frame.setColor(ToQColor(penColour_));
    painter_.setPen(frame);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
  } else {
    // Without a pen the filled area is one unit smaller on the right and bottom.
    painter_.fillRect(QRect(left, top, right - left - 1, bottom - top - 1),
                      brush ? brush->brush : QBrush(Qt::white));
  }
  painter_.restore();
}

void QtSurface::StartDoc(std::string_view) {}

void QtSurface::StartPage() {
  if (pages_ && pagesStarted_ > 0) pages_->newPage();
  ++pagesStarted_;
}

void QtSurface::EndPage() {}

void QtSurface::EndDoc() {}

}  // namespace morvind
