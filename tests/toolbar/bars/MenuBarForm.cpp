#include "tests/toolbar/bars/MenuBarForm.h"

#include "base/StdCtrls.h"

namespace {

TMenuItem* AddItem(TMenuItem* Parent, TComponent* Owner, const wchar_t* Caption) {
  auto* m = new TMenuItem(Owner);
  m->SetCaption(Caption);
  Parent->Add(m);
  return m;
}

String Plain(String S) {
  S.erase(std::remove(S.begin(), S.end(), L'&'), S.end());
  return S;
}

TMenuItem* FindPlain(TMenuItem* Root, const String& Caption) {
  for (int i = 0; i < Root->Count(); ++i) {
    TMenuItem* m = Root->Items(i);
    if (Plain(m->Caption()) == Caption) return m;
    if (TMenuItem* f = FindPlain(m, Caption)) return f;
  }
  return nullptr;
}

}  // namespace

TMenuItem* TMenuBarForm::Item(const String& Caption) const {
  for (TMenuItem* top : {File, Edit, View}) {
    if (Plain(top->Caption()) == Caption) return top;
    if (TMenuItem* f = FindPlain(top, Caption)) return f;
  }
  // Sub-items lent to an open popup are found there.
  if (TAdvPopupMenu* m = Bar->ActiveMenu()) return FindPlain(m->Items(), Caption);
  return nullptr;
}

TAdvCustomToolBarButton* TMenuBarForm::ButtonOf(TMenuItem* TopItem) const {
  for (int i = 0; i < Bar->ToolBarControlCount(); ++i)
    if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(Bar->ToolBarControls(i)); b && b->MenuItem() == TopItem)
      return b;
  return nullptr;
}

TMenuBarForm MakeMenuBarForm(int Left, int Top, int Width, int Height) {
  TMenuBarForm f;
  f.Form = new TForm(nullptr);
  f.Form->SetBorderStyle(TFormBorderStyle::bsSingle);
  f.Form->SetCaption(L"Menu bar");
  f.Form->SetBounds(Left, Top, Width, Height);
  f.Form->SetColor(clWhite);
  f.Menu = new TMainMenu(f.Form);
  f.File = AddItem(f.Menu->Items(), f.Form, L"&File");
  AddItem(f.File, f.Form, L"&New");
  AddItem(f.File, f.Form, L"&Open");
  AddItem(f.File, f.Form, L"E&xit");
  f.Edit = AddItem(f.Menu->Items(), f.Form, L"&Edit");
  AddItem(f.Edit, f.Form, L"&Undo");
  AddItem(f.Edit, f.Form, L"Cu&t");
  f.View = AddItem(f.Menu->Items(), f.Form, L"&View");
  AddItem(f.View, f.Form, L"&Zoom");
  f.Top = new TAdvDockPanel(f.Form);
  f.Top->SetParent(f.Form);
  f.Top->SetAlign(TDockAlign::daTop);
  f.Bar = new TAdvToolBar(f.Form);
  f.Bar->SetName(L"MenuBar");
  f.Bar->SetParent(f.Top);
  f.Bar->SetMenu(f.Menu);
  f.Tools = new TAdvToolBar(f.Form);
  f.Tools->SetName(L"Tools");
  for (const wchar_t* n : {L"Cut", L"Copy", L"Paste"}) {
    auto* b = new TAdvToolBarButton(f.Form);
    b->SetCaption(n);
    b->SetShowCaption(true);
    b->SetAdvToolBar(f.Tools);
  }
  f.Tools->SetParent(f.Top);
  auto* edit = new TEdit(f.Form);
  edit->SetName(L"Text");
  edit->SetParent(f.Form);
  edit->SetBounds(20, 120, 200, 24);
  f.Form->Show();
  return f;
}
