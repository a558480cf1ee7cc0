// Timers and panels.
#pragma once

#include "base/Controls.h"

// A window timer. One hidden window serves every timer by id; the timer runs
// while Enabled, Interval > 0 and OnTimer is assigned. Changing any of them
// starts the count again. Freeing the timer (or its owner) from its own
// OnTimer is safe.
class TTimer : public TComponent {
  VANTREL_CLASS(TTimer)
 public:
  explicit TTimer(TComponent* AOwner);

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned Value);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);
  // True while a window timer is set.
  bool Running() const { return FId != 0; }
  // Fires one tick now, as the window timer would.
  void Tick() { Timer(); }

 protected:
  void Destroy() override;
  virtual void Timer();

 private:
  void UpdateTimer();
  static LRESULT CALLBACK TimerWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  UINT_PTR FId = 0;
  bool FEnabled = true;
  unsigned FInterval = 1000;
  TNotifyEvent FOnTimer;
};

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
  VANTREL_CLASS(TCustomPanel)
 public:
  explicit TCustomPanel(TComponent* AOwner);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

 protected:
  void Paint() override;
  void AdjustClientRect(TRect& Rect) override;

 private:
  TBevelCut FBevelOuter = TBevelCut::bvRaised;
  TBevelCut FBevelInner = TBevelCut::bvNone;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TAlignment FAlignment = TAlignment::taCenter;
};

class TPanel : public TCustomPanel {
  VANTREL_CLASS(TPanel)
 public:
  using TCustomPanel::TCustomPanel;
};
