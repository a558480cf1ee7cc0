#include "ui/controls/menus/AdvMenuUtil.h"

#include "base/Forms.h"

int MenuColumnWidth = 17;
bool LayeredWindowsAvailable = false;
FARPROC UpdateLayeredWindowEntry = nullptr;
FARPROC SetLayeredWindowAttributesEntry = nullptr;

namespace {

TSystemParametersFunc gSpi = nullptr;
int gPixelsPerInch = 0;
bool gSavedAnimation = false;
bool gAnimationRead = false;

BOOL Spi(UINT Action, UINT Param, PVOID Value, UINT WinIni) {
  return (gSpi ? gSpi : &SystemParametersInfoW)(Action, Param, Value, WinIni);
}

void SetAnimation(bool On) {
  Spi(SPI_SETMENUANIMATION, 0, reinterpret_cast<PVOID>(static_cast<intptr_t>(On ? TRUE : FALSE)), SPIF_SENDCHANGE);
}

}  // namespace

void SetMenuAnimationCall(TSystemParametersFunc Func) { gSpi = Func; }
void SetMenuPixelsPerInch(int Value) { gPixelsPerInch = Value; }

void ResetMenuAnimationState() {
  gSavedAnimation = false;
  gAnimationRead = false;
}

float GetDPIScale() {
  if (gPixelsPerInch > 0) return static_cast<float>(gPixelsPerInch) / 96.0f;
  HWND wnd = Application ? Application->MainFormHandle() : nullptr;
  if (!wnd) wnd = GetDesktopWindow();
  HDC dc = GetDC(wnd);
  int ppi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(wnd, dc);
  return static_cast<float>(ppi) / 96.0f;
}

void InitMenuColumnWidth() { MenuColumnWidth = static_cast<int>(Round(17.0 * GetDPIScale())); }

void DisableMenuAnimation() {
  BOOL value = FALSE;
  gAnimationRead = Spi(SPI_GETMENUANIMATION, 0, &value, 0) != FALSE;
  gSavedAnimation = gAnimationRead && value;
  SetAnimation(false);
}

void SwitchOffMenuAnimation() { SetAnimation(false); }

void RestoreMenuAnimation() {
  // A setting that was never read is not ours to give back: writing the
  // default would switch the animation off for everyone.
  if (!gAnimationRead) return;
  SetAnimation(gSavedAnimation);
}

HFONT CreateRotatedFont(TFont* Font, int Angle) {
  LOGFONTW lf{};
  lf.lfHeight = Font->Height();
  lf.lfWidth = 0;
  lf.lfEscapement = Angle * 10;
  lf.lfOrientation = 0;
  TFontStyles st = Font->Style();
  lf.lfWeight = st.Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = st.Contains(TFontStyle::fsItalic);
  lf.lfUnderline = st.Contains(TFontStyle::fsUnderline);
  lf.lfStrikeOut = st.Contains(TFontStyle::fsStrikeOut);
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = 0;
  lf.lfClipPrecision = 0;
  lf.lfQuality = 0;
  switch (Font->Pitch()) {
    case TFontPitch::fpVariable: lf.lfPitchAndFamily = VARIABLE_PITCH; break;
    case TFontPitch::fpFixed: lf.lfPitchAndFamily = FIXED_PITCH; break;
    default: lf.lfPitchAndFamily = DEFAULT_PITCH; break;
  }
  const String& name = Font->Name();
  size_t n = Min<size_t>(name.size(), LF_FACESIZE - 1);
  name.copy(lf.lfFaceName, n);
  lf.lfFaceName[n] = 0;
  return CreateFontIndirectW(&lf);
}

void CenterRect(TRect& R, int Width, int Height) {
  R.right = (R.left + R.right + Width) / 2;
  R.bottom = (R.top + R.bottom + Height) / 2;
  R.left = R.right - Width;
  R.top = R.bottom - Height;
}

void SplitColor(TColor Color, BYTE& Red, BYTE& Green, BYTE& Blue) {
  TColor c = ColorToRGB(Color);
  Red = static_cast<BYTE>(c & 0xFF);
  Green = static_cast<BYTE>((c >> 8) & 0xFF);
  Blue = static_cast<BYTE>((c >> 16) & 0xFF);
}

TColor PackColor(BYTE Red, BYTE Green, BYTE Blue, BYTE Fourth) {
  return static_cast<TColor>(static_cast<uint32_t>(Red) | (static_cast<uint32_t>(Green) << 8) |
                             (static_cast<uint32_t>(Blue) << 16) | (static_cast<uint32_t>(Fourth) << 24));
}

TRect GraphicRect(TGraphic* Graphic) {
  if (!Graphic) return TRect();
  return TRect(0, 0, Graphic->Width(), Graphic->Height());
}

void InitMenuUtilsUnit() {
  LayeredWindowsAvailable = false;
  if (HMODULE user = LoadLibraryW(L"user32.dll")) {
    UpdateLayeredWindowEntry = GetProcAddress(user, "UpdateLayeredWindow");
    SetLayeredWindowAttributesEntry = GetProcAddress(user, "SetLayeredWindowAttributes");
    // user32 stays loaded for the process; the reference is given back.
    FreeLibrary(user);
    LayeredWindowsAvailable = SetLayeredWindowAttributesEntry != nullptr;
  }
}

void InitAdvMenusUnit() {
  InitMenuColumnWidth();
  DisableMenuAnimation();
}

void FiniAdvMenusUnit() { RestoreMenuAnimation(); }
