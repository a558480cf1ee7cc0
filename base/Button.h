// The push button of dialogs: a click closes a modal form with the button's
// ModalResult; Enter clicks the default button, Escape the cancel button.
#pragma once

#include "base/Forms.h"

class TButton : public TWinControl {
  VANTREL_CLASS(TButton)
 public:
  explicit TButton(TComponent* AOwner);

  // Not mrNone: a click sets the parent form's ModalResult.
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  // Enter anywhere in the form clicks it (unless another button has the
  // focus, which Enter clicks instead).
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  // Escape anywhere in the form clicks it.
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }

  void Click() override;
  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  void DialogKey(TMessage& Message);

  TModalResult FModalResult = mrNone;
  bool FDefault = false;
  bool FCancel = false;
};
