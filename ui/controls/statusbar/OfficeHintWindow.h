// The hint window of Office hints: when the hint's control carries an Office
// hint (a status bar panel's hint, handed over through the bar's hidden hint
// control), its title shows in bold above its notes; any other hint shows as
// plain text. SetHintWindowClass(MakeOfficeHintWindow) makes it the
// application's hint window.
#pragma once

#include "base/Hints.h"
#include "ui/draw/HintInfo.h"

// A control that hands an Office hint to the hint window.
class IOfficeHintControl {
 public:
  virtual TAdvHintInfo* OfficeHint() const = 0;

 protected:
  ~IOfficeHintControl() = default;
};

class TOfficeHintWindow : public THintWindow {
  VANTREL_CLASS(TOfficeHintWindow)
 public:
  explicit TOfficeHintWindow(TComponent* AOwner);
  // Takes a copy of the hint control's Office hint (when it has a title or
  // notes) and sizes the window to it; otherwise as a plain hint.
  TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData) override;
  // The Office hint being shown; empty while a plain hint shows.
  TAdvHintInfo* Shown() const { return FShown; }
  // Where the title and the notes are drawn (client coordinates).
  TRect TitleRect() const { return FTitleRect; }
  TRect NotesRect() const { return FNotesRect; }

 protected:
  void Paint() override;

 private:
  // The notes as one text, without the list's last line break.
  String NotesText() const;

  TOwned<TAdvHintInfo> FShown;
  TRect FTitleRect;
  TRect FNotesRect;
};

THintWindow* MakeOfficeHintWindow(TComponent* AOwner);
