#pragma once

#include <QColor>
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <map>
#include <utility>
#include <vector>

#include "printing/DrawingSurface.h"

namespace morvind {

// The drawing surface over a QPainter: a preview pane on the screen, or a
// printer (a CUPS printer or a PDF file). Device units are the painter's
// device pixels; "Arial" and "Times New Roman" are drawn with their metric
// twins Liberation Sans and Liberation Serif.
class QtSurface : public DrawingSurface {
 public:
  // `pages` is the printer when printing (StartPage starts a new sheet after
  // the first), null on the screen.
  QtSurface(QPainter& painter, int unitsPerInchX, int unitsPerInchY,
            QPagedPaintDevice* pages = nullptr);

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

  // The Qt font a font record stands for on this surface.
  static QFont ToQtFont(const FontRecord& font);
  // The width and height of `text` in `font` on `device` (null: the font's
  // own metrics), rounded to whole units as every measurement here is.
  static SurfaceSize MeasureText(const QFont& font, const QPaintDevice* device,
                                 const QString& text);

 private:
  struct Object {
    enum class Kind { kFont, kPen, kBrush } kind = Kind::kFont;
    QFont font;
    QPen pen;
    QBrush brush;
  };
  const Object* Find(SurfaceObject object) const;
  void DrawText(int x, int y, const QString& text, const QRect* clip);

  QPainter& painter_;
  int unitsX_, unitsY_;
  QPagedPaintDevice* pages_;
  int pagesStarted_ = 0;
  std::map<SurfaceObject, Object> objects_;
  SurfaceObject nextHandle_ = 1;
  SurfaceObject font_, pen_, brush_;
  int align_ = 0;
  Colour textColour_ = kBlack;
  Colour penColour_ = kBlack;
  QPoint position_;
  // Every font made on this surface, by what was asked for.
  std::vector<std::pair<FontRecord, QFont>> fontCache_;
  // The font the painter holds now (0: none of ours yet).
  SurfaceObject paintedFont_ = 0;
  QFont defaultFont_;
};

}  // namespace morvind
