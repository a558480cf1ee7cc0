// The pattern editor: a small modal dialog that edits a text pattern's title
// and text.
#pragma once

#include "base/Forms.h"

class TfrmSetPattern : public TForm {
  VANTREL_CLASS(TfrmSetPattern)
 public:
  explicit TfrmSetPattern(TComponent* AOwner);

  String pat_title;
  int pat_nr = 1;  // which pattern is edited, 1 or 2
};

extern TfrmSetPattern* frmSetPattern;
