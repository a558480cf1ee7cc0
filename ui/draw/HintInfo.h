// TAdvHintInfo: the content of an Office-style hint (title, notes, picture
// and a help flag) that buttons, panels and toolbars hand to their hint
// window.
#pragma once

#include "base/Lists.h"
#include "ui/draw/GdipPicture.h"

class TAdvHintInfo : public TPersistent {
  VANTREL_CLASS(TAdvHintInfo)
 public:
  TAdvHintInfo();
  ~TAdvHintInfo() override;
  // Only from another TAdvHintInfo; anything else changes nothing.
  void Assign(TPersistent* Source) override;
  // No title and no notes text (the picture does not count).
  bool IsEmpty() const;

  TGDIPPicture* Picture() const { return FPicture; }
  void SetPicture(TGDIPPicture* Value) { FPicture->Assign(Value); }
  TStringList* Notes() const { return FNotes; }
  void SetNotes(TStrings* Value) { FNotes->Assign(Value); }
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }
  bool ShowHelp() const { return FShowHelp; }
  void SetShowHelp(bool Value) { FShowHelp = Value; }
  const String& WideTitle() const { return FWideTitle; }
  void SetWideTitle(const String& Value) { FWideTitle = Value; }
  const String& WideNotes() const { return FWideNotes; }
  void SetWideNotes(const String& Value) { FWideNotes = Value; }

 private:
  TGDIPPicture* FPicture;
  bool FShowHelp = false;
  TStringList* FNotes;
  String FTitle;
  String FWideTitle;
  String FWideNotes;
};
