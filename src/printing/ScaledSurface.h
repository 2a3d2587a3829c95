#pragma once

#include "printing/DrawingSurface.h"

namespace morvind {

// A surface that passes every operation on to `target` but reports other
// units per inch. Drawing code that measures in inches then draws at
// another scale on the same device: a page in miniature in a preview pane.
class ScaledSurface : public DrawingSurface {
 public:
  ScaledSurface(DrawingSurface& target, int unitsPerInchX, int unitsPerInchY)
      : target_(target), unitsX_(unitsPerInchX), unitsY_(unitsPerInchY) {}

  int GetDeviceCaps(int index) override;
  void SetMapMode(int mode) override { target_.SetMapMode(mode); }
  SurfaceObject CreateFont(const FontRecord& font) override { return target_.CreateFont(font); }
  SurfaceObject CreatePen(int style, int width) override { return target_.CreatePen(style, width); }
  SurfaceObject SelectObject(SurfaceObject object) override { return target_.SelectObject(object); }
  SurfaceObject SelectStockObject(int stockObject) override {
    return target_.SelectStockObject(stockObject);
  }
  void DeleteObject(SurfaceObject object) override { target_.DeleteObject(object); }
  int SetTextAlign(int align) override { return target_.SetTextAlign(align); }
  void SetBkMode(int mode) override { target_.SetBkMode(mode); }
  Colour SetTextColor(Colour colour) override { return target_.SetTextColor(colour); }
  Colour SetPenColor(Colour colour) override { return target_.SetPenColor(colour); }
  void TextOut(int x, int y, std::string_view text) override { target_.TextOut(x, y, text); }
  void ExtTextOut(int x, int y, int options, const SurfaceRect& clip,
                  std::string_view text) override {
    target_.ExtTextOut(x, y, options, clip, text);
  }
  SurfaceSize GetTextExtentPoint32(std::string_view text) override {
    return target_.GetTextExtentPoint32(text);
  }
  void MoveTo(int x, int y) override { target_.MoveTo(x, y); }
  void LineTo(int x, int y) override { target_.LineTo(x, y); }
  SurfacePoint GetCurrentPositionEx() override { return target_.GetCurrentPositionEx(); }
  void Rectangle(int left, int top, int right, int bottom) override {
    target_.Rectangle(left, top, right, bottom);
  }
  void StartDoc(std::string_view name) override { target_.StartDoc(name); }
  void StartPage() override { target_.StartPage(); }
  void EndPage() override { target_.EndPage(); }
  void EndDoc() override { target_.EndDoc(); }

 private:
  DrawingSurface& target_;
  int unitsX_, unitsY_;
};

}  // namespace morvind
