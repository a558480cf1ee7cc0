// A silent animation over the platform's animation control: one of the
// system's common clips (the file copy) played in a loop.
#pragma once

#include "base/Controls.h"

enum class TCommonAVI { aviNone, aviFindFolder, aviFindFile, aviFindComputer, aviCopyFiles, aviCopyFile,
                        aviRecycleFile, aviEmptyRecycle, aviDeleteFile };

class TAnimate : public TWinControl {
  VANTREL_CLASS(TAnimate)
 public:
  explicit TAnimate(TComponent* AOwner);

  TCommonAVI CommonAVI() const { return FCommonAVI; }
  void SetCommonAVI(TCommonAVI Value);
  // Plays while true. A clip that the system does not have leaves the
  // control empty.
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  // Whether the clip was found.
  bool Opened() const { return FOpened; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

 private:
  void Open();

  TCommonAVI FCommonAVI = TCommonAVI::aviNone;
  bool FActive = false;
  bool FOpened = false;
};
