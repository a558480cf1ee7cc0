// The windows through which an update without the wizard talks to the
// user: the what's-new and licence dialogs (built by the component), the
// download progress window, the login dialog of HTTP authentication and the
// HTML dialog that a control file can ask for.
#pragma once

#include "base/Forms.h"
#include "base/Streams.h"

class TButton;
class TEdit;
class TImage;
class TLabel;
class TNetUpdate;
class TProgressBar;

// Whether a text's first five bytes read "{\rtf" (any case), and whether the
// whole text holds "</" (any case). Both read from the start and leave the
// stream at its start.
bool IsRtfText(TStream* Stream);
bool IsHtmlText(TStream* Stream);

// The small window that follows a download.
class TProgressForm : public TForm {
  VANTREL_CLASS(TProgressForm)
 public:
  // Built without a design: the window's look is set when it is created.
  TProgressForm(TComponent* AOwner, int Dummy);

  TProgressBar* ProgressBar;
  TLabel* FileLabel;

 protected:
  void CreateWnd() override;
};

TProgressForm* CreateProgressForm(TNetUpdate* Update);
void ShowProgressForm(TProgressForm* Form, bool Show);
// The bar runs from 0 to Size at Pos; the label shows the file's name
// without its folder.
void UpdateProgressForm(TProgressForm* Form, const String& FileName, int Pos, int Size);
void FreeProgressForm(TProgressForm*& Form);

// The login dialog: a banner, user name and password (shown as "*").
class TKelLoginForm : public TForm {
  VANTREL_CLASS(TKelLoginForm)
 public:
  explicit TKelLoginForm(TComponent* AOwner);

  TImage* Image1;
  TLabel* Label1;
  TLabel* Label2;
  TEdit* Edit1;
  TEdit* Edit2;
  TButton* Button1;
  TButton* Button2;
};

// Shows the login dialog (fields empty) captioned Caption; OK gives the
// entries and true, anything else false.
bool ShowLoginDialog(const String& Caption, String& User, String& Password);

// Shows the page at Url modally through the system's HTML dialog; without
// that library nothing happens. A page that cannot be shown raises EOSError.
void ShowHTMLDialogURL(HWND Parent, const String& Url);
