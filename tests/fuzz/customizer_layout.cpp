// The toolbar customizer's loader on any file: the bytes, as an INI file,
// give the user's layout of a toolbar with buttons, a separator and a glow
// button. Whatever the file holds, loading returns, every item left on the
// toolbar is its child, and no two items share a name.
#include "base/Forms.h"
#include "base/MemIniFile.h"
#include "tests/fuzz/Fuzz.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/toolbar/bars/AdvToolBarCustomizer.h"

namespace {

struct TRig {
  TForm* Form = nullptr;
  TAdvToolBar* Bar = nullptr;
  TAdvToolBarCustomizer* Customizer = nullptr;
};
TRig* gRig = nullptr;

TRig* Rig() {
  if (gRig) return gRig;
  gRig = new TRig;
  gRig->Form = new TForm(nullptr);
  gRig->Form->SetBounds(30, 30, 500, 200);
  gRig->Bar = new TAdvToolBar(gRig->Form);
  gRig->Bar->SetName(L"Bar");
  gRig->Bar->SetParent(gRig->Form);
  for (const wchar_t* name : {L"OpenBtn", L"SaveBtn"}) {
    auto* b = new TAdvToolBarButton(gRig->Form);
    b->SetName(name);
    gRig->Bar->AddToolBarControl(b);
  }
  auto* sep = new TAdvToolBarSeparator(gRig->Form);
  sep->SetName(L"Sep1");
  gRig->Bar->AddToolBarControl(sep);
  auto* glow = new TAdvGlowButton(gRig->Form);
  glow->SetName(L"Glow1");
  gRig->Bar->AddToolBarControl(glow);
  gRig->Customizer = new TAdvToolBarCustomizer(gRig->Form);
  gRig->Customizer->SetName(L"Cust");
  gRig->Customizer->SetFileName(L"");
  gRig->Customizer->ButtonProperties()->SetVisible(true);
  for (const wchar_t* caption : {L"Print All", L"Save As..."}) gRig->Customizer->Commands()->Add()->SetCaption(caption);
  gRig->Customizer->SetAdvToolBar(gRig->Bar);
  gRig->Form->Show();
  FuzzAtEnd([] {
    gRig->Form->Free();
    delete gRig;
  });
  return gRig;
}

}  // namespace

void FuzzOne(const uint8_t* Data, size_t Size) {
  TRig* rig = Rig();
  TMemIniFile ini;
  ini.SetText(AnsiToWide(std::string(reinterpret_cast<const char*>(Data), Size)));
  rig->Customizer->LoadCustomizedLayout(ini);
  TAdvToolBar* t = rig->Bar;
  for (int i = 0; i < t->ToolBarControlCount(); ++i) {
    TControl* c = t->ToolBarControls(i);
    FuzzCheck(c->Parent() == t, "an item of the toolbar is not its child");
    for (int k = i + 1; k < t->ToolBarControlCount(); ++k)
      FuzzCheck(c->Name().empty() || !SameText(c->Name(), t->ToolBarControls(k)->Name()), "two items share a name");
  }
}
