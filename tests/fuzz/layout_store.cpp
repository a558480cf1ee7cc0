// The layout store's loaders on any file: a dock panel of the form and a
// toolbar on it load their layout from the bytes as an INI file (section
// "Dock" for the panel, "Bars" for the toolbar). Whatever the file holds,
// loading returns, every toolbar sits in at most one row, no row is left
// empty, and every toolbar keeps bounds a window can have.
#include "base/Forms.h"
#include "base/MemIniFile.h"
#include "tests/fuzz/Fuzz.h"
#include "ui/toolbar/bars/AdvDockPanel.h"
#include "ui/toolbar/bars/AdvToolBarButton.h"
#include "ui/toolbar/bars/LayoutStore.h"

namespace {

struct TRig {
  TForm* Form = nullptr;
  TAdvDockPanel* Panel = nullptr;
  TAdvDockPanel* Other = nullptr;
  std::vector<TAdvToolBar*> Bars;
};
TRig* gRig = nullptr;

TAdvToolBar* NewBar(TAdvDockPanel* Panel, const wchar_t* Name) {
  auto* t = new TAdvToolBar(gRig->Form);
  t->SetName(Name);
  for (int i = 0; i < 2; ++i) {
    auto* b = new TAdvToolBarButton(gRig->Form);
    b->SetName(String(Name) + L"B" + std::to_wstring(i));
    t->AddToolBarControl(b);
  }
  t->SetParent(Panel);
  gRig->Bars.push_back(t);
  return t;
}

TRig* Rig() {
  if (gRig) return gRig;
  gRig = new TRig;
  gRig->Form = new TForm(nullptr);
  gRig->Form->SetBounds(30, 30, 500, 300);
  gRig->Panel = new TAdvDockPanel(gRig->Form);
  gRig->Panel->SetName(L"Dock");
  gRig->Panel->SetParent(gRig->Form);
  gRig->Other = new TAdvDockPanel(gRig->Form);
  gRig->Other->SetName(L"Left");
  gRig->Other->SetAlign(TDockAlign::daLeft);
  gRig->Other->SetParent(gRig->Form);
  for (const wchar_t* name : {L"A", L"B", L"C"}) NewBar(gRig->Panel, name);
  NewBar(gRig->Other, L"D");
  gRig->Form->Show();
  FuzzAtEnd([] {
    gRig->Form->Free();
    delete gRig;
  });
  return gRig;
}

bool SoundBounds(TControl* C) {
  return C->Width() >= 0 && C->Height() >= 0 && C->Width() <= 32767 && C->Height() <= 32767 &&
         C->Left() >= -32767 && C->Left() <= 32767 && C->Top() >= -32767 && C->Top() <= 32767;
}

}  // namespace

void FuzzOne(const uint8_t* Data, size_t Size) {
  TRig* rig = Rig();
  TMemIniFile ini;
  ini.SetText(AnsiToWide(std::string(reinterpret_cast<const char*>(Data), Size)));
  rig->Bars[0]->LoadPosition(*MemLayoutStore(&ini, L"Bars"));
  for (TAdvDockPanel* p : {rig->Panel, rig->Other}) p->LoadToolBarsPosition(*MemLayoutStore(&ini, L"Dock"));
  for (TAdvDockPanel* p : {rig->Panel, rig->Other}) {
    TRowCollection* rows = p->Rows();
    for (int r = 0; r < rows->Count(); ++r)
      FuzzCheck(rows->Items(r)->ToolBarCount() > 0, "a row was left empty");
    for (TAdvToolBar* t : rig->Bars) {
      int in = 0;
      for (int r = 0; r < rows->Count(); ++r) in += rows->Items(r)->IndexOf(t) >= 0 ? 1 : 0;
      FuzzCheck(in <= 1, "a toolbar sits in two rows");
    }
  }
  for (TAdvToolBar* t : rig->Bars) FuzzCheck(SoundBounds(t), "a toolbar took bounds no window has");
}
