// Fundamental types shared by every layer: text, geometry, colours, sets,
// window messages and the event signatures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

// User-interface text, names and paths: UTF-16.
using String = std::wstring;
// Byte strings (wire data, ANSI files): the system ANSI code page unless a
// caller names another.
using AnsiString = std::string;

using TColor = int32_t;  // 0x00BBGGRR; system colours 0xFF0000nn

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0xFF000000u | static_cast<uint32_t>(index)); }
constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SystemColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SystemColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SystemColor(COLOR_MENU);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = SystemColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SystemColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = SystemColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SystemColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SystemColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = SystemColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SystemColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = SystemColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);
constexpr TColor clHotLight = SystemColor(COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = SystemColor(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = SystemColor(COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = SystemColor(COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = SystemColor(COLOR_MENUBAR);

// Geometry: the platform's records with constructors and helpers, so that
// their addresses go to Win32 unchanged.
struct TPoint : POINT {
  TPoint() : POINT{0, 0} {}
  TPoint(LONG ax, LONG ay) : POINT{ax, ay} {}
  TPoint(const POINT& p) : POINT(p) {}
  bool operator==(const TPoint& o) const { return x == o.x && y == o.y; }
  bool operator!=(const TPoint& o) const { return !(*this == o); }
};

struct TSize : SIZE {
  TSize() : SIZE{0, 0} {}
  TSize(LONG w, LONG h) : SIZE{w, h} {}
  TSize(const SIZE& s) : SIZE(s) {}
  bool operator==(const TSize& o) const { return cx == o.cx && cy == o.cy; }
};

struct TRect : RECT {
  TRect() : RECT{0, 0, 0, 0} {}
  TRect(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}
  TRect(const RECT& r) : RECT(r) {}
  LONG Width() const { return right - left; }
  LONG Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(const POINT& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  TPoint TopLeft() const { return TPoint(left, top); }
  TPoint BottomRight() const { return TPoint(right, bottom); }
  void Offset(LONG dx, LONG dy) { left += dx; right += dx; top += dy; bottom += dy; }
  void Inflate(LONG dx, LONG dy) { left -= dx; right += dx; top -= dy; bottom += dy; }
  bool operator==(const TRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool operator!=(const TRect& o) const { return !(*this == o); }
};

inline TRect Rect(LONG l, LONG t, LONG r, LONG b) { return TRect(l, t, r, b); }
inline TRect Bounds(LONG l, LONG t, LONG w, LONG h) { return TRect(l, t, l + w, t + h); }
inline TPoint Point(LONG x, LONG y) { return TPoint(x, y); }

// A small set of enumeration values (up to 64), for the state and style
// sets of components and controls.
template <class E>
class Set {
 public:
  constexpr Set() = default;
  constexpr Set(std::initializer_list<E> items) {
    for (E e : items) bits_ |= Bit(e);
  }
  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr Set& Include(E e) { bits_ |= Bit(e); return *this; }
  constexpr Set& Exclude(E e) { bits_ &= ~Bit(e); return *this; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr uint64_t Bits() const { return bits_; }
  static constexpr Set FromBits(uint64_t b) { Set s; s.bits_ = b; return s; }
  constexpr Set operator+(Set o) const { return FromBits(bits_ | o.bits_); }
  constexpr Set operator-(Set o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr Set operator*(Set o) const { return FromBits(bits_ & o.bits_); }
  constexpr Set& operator+=(Set o) { bits_ |= o.bits_; return *this; }
  constexpr Set& operator-=(Set o) { bits_ &= ~o.bits_; return *this; }
  constexpr bool operator==(const Set& o) const { return bits_ == o.bits_; }
  constexpr bool operator!=(const Set& o) const { return bits_ != o.bits_; }

 private:
  static constexpr uint64_t Bit(E e) { return uint64_t(1) << static_cast<unsigned>(e); }
  uint64_t bits_ = 0;
};

// A window message as the controls see it: the handler stores its answer
// in Result.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
  WORD WParamLo() const { return LOWORD(WParam); }
  WORD WParamHi() const { return HIWORD(WParam); }
  WORD LParamLo() const { return LOWORD(LParam); }
  WORD LParamHi() const { return HIWORD(LParam); }
};

class TObject;

// Events: sender first, answers by reference. Empty functions are "not
// assigned" and are never called.
using TNotifyEvent = std::function<void(TObject* Sender)>;

// Binds a member function as an event handler: Bind(this, &TForm1::Click).
template <class C, class R, class... A>
std::function<R(A...)> Bind(C* self, R (C::*method)(A...)) {
  return [self, method](A... args) -> R { return (self->*method)(std::forward<A>(args)...); };
}

// Text helpers used across layers. Positions here are 0-based; the
// 1-based string routines live in SysUtils.
String AnsiToWide(const AnsiString& s, UINT codePage = CP_ACP);
AnsiString WideToAnsi(const String& s, UINT codePage = CP_ACP);
