#include "base/HintAction.h"

#include "base/Forms.h"

String GetLongHint(const String& Hint) {
  size_t bar = Hint.find(L'|');
  return bar == String::npos ? Hint : Hint.substr(bar + 1);
}

namespace {
String gApplicationHint;
}  // namespace

const String& ApplicationHint() { return gApplicationHint; }

bool OfferActionToControls(TWinControl* Form, TBasicAction* Action) {
  if (!Form) return false;
  for (int i = 0; i < Form->ControlCount(); ++i) {
    TControl* c = Form->Controls(i);
    if (!c->Visible()) continue;
    if (auto* target = dynamic_cast<IActionTarget*>(c))
      if (target->ExecuteAction(Action)) return true;
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (OfferActionToControls(w, Action)) return true;
  }
  return false;
}

void SetApplicationHint(TControl* Control, const String& Hint) {
  if (Hint == gApplicationHint) return;
  gApplicationHint = Hint;
  TOwned<THintAction> action(new THintAction(nullptr));
  action->SetHint(Hint);
  TCustomForm* forms[3] = {Control ? GetParentForm(Control) : nullptr, Screen ? Screen->ActiveForm() : nullptr,
                           Application ? Application->MainForm() : nullptr};
  // Called from the message loop: a handler's error is reported, not
  // thrown into the loop.
  try {
    for (int i = 0; i < 3; ++i) {
      TCustomForm* f = forms[i];
      if (!f || (i > 0 && f == forms[0]) || (i > 1 && f == forms[1])) continue;
      if (OfferActionToControls(f, action)) return;
    }
  } catch (...) {
    if (Application) Application->HandleException(nullptr);
  }
}
