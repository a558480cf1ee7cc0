// A printer device for the tests: each page is a bitmap of the given size
// (A4 at the screen's resolution by default), kept for probing.
#pragma once

#include <memory>
#include <vector>

#include "base/Printers.h"

class TPageRecorder : public TPrinterDevice {
 public:
  explicit TPageRecorder(int Width = 794, int Height = 1123) : FWidth(Width), FHeight(Height) {}
  HDC BeginDoc(const String& Title, TPrinterOrientation Orientation) override {
    Pages.clear();
    this->Title = Title;
    this->Orientation = Orientation;
    Ended = Aborted = false;
    return Add();
  }
  HDC NewPage() override { return Add(); }
  void EndDoc() override { Ended = true; }
  void Abort() override { Aborted = true; }

  std::vector<std::unique_ptr<TBitmap, void (*)(TBitmap*)>> Pages;
  String Title;
  TPrinterOrientation Orientation = TPrinterOrientation::poPortrait;
  bool Ended = false;
  bool Aborted = false;

 private:
  HDC Add() {
    auto* page = new TBitmap(FWidth, FHeight, TPixelFormat::pf32bit);
    page->Canvas()->Brush()->SetColor(clWhite);
    page->Canvas()->FillRect(TRect(0, 0, FWidth, FHeight));
    Pages.emplace_back(page, [](TBitmap* b) { b->Free(); });
    return page->Canvas()->Handle();
  }
  int FWidth, FHeight;
};
