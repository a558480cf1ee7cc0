#include "tests/controls/statusbar/StatusBarFixture.h"

#include "base/ImgList.h"

BarFixture::BarFixture() : Form(new TForm(nullptr)) {
  Form->SetBounds(60, 60, 500, 200);
  Form->SetClientWidth(400);
  Form->SetClientHeight(100);
  Bar = new TAdvOfficeStatusBar(Form);
  Bar->SetParent(Form);
  // Hidden windows keep no area to repaint: the form shows, unactivated.
  Form->ShowNoActivate();
  Bar->HandleNeeded();
  KillTimer(Bar->Handle(), Bar->TimerID());
}

BarFixture::~BarFixture() { Form->Free(); }

TAdvOfficeStatusPanel* BarFixture::AddPanel(int Width, PS Style, const String& Text) {
  TAdvOfficeStatusPanel* p = Bar->Panels()->Add();
  p->SetWidth(Width);
  p->SetStyle(Style);
  p->SetText(Text);
  return p;
}

bool BarFixture::Invalid(TRect* Area) {
  RECT r{};
  bool any = GetUpdateRect(Bar->Handle(), &r, FALSE) != 0;
  if (Area) *Area = TRect(r);
  return any;
}

TImageList* MakeImages(TComponent* Owner, std::initializer_list<TColor> Colors, int Size) {
  auto* il = new TImageList(Owner, Size, Size);
  for (TColor c : Colors) {
    TBitmap bmp(Size, Size, TPixelFormat::pf24bit);
    bmp.Canvas()->Brush()->SetColor(c);
    bmp.Canvas()->FillRect(TRect(0, 0, Size, Size));
    il->Add(&bmp, nullptr);
  }
  return il;
}
