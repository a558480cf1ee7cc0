// A window with a taskbar button of its own, although the main window owns
// the application's button.
#pragma once

#include "base/Forms.h"

class TTaskbarForm : public TForm {
  VANTREL_CLASS(TTaskbarForm)
 public:
  using TForm::TForm;

 protected:
  void CreateParams(TCreateParams& Params) override {
    TForm::CreateParams(Params);
    Params.ExStyle |= WS_EX_APPWINDOW;
  }
};
