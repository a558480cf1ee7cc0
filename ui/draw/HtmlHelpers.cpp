#include "ui/draw/HtmlHelpers.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cmath>
#include <vector>

namespace {

struct TNamedColor {
  const wchar_t* Name;
  TColor Color;
};

const TNamedColor kColorNames[] = {
    {L"clred", 0x0000FF},
    {L"clblack", 0x000000},
    {L"clblue", 0xFF0000},
    {L"clgreen", 0x008000},
    {L"claqua", 0xFFFF00},
    {L"clyellow", 0x00FFFF},
    {L"clfuchsia", 0xFF00FF},
    {L"clwhite", 0xFFFFFF},
    {L"cllime", 0x00FF00},
    {L"clsilver", 0xC0C0C0},
    {L"clgray", 0x808080},
    {L"clolive", 0x008080},
    {L"clnavy", 0x800000},
    {L"clpurple", 0x800080},
    {L"clteal", 0x808000},
    {L"clmaroon", 0x000080},
    {L"clbackground", clBackground},
    {L"clactivecaption", clActiveCaption},
    {L"clinactivecaption", clInactiveCaption},
    {L"clmenu", clMenu},
    {L"clwindow", clWindow},
    {L"clwindowframe", clWindowFrame},
    {L"clmenutext", clMenuText},
    {L"clwindowtext", clWindowText},
    {L"clcaptiontext", clCaptionText},
    {L"clactiveborder", clActiveBorder},
    {L"clinactiveborder", clInactiveBorder},
    {L"clappworkspace", clAppWorkSpace},
    {L"clhighlight", clHighlight},
    {L"clhighlighttext", clHighlightText},
    {L"clbtnface", clBtnFace},
    {L"clbtnshadow", clBtnShadow},
    {L"clgraytext", clGrayText},
    {L"clbtntext", clBtnText},
    {L"clinactivecaptiontext", clInactiveCaptionText},
    {L"clbtnhighlight", clBtnHighlight},
    {L"cl3ddkshadow", cl3DDkShadow},
    {L"cl3dlight", cl3DLight},
    {L"clinfotext", clInfoText},
    {L"clinfobk", clInfoBk},
};

int Channel(TColor c, int shift) { return (static_cast<uint32_t>(c) >> shift) & 0xFF; }

}  // namespace

TColor ColorFromName(const String& Name) {
  for (const auto& n : kColorNames) {
    if (Name == n.Name) return n.Color;
  }
  return 0;
}

uint8_t HexPairToByte(const String& Text) {
  if (Text.size() < 2) return 0;
  auto digit = [](wchar_t c) -> int { return c >= L'A' ? c - L'A' + 10 : c - L'0'; };
  // No range check: other characters give whatever the arithmetic gives.
  return static_cast<uint8_t>(16 * digit(Text[0]) + digit(Text[1]));
}

TColor ColorFromHex(const String& Text) {
  int r = HexPairToByte(Copy(Text, 2, 2));
  int g = HexPairToByte(Copy(Text, 4, 2));
  int b = HexPairToByte(Copy(Text, 6, 2));
  return r + g * 256 + b * 65536;
}

void DrawSteppedGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& R,
                         int Steps) {
  if (Steps <= 0) Steps = 1;
  if (Steps > 0xFFFF) Steps = 0xFFFF;
  TColor from = ColorToRGB(FromColor), to = ColorToRGB(ToColor);
  int fr = Channel(from, 0), fg = Channel(from, 8), fb = Channel(from, 16);
  int tr = Channel(to, 0), tg = Channel(to, 8), tb = Channel(to, 16);
  double size = static_cast<double>(Horizontal ? R.Width() : R.Height()) / Steps;
  int whole = static_cast<int>(Trunc(size));
  for (int n = 0; n < Steps; ++n) {
    int r = fr + static_cast<int>(Round(static_cast<double>(n) * (tr - fr) / Steps));
    int g = fg + static_cast<int>(Round(static_cast<double>(n) * (tg - fg) / Steps));
    int b = fb + static_cast<int>(Round(static_cast<double>(n) * (tb - fb) / Steps));
    TColor band = r + g * 256 + b * 65536;
    Canvas->Pen()->SetColor(band);
    Canvas->Brush()->SetColor(band);
    int o = static_cast<int>(Round(n * size));
    if (Horizontal)
      Canvas->Rectangle(R.left + o, R.top, Min<int>(R.right, R.left + o + whole + 1), R.bottom);
    else
      Canvas->Rectangle(R.left, R.top + o, R.right, Min<int>(R.bottom, R.top + o + whole + 1));
  }
}

void DrawGradientBands(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& R, int Steps,
                       TColor OutlineColor) {
  DrawSteppedGradient(Canvas, FromColor, ToColor, Horizontal, R, Steps);
  if (OutlineColor == clNone) return;
  Canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  Canvas->Pen()->SetColor(OutlineColor);
  Canvas->Rectangle(R.left, R.top, R.right, R.bottom);
}

void SelectRotatedFont(TCanvas* Canvas, int Angle, int& Kept) {
  Kept = Canvas->Font()->Orientation();
  Canvas->Font()->SetOrientation(static_cast<int>((static_cast<int64_t>(Angle) * 10) % 3600));
}

void RestoreRotatedFont(TCanvas* Canvas, int Kept) { Canvas->Font()->SetOrientation(Kept); }

bool IsDirectory(const String& Path) {
  if (Path.empty()) return false;
  DWORD a = GetFileAttributesW(Path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

namespace {

// Whether the last part of the path names a DOS device ("CON", "nul.txt",
// "COM1:", "lpt3 .png"...), which the platform opens as that device in any
// folder.
bool NamesDosDevice(const String& Path) {
  // "COM1:" ends in a colon: the name is what comes before it.
  String path = Path;
  while (!path.empty() && path.back() == L':') path.pop_back();
  size_t start = path.find_last_of(L"\\/:");
  start = start == String::npos ? 0 : start + 1;
  String name = path.substr(start);
  name = name.substr(0, name.find(L'.'));
  while (!name.empty() && (name.back() == L' ' || name.back() == L':')) name.pop_back();
  name = UpperCase(name);
  static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$", L"CLOCK$"};
  for (const wchar_t* d : kDevices)
    if (name == d) return true;
  if (name.size() == 4 && (name.rfind(L"COM", 0) == 0 || name.rfind(L"LPT", 0) == 0)) {
    wchar_t n = name[3];
    return (n >= L'0' && n <= L'9') || n == L'\x00B9' || n == L'\x00B2' || n == L'\x00B3';
  }
  return false;
}

}  // namespace

bool IsNetworkOrDevicePath(const String& Path) {
  auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  if (Path.size() >= 2 && separator(Path[0]) && separator(Path[1])) return true;
  if (NamesDosDevice(Path)) return true;
  if (Path.size() >= 2 && Path[1] == L':' &&
      ((Path[0] >= L'A' && Path[0] <= L'Z') || (Path[0] >= L'a' && Path[0] <= L'z'))) {
    const wchar_t root[] = {Path[0], L':', L'\\', 0};
    return GetDriveTypeW(root) == DRIVE_REMOTE;
  }
  return false;
}

void StretchBitmapToRect(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap) {
  if (!Bitmap || Bitmap->Empty()) return;
  int w = Bitmap->Width(), h = Bitmap->Height();
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> bits(static_cast<size_t>(w) * static_cast<size_t>(h));
  HDC screen = GetDC(nullptr);
  int got = GetDIBits(screen, Bitmap->Handle(), 0, static_cast<UINT>(h), bits.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (!got) return;
  HDC dc = Canvas->Handle();
  int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, R.left, R.top, R.Width(), R.Height(), 0, 0, w, h, bits.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(dc, oldMode);
}

void DrawSystemIcon(TCanvas* Canvas, int X, int Y, TSize& Size, double Scale, bool Print, bool Draw, bool Large,
                    const String& Source) {
  UINT sizeFlag = Large ? SHGFI_LARGEICON : SHGFI_SMALLICON;
  int index = 0;
  SHFILEINFOW sfi{};
  if (!Source.empty() && !TryStrToInt(Source, index)) {
    index = 0;
    // A share or device is never touched: its icon follows from the name.
    if (!IsNetworkOrDevicePath(Source) && (FileExists(Source) || IsDirectory(Source))) {
      if (SHGetFileInfoW(Source.c_str(), 0, &sfi, sizeof(sfi), SHGFI_SYSICONINDEX | sizeFlag)) index = sfi.iIcon;
    } else if (SHGetFileInfoW(Source.c_str(), FILE_ATTRIBUTE_NORMAL, &sfi, sizeof(sfi),
                              SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | sizeFlag)) {
      index = sfi.iIcon;
    }
  }
  auto list = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"", 0, &sfi, sizeof(sfi), SHGFI_SYSICONINDEX | sizeFlag));
  if (!list) {
    Size = TSize(0, 0);
    return;
  }
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list, &cx, &cy);
  Size = TSize(cx, cy);
  if (!Draw) return;
  if (!Print) {
    ImageList_Draw(list, index, Canvas->Handle(), X, Y, ILD_TRANSPARENT);
    return;
  }
  TBitmap bmp(cx, cy);
  ImageList_Draw(list, index, bmp.Canvas()->Handle(), 0, 0, ILD_NORMAL);
  StretchBitmapToRect(Canvas,
                      TRect(X, Y, X + static_cast<int>(Round(cx * Scale)), Y + static_cast<int>(Round(cy * Scale))),
                      &bmp);
}

UINT BiDiDrawFlags(UINT Flags, TBiDiMode BiDiMode) {
  if (!SysLocaleMiddleEast()) return Flags;
  if (BiDiMode == TBiDiMode::bdRightToLeft) {
    if (Flags & DT_RIGHT)
      Flags &= ~static_cast<UINT>(DT_RIGHT);
    else if (!(Flags & DT_CENTER))
      Flags |= DT_RIGHT;
  }
  if (BiDiMode != TBiDiMode::bdLeftToRight) Flags |= DT_RTLREADING;
  return Flags;
}

int PosNoCase(const String& Sub, const String& Text) { return Pos(AnsiUpperCase(Sub), AnsiUpperCase(Text)); }

int PosAt(const String& Sub, const String& Text, int& Position) {
  Position = Pos(Sub, Text);
  return Position;
}

bool ReplaceFirstNoCase(const String& Find, const String& Replacement, String& Text) {
  int p = PosNoCase(Find, Text);
  if (p == 0) return false;
  Text.replace(static_cast<size_t>(p - 1), Find.size(), Replacement);
  return true;
}

int StrToIntLoose(const String& Text) {
  size_t i = 0, n = Text.size();
  while (i < n && Text[i] == L' ') ++i;
  bool negative = false;
  if (i < n && (Text[i] == L'+' || Text[i] == L'-')) {
    negative = Text[i] == L'-';
    ++i;
  }
  bool hex = false;
  if (i < n && Text[i] == L'$') {
    hex = true;
    ++i;
  } else if (i + 1 < n && Text[i] == L'0' && (Text[i + 1] == L'x' || Text[i + 1] == L'X')) {
    hex = true;
    i += 2;
  }
  int64_t v = 0;
  const int64_t limit = hex ? 0xFFFFFFFFLL : (negative ? 0x80000000LL : 0x7FFFFFFFLL);
  for (; i < n; ++i) {
    wchar_t c = Text[i];
    int d;
    if (c >= L'0' && c <= L'9')
      d = c - L'0';
    else if (hex && c >= L'A' && c <= L'F')
      d = c - L'A' + 10;
    else if (hex && c >= L'a' && c <= L'f')
      d = c - L'a' + 10;
    else
      break;
    v = v * (hex ? 16 : 10) + d;
    if (v >= limit) {
      v = limit;  // saturate; keep consuming digits
    }
  }
  if (hex) {
    int32_t pattern = static_cast<int32_t>(static_cast<uint32_t>(v));
    return negative ? static_cast<int>(-static_cast<int64_t>(pattern)) : pattern;
  }
  return static_cast<int>(negative ? -v : v);
}
