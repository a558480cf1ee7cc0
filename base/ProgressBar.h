// The progress bar over the platform's progress control.
#pragma once

#include "base/Controls.h"

class TProgressBar : public TWinControl {
  VANTREL_CLASS(TProgressBar)
 public:
  explicit TProgressBar(TComponent* AOwner);

  int Min() const { return FMin; }
  void SetMin(int Value) { SetRange(Value, FMax); }
  int Max() const { return FMax; }
  void SetMax(int Value) { SetRange(FMin, Value); }
  // Both ends at once; a Max below Min is taken as Min.
  void SetRange(int AMin, int AMax);
  // Kept within Min..Max.
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  bool Smooth() const { return FSmooth; }
  void SetSmooth(bool Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

 private:
  void Apply();

  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  bool FSmooth = false;
};
