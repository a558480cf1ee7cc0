#include "app/PatternForm.h"

TfrmSetPattern* frmSetPattern = nullptr;

TfrmSetPattern::TfrmSetPattern(TComponent* AOwner) : TForm(AOwner) {
  BeginLoading();
  SetName(L"frmSetPattern");
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons({TBorderIcon::biSystemMenu});
  SetCaption(L"Set Pattern");
  SetClientWidth(392);
  SetClientHeight(249);
  SetPosition(TPosition::poScreenCenter);
  SetScaled(false);
  EndLoading();
}
