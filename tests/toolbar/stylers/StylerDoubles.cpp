#include "tests/toolbar/stylers/StylerDoubles.h"

std::vector<std::string> StylerLog;

namespace {
void Log(TComponent* C, const std::string& What) { StylerLog.push_back(WideToAnsi(C->Name()) + ":" + What); }

void Retarget(TCustomControl* Self, TCustomAdvToolBarStyler*& Field, TCustomAdvToolBarStyler* Value) {
  if (Field) Field->RemoveControl(Self);
  Field = Value;
  if (Value) Value->AddControl(Self);
}
}  // namespace

void TFakeToolBar::ApplyStylerChange(int Kind) {
  Log(this, std::to_string(Kind));
  if (Throws) throw Exception(L"receiver failed");
}

void TFakeDockPanel::ApplyStylerChange(int Kind) { Log(this, std::to_string(Kind)); }
void TFakeDockPanel::SetToolBarStyler(TCustomAdvToolBarStyler* Value) { Retarget(this, FStyler, Value); }

void TFakePager::ApplyStylerChange(int Kind) { Log(this, std::to_string(Kind)); }
void TFakePager::SetToolBarStyler(TCustomAdvToolBarStyler* Value) { Retarget(this, FStyler, Value); }

void TFakePager::ApplyPagerGlass(const TPagerGlass& G) {
  ++GlassCalls;
  if (!G.SetFlags) return;
  Glass = G.Glass;
  Scenic = G.Win7ScenicRibbon;
}

void TFakePager::ClearOfficeTones() {
  ++ClearCalls;
  GroupStyle = TGroupStyle::gsClassic;
}

void TFakePager::SetOfficeTones(const TOfficeTones& T, TGroupStyle Style) {
  ++ToneCalls;
  Tones = T;
  GroupStyle = Style;
}

void TFakePager::UpdateQAT() { ++QATCalls; }
