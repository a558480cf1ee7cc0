// Hints: the small top-most window that shows a control's hint text, and the
// request (CM_HINTSHOW with a THintInfo) through which the control under the
// pointer may change or cancel the hint before the application shows it.
#pragma once

#include "base/Controls.h"

// What CM_HINTSHOW hands to the control (LParam); the control may change
// the text, the position and the colour. A non-zero answer cancels the hint.
struct THintInfo {
  TControl* HintControl = nullptr;
  // Screen position of the hint window's top-left corner.
  TPoint HintPos;
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  // The pointer's position in the control's client coordinates, and the
  // area (client coordinates) within which the hint stays.
  TPoint CursorPos;
  TRect CursorRect;
  int HideTimeout = 0;
  String HintStr;
  void* HintData = nullptr;
};

// The part of a hint before "|" (the whole text without one).
String GetShortHint(const String& Hint);
// Whether the control shows hints: its own ShowHint, or its parent's while
// ParentShowHint is on.
bool ControlShowsHint(TControl* Control);

// A borderless top-most window that shows one hint. It is never made
// visible by a parent: ActivateHint (or SetVisible) shows it without
// taking the focus.
class THintWindow : public TCustomControl {
  VANTREL_CLASS(THintWindow)
 public:
  explicit THintWindow(TComponent* AOwner);

  // The window's rectangle for a hint, at (0, 0): the text's size plus 6
  // by 4 (wrapped at MaxWidth).
  virtual TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData);
  // Shows AHint in Rect (screen coordinates).
  virtual void ActivateHint(const TRect& Rect, const String& AHint);
  // Hides the window and lets its handle go.
  void ReleaseHandle();
  // The control whose hint is shown (the hint request may name another than
  // the one under the pointer); set before CalcHintRect, cleared when the
  // hint goes.
  TControl* HintControl() const { return FHintControl; }
  void SetHintControl(TControl* Value) { FHintControl = Value; }
  void SetVisible(bool Value) override;

  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  // A new text sizes the window to it: text width + 6 by text height + 4.
  void TextChanged() override;

 private:
  TControl* FHintControl = nullptr;
};

// The application's hint window class: what makes the window of the next
// hint (nullptr: THintWindow). A window of the former class goes when the
// next hint shows.
using THintWindowClass = THintWindow* (*)(TComponent* AOwner);
void SetHintWindowClass(THintWindowClass Make);
THintWindowClass HintWindowClass();
