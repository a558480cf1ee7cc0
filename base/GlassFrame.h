// The glass frame of a form: how far the window manager's frame reaches
// into the client area on each side, or a sheet of glass over all of it.
// It only holds the values and tells its form of each change; the form
// that draws on glass passes them on to the window manager.
#pragma once

#include "base/Object.h"

class TGlassFrame : public TPersistent {
  VANTREL_CLASS(TGlassFrame)
 public:
  // Copies the six values from another glass frame and notifies once.
  void Assign(TPersistent* Source) override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { Store(FEnabled, Value); }
  int Left() const { return FLeft; }
  void SetLeft(int Value) { Store(FLeft, Value); }
  int Top() const { return FTop; }
  void SetTop(int Value) { Store(FTop, Value); }
  int Right() const { return FRight; }
  void SetRight(int Value) { Store(FRight, Value); }
  int Bottom() const { return FBottom; }
  void SetBottom(int Value) { Store(FBottom, Value); }
  bool SheetOfGlass() const { return FSheetOfGlass; }
  void SetSheetOfGlass(bool Value) { Store(FSheetOfGlass, Value); }
  // No margins and no sheet of glass; Enabled stays as it is.
  void Reset();
  // Enabled, and glass reaches into the client area somewhere.
  bool FrameExtended() const;

  TNotifyEvent OnChange;

 private:
  template <class T>
  void Store(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }
  void Changed() {
    if (OnChange) OnChange(this);
  }

  bool FEnabled = false;
  int FLeft = 0;
  int FTop = 0;
  int FRight = 0;
  int FBottom = 0;
  bool FSheetOfGlass = false;
};
