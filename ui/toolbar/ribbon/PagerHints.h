// TPagerHints: the hint texts of the pager's MDI child buttons and help
// button (the caption buttons share the three MDI texts).
#pragma once

#include "base/Object.h"

class TPagerHints : public TPersistent {
  VANTREL_CLASS(TPagerHints)
 public:
  TPagerHints();
  // From another TPagerHints: the four texts, without OnChange.
  void Assign(TPersistent* Source) override;

  const String& MDICloseBtnHint() const { return FMDICloseBtnHint; }
  void SetMDICloseBtnHint(const String& Value) { Store(FMDICloseBtnHint, Value); }
  const String& MDIMinimizeBtnHint() const { return FMDIMinimizeBtnHint; }
  void SetMDIMinimizeBtnHint(const String& Value) { Store(FMDIMinimizeBtnHint, Value); }
  const String& MDIMaximizeBtnHint() const { return FMDIMaximizeBtnHint; }
  void SetMDIMaximizeBtnHint(const String& Value) { Store(FMDIMaximizeBtnHint, Value); }
  const String& HelpBtnHint() const { return FHelpBtnHint; }
  void SetHelpBtnHint(const String& Value) { Store(FHelpBtnHint, Value); }

  TNotifyEvent OnChange;

 protected:
  virtual void Changed();

 private:
  void Store(String& Field, const String& Value);

  String FMDIMaximizeBtnHint;
  String FMDIMinimizeBtnHint;
  String FMDICloseBtnHint;
  String FHelpBtnHint;
};
