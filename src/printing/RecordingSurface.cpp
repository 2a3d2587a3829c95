#include "printing/RecordingSurface.h"

#include <cstdio>

#include "resources/JsonText.h"

namespace morvind {
namespace {

constexpr std::uint32_t kStockBit = 0x80000000u;

int CodePointCount(std::string_view text) {
  int count = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++count;
  return count;
}


// Black, the colour of almost everything, is left out of the listing.
void AppendColour(std::string& out, Colour colour) {
  if (colour == kBlack) return;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, ",\"colour\":\"#%02x%02x%02x\"", colour & 0xFF,
                (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
  out += buffer;
}

}  // namespace

FontRecord SystemFontRecord() {
  FontRecord font;
  font.height = -12;
  font.weight = 400;
  font.charset = 0;
  font.pitchAndFamily = kPitchVariableSwiss;
  font.face = "System";
  return font;
}

RecordingSurface::RecordingSurface(int unitsPerInchX, int unitsPerInchY)
    : unitsX_(unitsPerInchX),
      unitsY_(unitsPerInchY),
      // 210 by 297 mm.
      page_{unitsPerInchX * 2100 / 254, unitsPerInchY * 2970 / 254} {
  startFont_ = currentFont_ = StockObjectHandle(kVariablePitchSystemFont);
  startPen_ = currentPen_ = StockObjectHandle(kBlackPen);
  startBrush_ = currentBrush_ = StockObjectHandle(kWhiteBrush);
}

int RecordingSurface::GetDeviceCaps(int index) {
  if (index == kLogPixelsX) return unitsX_;
  if (index == kLogPixelsY) return unitsY_;
  if (index == kHorzRes) return page_.cx;
  if (index == kVertRes) return page_.cy;
  return 0;
}

void RecordingSurface::SetMapMode(int) {}

SurfaceObject RecordingSurface::Add(Object object) {
  objects_.push_back(std::move(object));
  return static_cast<SurfaceObject>(objects_.size());
}

RecordingSurface::Object* RecordingSurface::Find(SurfaceObject object) {
  if (object == 0 || (object & kStockBit) || object > objects_.size()) return nullptr;
  return &objects_[object - 1];
}

const RecordingSurface::Object* RecordingSurface::Find(SurfaceObject object) const {
  if (object == 0 || (object & kStockBit) || object > objects_.size()) return nullptr;
  return &objects_[object - 1];
}

SurfaceObject RecordingSurface::CreateFont(const FontRecord& font) {
  Object object;
  object.isFont = true;
  object.font = font;
  SurfaceObject handle = Add(object);
  RecordedOp op;
  op.kind = RecordedOp::Kind::kCreateFont;
  op.font = font;
  op.object = handle;
  ops_.push_back(op);
  return handle;
}

SurfaceObject RecordingSurface::CreatePen(int style, int width) {
  Object object;
  object.isPen = true;
  object.penWidth = width;
  object.penStyle = style;
  SurfaceObject handle = Add(object);
  RecordedOp op;
  op.kind = RecordedOp::Kind::kCreatePen;
  op.penWidth = width;
  op.penStyle = style;
  op.object = handle;
  ops_.push_back(op);
  return handle;
}

SurfaceObject RecordingSurface::SelectObject(SurfaceObject object) {
  SurfaceObject previous = 0;
  bool font = false, pen = false;
  if (object & kStockBit) {
    int stock = static_cast<int>(object & ~kStockBit);
    font = stock == kVariablePitchSystemFont;
    pen = stock == kBlackPen || stock == kNullPen;
  } else if (const Object* found = Find(object)) {
    font = found->isFont;
    pen = found->isPen;
  }
  if (font) {
    previous = currentFont_;
    currentFont_ = object;
  } else if (pen) {
    previous = currentPen_;
    currentPen_ = object;
  } else if (object & kStockBit) {
    previous = currentBrush_;
    currentBrush_ = object;
  }
  RecordedOp op;
  op.kind = RecordedOp::Kind::kSelect;
  op.object = object;
  op.previous = previous;
  ops_.push_back(op);
  return previous;
}

SurfaceObject RecordingSurface::SelectStockObject(int stockObject) {
  return SelectObject(StockObjectHandle(stockObject));
}

void RecordingSurface::DeleteObject(SurfaceObject object) {
  if (Object* found = Find(object)) {
    if (object == currentFont_ || object == currentPen_) deletedWhileSelected_ = true;
    found->deleted = true;
  }
  RecordedOp op;
  op.kind = RecordedOp::Kind::kDelete;
  op.object = object;
  ops_.push_back(op);
}

int RecordingSurface::SetTextAlign(int align) {
  int previous = align_;
  align_ = align;
  return previous;
}

void RecordingSurface::SetBkMode(int) {}

Colour RecordingSurface::SetTextColor(Colour colour) {
  Colour previous = colour_;
  colour_ = colour;
  return previous;
}

Colour RecordingSurface::SetPenColor(Colour colour) {
  Colour previous = penColour_;
  penColour_ = colour;
  return previous;
}

void RecordingSurface::RecordText(int x, int y, std::string_view text, bool clipped,
                                  const SurfaceRect& clip) {
  const FontRecord* font = FontOf(currentFont_);
  RecordedOp op;
  op.kind = RecordedOp::Kind::kText;
  op.align = align_;
  op.text = std::string(text);
  op.font = font ? *font : FontRecord{};
  op.colour = colour_;
  op.clipped = clipped;
  op.clip = clip;
  bool updatesPosition = (align_ & kAlignUpdateCp) != 0;
  if (updatesPosition) {
    op.x = position_.x;
    op.y = position_.y;
    int width = Measure(text, op.font).cx;
    // Alignment 1 moves to the right end, 3 (right + update) to the left end.
    position_.x += (align_ & kAlignRight) ? -width : width;
  } else {
    op.x = x;
    op.y = y;
  }
  ops_.push_back(op);
}

void RecordingSurface::TextOut(int x, int y, std::string_view text) {
  RecordText(x, y, text, false, SurfaceRect{});
}

void RecordingSurface::ExtTextOut(int x, int y, int options, const SurfaceRect& clip,
                                  std::string_view text) {
  RecordText(x, y, text, (options & kExtTextClipped) != 0, clip);
}

int RecordingSurface::TextWidth(std::string_view text, int fontHeight) {
  int height = fontHeight < 0 ? -fontHeight : fontHeight;
  // Each character is rounded on its own, so a text is as wide as the sum
  // of its characters.
  return CodePointCount(text) * (height / 2);
}

SurfaceSize RecordingSurface::Measure(std::string_view text, const FontRecord& font) const {
  if (measure_) return measure_(text, font);
  int height = font.height < 0 ? -font.height : font.height;
  return SurfaceSize{TextWidth(text, font.height), height};
}

SurfaceSize RecordingSurface::GetTextExtentPoint32(std::string_view text) {
  const FontRecord* font = FontOf(currentFont_);
  return Measure(text, font ? *font : FontRecord{});
}

void RecordingSurface::MoveTo(int x, int y) {
  position_ = SurfacePoint{x, y};
}

void RecordingSurface::LineTo(int x, int y) {
  RecordedOp op;
  op.kind = RecordedOp::Kind::kLine;
  op.x = position_.x;
  op.y = position_.y;
  op.x2 = x;
  op.y2 = y;
  op.colour = penColour_;
  if (const Object* pen = Find(currentPen_)) {
    op.penWidth = pen->penWidth;
    op.penStyle = pen->penStyle;
  } else {
    op.penWidth = currentPen_ == StockObjectHandle(kNullPen) ? 0 : 1;
  }
  ops_.push_back(op);
  position_ = SurfacePoint{x, y};
}

SurfacePoint RecordingSurface::GetCurrentPositionEx() {
  return position_;
}

void RecordingSurface::Rectangle(int left, int top, int right, int bottom) {
  RecordedOp op;
  op.kind = RecordedOp::Kind::kRectangle;
  op.x = left;
  op.y = top;
  op.x2 = right;
  op.y2 = bottom;
  op.object = currentBrush_;
  op.previous = currentPen_;
  ops_.push_back(op);
}

void RecordingSurface::StartDoc(std::string_view name) {
  RecordedOp op;
  op.kind = RecordedOp::Kind::kStartDoc;
  op.text = std::string(name);
  ops_.push_back(op);
}

void RecordingSurface::StartPage() {
  RecordedOp op;
  op.kind = RecordedOp::Kind::kStartPage;
  ops_.push_back(op);
}

void RecordingSurface::EndPage() {
  RecordedOp op;
  op.kind = RecordedOp::Kind::kEndPage;
  ops_.push_back(op);
}

void RecordingSurface::EndDoc() {
  RecordedOp op;
  op.kind = RecordedOp::Kind::kEndDoc;
  ops_.push_back(op);
}

std::vector<RecordedOp> RecordingSurface::Texts() const {
  std::vector<RecordedOp> texts;
  for (const RecordedOp& op : ops_)
    if (op.kind == RecordedOp::Kind::kText) texts.push_back(op);
  return texts;
}

std::vector<RecordedOp> RecordingSurface::Lines() const {
  std::vector<RecordedOp> lines;
  for (const RecordedOp& op : ops_)
    if (op.kind == RecordedOp::Kind::kLine) lines.push_back(op);
  return lines;
}

const RecordedOp* RecordingSurface::FindText(std::string_view text) const {
  for (const RecordedOp& op : ops_)
    if (op.kind == RecordedOp::Kind::kText && op.text == text) return &op;
  return nullptr;
}

std::vector<std::string> RecordingSurface::TextStrings() const {
  std::vector<std::string> texts;
  for (const RecordedOp& op : ops_)
    if (op.kind == RecordedOp::Kind::kText) texts.push_back(op.text);
  return texts;
}

int RecordingSurface::LiveObjectCount() const {
  int live = 0;
  for (const Object& object : objects_)
    if (!object.deleted) ++live;
  return live;
}

bool RecordingSurface::StartingObjectsSelected() const {
  return currentFont_ == startFont_ && currentPen_ == startPen_;
}

const FontRecord* RecordingSurface::FontOf(SurfaceObject object) const {
  if (object == StockObjectHandle(kVariablePitchSystemFont)) {
    static const FontRecord system = SystemFontRecord();
    return &system;
  }
  const Object* found = Find(object);
  return found && found->isFont ? &found->font : nullptr;
}

std::string RecordingSurface::ToJsonLines() const {
  std::string out;
  char buffer[160];
  for (const RecordedOp& op : ops_) {
    switch (op.kind) {
      case RecordedOp::Kind::kText:
        std::snprintf(buffer, sizeof buffer,
                      "{\"op\":\"text\",\"x\":%d,\"y\":%d,\"align\":%d,\"text\":", op.x, op.y,
                      op.align);
        out += buffer;
        AppendJsonString(out, op.text);
        out += ",\"font\":{\"face\":";
        AppendJsonString(out, op.font.face);
        std::snprintf(buffer, sizeof buffer, ",\"height\":%d,\"weight\":%d}", op.font.height,
                      op.font.weight);
        out += buffer;
        AppendColour(out, op.colour);
        if (op.clipped) {
          std::snprintf(buffer, sizeof buffer, ",\"clip\":[%d,%d,%d,%d]", op.clip.left, op.clip.top,
                        op.clip.right, op.clip.bottom);
          out += buffer;
        }
        out += "}\n";
        break;
      case RecordedOp::Kind::kLine:
        std::snprintf(buffer, sizeof buffer,
                      "{\"op\":\"line\",\"from\":[%d,%d],\"to\":[%d,%d],\"pen\":%d", op.x, op.y,
                      op.x2, op.y2, op.penWidth);
        out += buffer;
        AppendColour(out, op.colour);
        out += "}\n";
        break;
      case RecordedOp::Kind::kRectangle:
        std::snprintf(buffer, sizeof buffer, "{\"op\":\"rect\",\"from\":[%d,%d],\"to\":[%d,%d]}\n",
                      op.x, op.y, op.x2, op.y2);
        out += buffer;
        break;
      case RecordedOp::Kind::kStartPage:
        out += "{\"op\":\"page\"}\n";
        break;
      default:
        break;
    }
  }
  return out;
}

}  // namespace morvind
