// A picture of a form with toolbars docked on its four sides, as the screen
// shows it, saved to <build>/screens/toolbars.png for a person to look at;
// the dock panels' and toolbars' own colours are checked where the layout
// puts them.
#include "tests/support/Screens.h"
#include "tests/toolbar/bars/BarsTestSupport.h"
#include "ui/toolbar/stylers/ToolBarOfficeStyler.h"

namespace {

// A 16 x 16 glyph: a coloured shape on a magenta key colour.
TBitmap* Glyph(TComponent*, TColor Color, int Shape) {
  auto* g = new TBitmap(16, 16);
  TCanvas* c = g->Canvas();
  c->Brush()->SetColor(static_cast<TColor>(0xFF00FF));
  c->FillRect(TRect(0, 0, 16, 16));
  c->Brush()->SetColor(Color);
  c->Pen()->SetColor(DarkenColor(Color, 40));
  if (Shape == 0) c->Ellipse(2, 2, 14, 14);
  if (Shape == 1) c->Rectangle(2, 3, 14, 13);
  if (Shape == 2) c->RoundRect(1, 4, 15, 12, 4, 4);
  return g;
}

using ToolBarScreens = DockFixture;

TEST_F(ToolBarScreens, AFormWithToolBarsDockedOnItsFourSides) {
  Form->SetBorderStyle(TFormBorderStyle::bsSingle);
  Form->SetCaption(L"Toolbars");
  Form->SetBounds(30, 30, 560, 380);
  Form->SetColor(clWhite);
  auto* styler = new TAdvToolBarOfficeStyler(Form);
  styler->SetName(L"Styler");
  styler->SetStyle(TToolBarStyle::bsOffice2007Luna);
  TAdvDockPanel* panels[4];
  TDockAlign sides[4] = {TDockAlign::daTop, TDockAlign::daBottom, TDockAlign::daLeft, TDockAlign::daRight};
  for (int i = 0; i < 4; ++i) {
    panels[i] = NewPanel(sides[i]);
    panels[i]->SetName(String(L"Dock") + IntToStr(i));
    panels[i]->SetToolBarStyler(styler);
  }
  TColor colors[] = {clRed, clGreen, clBlue, static_cast<TColor>(0x0080FF), clPurple, clTeal};
  int glyphNo = 0;
  auto button = [&](TAdvCustomToolBar* T, const wchar_t* Name, const wchar_t* Caption) {
    auto* b = new TAdvToolBarButton(Form);
    b->SetName(Name);
    TOwned<TBitmap> g(Glyph(Form, colors[glyphNo % 6], glyphNo % 3));
    ++glyphNo;
    b->SetGlyph(g);
    if (Caption) {
      b->SetCaption(Caption);
      b->SetShowCaption(true);
    }
    b->SetAdvToolBar(T);
    return b;
  };
  auto toolbar = [&](const wchar_t* Name, TAdvDockPanel* P) {
    auto* t = new TAdvToolBar(Form);
    t->SetName(Name);
    t->SetParent(P);
    return t;
  };
  TAdvToolBar* file = toolbar(L"File", panels[0]);
  button(file, L"New", L"New");
  button(file, L"Open", L"Open");
  AddSeparator(file, L"FileSep");
  button(file, L"Save", L"Save");
  TAdvToolBar* edit = toolbar(L"Edit", panels[0]);
  TAdvToolBarButton* bold = button(edit, L"Bold", nullptr);
  TAdvToolBarButton* italic = button(edit, L"Italic", nullptr);
  bold->SetGroupIndex(1);
  italic->SetGroupIndex(1);
  bold->SetDown(true);
  button(edit, L"Under", nullptr);
  TAdvToolBar* view = toolbar(L"View", panels[0]);
  button(view, L"Zoom", L"Zoom");
  panels[0]->Rows()->MoveToolBarToRow(edit, 0);
  TAdvToolBar* status = toolbar(L"Status", panels[1]);
  button(status, L"Prev", L"Back");
  button(status, L"Next", L"Forward");
  status->SetFullSize(true);
  TAdvToolBar* tools = toolbar(L"Tools", panels[2]);
  for (const wchar_t* n : {L"Pen", L"Brush", L"Fill"}) button(tools, n, nullptr);
  TAdvToolBar* layers = toolbar(L"Layers", panels[3]);
  for (const wchar_t* n : {L"Up", L"Down"}) button(layers, n, nullptr);

  auto bmp = CaptureWindow(Form);
  EXPECT_TRUE(SaveScreenshot(bmp.get(), L"toolbars.png"));

  // Rows: File and Edit share the first row, View has the second.
  EXPECT_EQ(file->Row(), 0);
  EXPECT_EQ(edit->Row(), 0);
  EXPECT_EQ(view->Row(), 1);
  EXPECT_EQ(panels[0]->Height(), 1 + file->Height() + 1 + view->Height() + 1);
  EXPECT_EQ(tools->Position(), TDockAlign::daLeft);
  EXPECT_EQ(tools->Width(), panels[2]->Width() - 3);
  // Each panel shows its dock colour where no toolbar lies.
  for (TAdvDockPanel* p : panels) {
    TRect last = p->Rows()->Items(p->RowCount() - 1)->RowRect();
    TPoint free = IsHorizontal(p->Align()) ? TPoint(p->Width() - 3, last.top + 4) : TPoint(last.left + 4, p->Height() - 3);
    TColor expect = styler->DockColor()->ColorTo() == clNone ? styler->DockColor()->Color() : clNone;
    TColor seen = PixelAt(bmp.get(), InPicture(Form, p, free.x, free.y).x, InPicture(Form, p, free.x, free.y).y);
    if (expect != clNone) EXPECT_EQ(seen, ColorToRGB(expect)) << p->Name();
    EXPECT_NE(seen, clWhite) << p->Name();
  }
  // The button that is down shows the checked colours (a gradient that
  // starts from ColorChecked at its top).
  TPoint down = InPicture(Form, bold, bold->Width() / 2, 1);
  EXPECT_EQ(CountPixels(bmp.get(), Bounds(down.x, down.y, 1, 1), ColorToRGB(styler->ButtonAppearance()->ColorChecked()),
                        8),
            1);
}

}  // namespace
