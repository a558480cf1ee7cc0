// The program's main window: small and normally hidden, it shows the last
// passcode, a log and the service state, and lives in the notification area.
// Closing it by its caption button only hides it; the program ends through
// the exit command or the end of the Windows session.
#pragma once

#include "app/OvFormSR.h"
#include "base/Forms.h"

// Posted to itself on every show; the first one hides the window again.
constexpr UINT WM_HIDE_ON_FIRST_SHOW = WM_USER + 101;

class TForm1 : public TForm {
  VANTREL_CLASS(TForm1)
 public:
  explicit TForm1(TComponent* AOwner);

  TOvFormSR* OvFormSR1;

  // Closing means ending the program.
  bool ExitRequested = false;
  // The first show has been answered.
  bool FirstShowDone = false;

  // The exit command: saves the positions of the other windows and closes
  // this one for good.
  void ExitProgram();

  void Dispatch(TMessage& Message) override;

 private:
  void FormShow(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);
};

extern TForm1* Form1;
