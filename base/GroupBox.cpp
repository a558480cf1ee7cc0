#include "base/GroupBox.h"

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = {TControlStyleItem::csAcceptsControls, TControlStyleItem::csSetCaption};
  FWidth = 185;
  FHeight = 105;
}

void TGroupBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"BUTTON");
  Params.Style |= BS_GROUPBOX;
}
