// The style manager of the class library as this system has it: one look
// only, the system's own, named "Windows". It is enabled while visual
// styles are in use for the program. Controls ask it whether a custom look
// is in force (never here) and whether the system's visual styles apply.
#pragma once

#include "base/Object.h"

class TCustomStyleServices : public TObject {
  VANTREL_CLASS(TCustomStyleServices)
 public:
  // "Windows": the system's own look.
  String Name() const;
  // Visual styles are active and the program is themed (asked each time:
  // the user may switch them while the program runs).
  bool Enabled() const;
  bool IsSystemStyle() const { return true; }
};

class TStyleManager {
 public:
  // The style in force; the same object for the life of the process.
  static TCustomStyleServices* ActiveStyle();
  // Tests replace where Enabled reads the system's answer (nullptr
  // restores the visual-styles library).
  static void SetEnabledSource(bool (*Source)());
};

// The active style's services.
TCustomStyleServices* StyleServices();
