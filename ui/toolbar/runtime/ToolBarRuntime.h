// The toolbar library's process-wide runtime: DPI state, library switches,
// shared tone records, the registered window messages, system queries,
// colour conversions, the guarded list and the layout location settings.
// Its start-up runs in every process that links it.
#pragma once

#include <vector>

#include "base/Lists.h"
#include "base/Units.h"
#include "ui/draw/KelStyle.h"

class TFont;
class TCustomStyleServices;
class TControl;
class TWinControl;

// The three units in their start-up order (window manager binding,
// visual-styles binding, toolbar runtime); the program's table appends them
// just before the single-instance guard.
const std::vector<TUnitEntry>& ToolBarRuntimeUnits();
void InitToolBarRuntimeUnit();

// ---------------------------------------------------------------------------
// Unit-wide state

extern float DPIFactor;              // 1.0 until InitDPIScaling
extern bool DPIScaleEnabled;         // True
extern bool DPIInitialized;          // False
extern int DPIPixelsPerInch;         // 96
extern int ScreenLogPixelsX;         // 96
extern int ScaledCaptionHeight;      // 26
extern int ScaledGroupCaptionHeight; // 16
extern int KeyTipDelay;              // 700 ms
extern bool KeyTipCaptureMouse;      // True
extern bool AeroAllowed;             // True
extern bool NoFormDropShadow;        // False
extern TColorTones MetroTones;
extern TColorTones Office2013Tones;
// Puts the state above back to its start values, and the window manager
// stand-ins of ThemeBinding.h back to the library (tests).
void ResetToolBarRuntime();

// Registered at start-up ("TBCompactWinHide" and the others); window
// procedures compare message numbers with them.
extern WORD WM_TBCOMPACTWINHIDE;
extern WORD WM_TBSETAEROVISTA;
extern WORD WM_TBPSETIGNOREALT;
extern WORD WM_TBFUPDATECONTEXTMENU;
extern WORD WM_TBSETMETRO;
extern WORD WM_TBREVERTMETRO;
extern WORD WM_TBSETOFFICE2013;
extern WORD WM_TBSHOWSHORTCUTHINT;

// ---------------------------------------------------------------------------
// DPI

// Height of "0" in a font of PointSize points at PixelsPerInch.
int GetTextHeightAtPPI(int PixelsPerInch, int PointSize);
// 1.0 when scaling is off or at 96; else the 9-point text height ratio.
float GetDPIFactor(int PixelsPerInch);
void InitDPIScaling(int PixelsPerInch);

// ---------------------------------------------------------------------------
// System queries and settings

// RtlGetVersion's answer; the outputs stay as they were when it fails.
void GetWindowsVersion(int& Major, int& Minor);
// The version as GetVersionExW reports it (zeroes when it fails).
OSVERSIONINFOW GetVersionExInfo();
// The style in force in the class library's style manager (the system's
// own look here), and whether it is enabled (visual styles in use).
TCustomStyleServices* GetActiveStyleServices();
bool StyleServicesEnabled();
// "Segoe UI" 9 points, or "Tahoma" 8 points.
void SetDefaultFont(TFont* Font, bool UseSegoe);
// 0 while the scenic-ribbon flag is on, else 3.
int GetCornerRounding();
// The common controls' file version is 6 or later (with the Office theme
// detection, which needs it too: ui/draw/OfficeTheme.cpp).
bool IsComCtl32Version6();
bool IsTaskBarAutoHide();
bool IsVisibleWithParents(TControl* Control);
// Whether the focused window lies within Pager (up to 50 parents looked at).
bool PagerContainsFocus(TWinControl* Pager);
// AeroAllowed, common controls 6, Vista, visual styles and composition, and
// the component not being designed. Tests may replace the answer.
bool IsAeroAvailable(TComponent* Component);
void SetIsAeroAvailableSource(bool (*Source)(TComponent*));

// ---------------------------------------------------------------------------
// Colours

// Percent of Color1 over Color2 (100 or more: Color1 as it is; 0 or less:
// Color2 as it is).
TColor BlendColor(TColor Color1, TColor Color2, int Percent);
// Darker by Percent (negative: lighter), channels capped at 255.
TColor DarkenColor(TColor Color, int Percent);
// Opaque GDI+ colour of a resolved TColor; clNone gives opaque white.
uint32_t ColorToARGB(TColor Color);

// ---------------------------------------------------------------------------
// TDbgList and TPersistence

class TDbgList : public TList {
  VANTREL_CLASS(TDbgList)
 public:
  void AssignList(TList* ListA);
  // An index not below Count raises "Index out of bounds in list read
  // access" (or "...write access"); a negative one the list-index error.
  void* GetItemsEx(int Index) const;
  void SetItemsEx(int Index, void* Value);
};

enum class TPersistenceLocation { plRegistry, plIniFile };

class TPersistence : public TPersistent {
  VANTREL_CLASS(TPersistence)
 public:
  explicit TPersistence(TComponent* AOwner) : FOwner(AOwner) {}
  // From another TPersistence: the four values, without OnChange.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override { return FOwner; }

  TPersistenceLocation Location() const { return FLocation; }
  void SetLocation(TPersistenceLocation Value);
  const String& Key() const { return FKey; }
  void SetKey(const String& Value);
  const String& Section() const { return FSection; }
  void SetSection(const String& Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  TNotifyEvent OnChange;

 protected:
  void Changed();

 private:
  TComponent* FOwner;
  String FKey;
  String FSection;
  TPersistenceLocation FLocation = TPersistenceLocation::plRegistry;
  bool FEnabled = false;
};
