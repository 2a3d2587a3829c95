#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace morvind {

// Handle of a font or pen created on a surface, or of a stock object. 0 is
// "no object".
using SurfaceObject = std::uint32_t;

inline constexpr int kLogPixelsX = 88;
inline constexpr int kLogPixelsY = 90;
// HORZRES (8) and VERTRES (10): the width and height of the page in device
// units (0 where the surface has no page).
inline constexpr int kHorzRes = 8;
inline constexpr int kVertRes = 10;

// Text alignment flags of SetTextAlign.
inline constexpr int kAlignLeft = 0;      // x is the left end, y the top
inline constexpr int kAlignUpdateCp = 1;  // draw at and advance the current position
inline constexpr int kAlignRight = 2;     // x is the right end
inline constexpr int kAlignCenter = 6;    // x is the centre
inline constexpr int kAlignBottom = 8;    // y is the bottom of the text
// Combinations used: 3 (right end at the current position, which moves to
// the left end), 9 (bottom, at the current position).

// Stock objects of SelectStockObject.
inline constexpr int kWhiteBrush = 0;
inline constexpr int kBlackPen = 7;
inline constexpr int kNullPen = 8;
inline constexpr int kVariablePitchSystemFont = 12;

inline constexpr int kTransparent = 1;  // SetBkMode
inline constexpr int kMapModeText = 1;  // SetMapMode MM_TEXT

inline constexpr int kPenSolid = 0;
inline constexpr int kPenGeometric = 0x10000;

inline constexpr int kPitchVariableRoman = 0x12;
inline constexpr int kPitchVariableSwiss = 0x22;
inline constexpr int kPitchSwiss = 0x20;

inline constexpr int kExtTextClipped = 4;  // ExtTextOut option: clip to the rectangle

// Colours as 0x00BBGGRR.
using Colour = std::uint32_t;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kGrey = 0x808080;  // red, green and blue 128 each

// A font as the card and the preview ask for it.
struct FontRecord {
  int height = 0;    // device units; negative: character height
  int weight = 400;  // 400 normal, 700 bold, 0 default
  int charset = 0;   // the language's font character set (0 default)
  int pitchAndFamily = 0;
  std::string face;  // "Arial", "Times New Roman"
  bool operator==(const FontRecord&) const = default;
};

// A font given in tenths of a point, for CreatePointFontIndirect.
struct PointFontRecord {
  int tenthsOfPoint = 100;
  int weight = 400;
  int charset = 0;
  int pitchAndFamily = 0;
  std::string face;
};

struct SurfacePoint {
  int x = 0;
  int y = 0;
  bool operator==(const SurfacePoint&) const = default;
};
struct SurfaceSize {
  int cx = 0;
  int cy = 0;
};
struct SurfaceRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const SurfaceRect&) const = default;
};

// The drawing surface printing and the preview draw through: a printer
// page, a preview pane, or a recording for tests. Coordinates are device
// units, origin at the top left, y downwards. A text drawn at y has the top
// of its character cell at y (unless aligned to its bottom). Texts are UTF-8.
class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;

  // LOGPIXELSX (88) or LOGPIXELSY (90): device units per inch; HORZRES (8)
  // or VERTRES (10): the page's size.
  virtual int GetDeviceCaps(int index) = 0;
  virtual void SetMapMode(int mode) = 0;

  // Font height in units = -(tenths × LOGPIXELSY / 720), integer division.
  SurfaceObject CreatePointFontIndirect(const PointFontRecord& font);
  // The same with only the size and the face: normal weight, default
  // character set.
  SurfaceObject CreatePointFont(int tenthsOfPoint, std::string_view face);
  virtual SurfaceObject CreateFont(const FontRecord& font) = 0;
  // A black pen of `width` units; `style` may carry kPenGeometric.
  virtual SurfaceObject CreatePen(int style, int width) = 0;
  // Selects a font, pen or brush and returns the object it replaces.
  virtual SurfaceObject SelectObject(SurfaceObject object) = 0;
  virtual SurfaceObject SelectStockObject(int stockObject) = 0;
  virtual void DeleteObject(SurfaceObject object) = 0;

  // Returns the previous alignment.
  virtual int SetTextAlign(int align) = 0;
  virtual void SetBkMode(int mode) = 0;
  // Returns the previous colour.
  virtual Colour SetTextColor(Colour colour) = 0;
  // The colour every line is drawn in from now on, whichever pen draws it
  // (black at the start); returns the previous colour.
  virtual Colour SetPenColor(Colour colour) = 0;

  virtual void TextOut(int x, int y, std::string_view text) = 0;
  virtual void ExtTextOut(int x, int y, int options, const SurfaceRect& clip,
                          std::string_view text) = 0;
  virtual SurfaceSize GetTextExtentPoint32(std::string_view text) = 0;

  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual SurfacePoint GetCurrentPositionEx() = 0;
  // Fills with the selected brush and frames with the selected pen (a null
  // pen frames nothing and fills one unit less on the right and bottom).
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;

  // Document calls of a printer surface; screens and recordings note them.
  virtual void StartDoc(std::string_view name) = 0;
  virtual void StartPage() = 0;
  virtual void EndPage() = 0;
  virtual void EndDoc() = 0;
};

// a × b / c rounded to the nearest integer (halves away from zero), -1 when c is 0.
int MulDiv(int a, int b, int c);

// The height in units of a font of `tenths` of a point on a surface with
// `unitsPerInchY`: -(tenths × units / 720), integer division.
int PointFontHeight(int tenths, int unitsPerInchY);

}  // namespace morvind
