#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "printing/DrawingSurface.h"

namespace morvind {

// One operation a RecordingSurface saw.
struct RecordedOp {
  enum class Kind {
    kText,       // TextOut and ExtTextOut
    kLine,       // LineTo: from the current position to (x2, y2)
    kRectangle,  // (x, y) - (x2, y2)
    kCreateFont,
    kCreatePen,
    kSelect,  // object: what was selected; previous: what it replaced
    kDelete,
    kStartDoc,
    kStartPage,
    kEndPage,
    kEndDoc,
  };
  Kind kind = Kind::kText;
  int x = 0, y = 0;    // text: the reference point (the current position for
                       // alignments 1 and 3); line: from; rectangle: left, top
  int x2 = 0, y2 = 0;  // line: to; rectangle: right, bottom
  int align = 0;       // text alignment in force
  std::string text;    // text, or the name of the print job
  FontRecord font;     // text: the selected font; kCreateFont: the new font
  int penWidth = 0;    // line: width of the selected pen; kCreatePen: its width
  int penStyle = 0;
  Colour colour = kBlack;  // text: the text colour in force; line: the pen colour
  bool clipped = false;    // ExtTextOut with a clip rectangle
  SurfaceRect clip;
  SurfaceObject object = 0;
  SurfaceObject previous = 0;
};

// A DrawingSurface that records every operation in device units, for tests
// and for the drawing listing of the command-line printer. Its text width
// rule is deterministic: every character (UTF-8 code point) is half the
// font's height wide, rounded down. A listing that must agree with a print
// measures texts with the print's fonts instead (SetTextMeasure).
class RecordingSurface : public DrawingSurface {
 public:
  // The width and height of a text in a font, in this surface's units.
  using TextMeasure = std::function<SurfaceSize(std::string_view text, const FontRecord& font)>;

  // The page (kHorzRes, kVertRes) is an A4 sheet at these units until
  // SetPageSize gives another.
  explicit RecordingSurface(int unitsPerInchX = 600, int unitsPerInchY = 600);

  void SetPageSize(SurfaceSize page) { page_ = page; }

  // Measures texts (GetTextExtentPoint32, and the move of the current
  // position under alignments 1 and 3) with `measure`; null restores the
  // width rule above.
  void SetTextMeasure(TextMeasure measure) { measure_ = std::move(measure); }

  int GetDeviceCaps(int index) override;
  void SetMapMode(int mode) override;
  SurfaceObject CreateFont(const FontRecord& font) override;
  SurfaceObject CreatePen(int style, int width) override;
  SurfaceObject SelectObject(SurfaceObject object) override;
  SurfaceObject SelectStockObject(int stockObject) override;
  void DeleteObject(SurfaceObject object) override;
  int SetTextAlign(int align) override;
  void SetBkMode(int mode) override;
  Colour SetTextColor(Colour colour) override;
  Colour SetPenColor(Colour colour) override;
  void TextOut(int x, int y, std::string_view text) override;
  void ExtTextOut(int x, int y, int options, const SurfaceRect& clip,
                  std::string_view text) override;
  SurfaceSize GetTextExtentPoint32(std::string_view text) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  SurfacePoint GetCurrentPositionEx() override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void StartDoc(std::string_view name) override;
  void StartPage() override;
  void EndPage() override;
  void EndDoc() override;

  const std::vector<RecordedOp>& Ops() const { return ops_; }
  std::vector<RecordedOp> Texts() const;
  std::vector<RecordedOp> Lines() const;
  // The first text op with exactly this text, or null.
  const RecordedOp* FindText(std::string_view text) const;
  std::vector<std::string> TextStrings() const;

  // Fonts and pens created and not yet deleted.
  int LiveObjectCount() const;
  // True when the selected font and pen are the ones the surface started with.
  bool StartingObjectsSelected() const;
  // True when no object was deleted while it was still selected.
  bool NoSelectedObjectDeleted() const { return !deletedWhileSelected_; }
  SurfaceObject CurrentFont() const { return currentFont_; }
  SurfaceObject CurrentPen() const { return currentPen_; }
  int CurrentAlign() const { return align_; }
  Colour CurrentColour() const { return colour_; }
  Colour CurrentPenColour() const { return penColour_; }

  // The font record of a live or deleted font object.
  const FontRecord* FontOf(SurfaceObject object) const;

  // The drawing listing: one JSON object a line for every text, line,
  // rectangle and page start, in drawing order.
  std::string ToJsonLines() const;
  void Clear() { ops_.clear(); }

  // Text width of the rule above for a font height.
  static int TextWidth(std::string_view text, int fontHeight);

 private:
  struct Object {
    bool isFont = false;
    bool isPen = false;
    bool isBrush = false;
    bool deleted = false;
    FontRecord font;
    int penWidth = 0;
    int penStyle = 0;
  };
  Object* Find(SurfaceObject object);
  const Object* Find(SurfaceObject object) const;
  SurfaceObject Add(Object object);
  void RecordText(int x, int y, std::string_view text, bool clipped, const SurfaceRect& clip);
  SurfaceSize Measure(std::string_view text, const FontRecord& font) const;

  int unitsX_, unitsY_;
  SurfaceSize page_;
  std::vector<RecordedOp> ops_;
  std::vector<Object> objects_;  // handle = index + 1; stock objects have their own handles
  SurfaceObject startFont_, startPen_, startBrush_;
  SurfaceObject currentFont_, currentPen_, currentBrush_;
  int align_ = 0;
  Colour colour_ = kBlack;
  Colour penColour_ = kBlack;
  SurfacePoint position_;
  bool deletedWhileSelected_ = false;
  TextMeasure measure_;
};

// Handle of a stock object on every surface.
constexpr SurfaceObject StockObjectHandle(int stockObject) {
  return 0x80000000u | static_cast<SurfaceObject>(stockObject);
}

// The font the stock variable-pitch system font stands for on every surface.
FontRecord SystemFontRecord();

}  // namespace morvind
