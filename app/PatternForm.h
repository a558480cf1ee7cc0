// The pattern editor: a small modal dialog that edits a text pattern's title
// and text.
#pragma once

#include "base/Forms.h"
#include "base/RichEdit.h"
#include "base/StdCtrls.h"

class TAdvGlowButton;

class TfrmSetPattern : public TForm {
  VANTREL_CLASS(TfrmSetPattern)
 public:
  explicit TfrmSetPattern(TComponent* AOwner);

  TLabel* Label1;    // "Button Title"
  TLabel* Label2;    // "Pattern text"
  TEdit* Edit1;      // the title
  TRichEdit* Memo1;  // the text
  TAdvGlowButton* AdvGlowButton1;  // "OK"
  TAdvGlowButton* btnClear;        // "Cancel"

  String pat_title;
  int pat_nr = 1;  // which pattern is edited, 1 or 2

  // OK: stores the title and the text of pattern pat_nr through the new-SMS
  // window's settings, shows the title on its button, and closes.
  void AdvGlowButton1Click(TObject* Sender);
  // Cancel: closes; nothing is stored.
  void btnClearClick(TObject* Sender);
};

extern TfrmSetPattern* frmSetPattern;
