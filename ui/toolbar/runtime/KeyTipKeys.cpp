#include "ui/toolbar/runtime/KeyTipKeys.h"

wchar_t KeyTipChar(WORD Key) {
  if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) return static_cast<wchar_t>(Key);
  if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return static_cast<wchar_t>(L'0' + (Key - VK_NUMPAD0));
  return 0;
}

bool IsKeyTipModifierKey(WORD Key) {
  switch (Key) {
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT:
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_CAPITAL:
    case VK_NUMLOCK:
    case VK_SCROLL:
      return true;
    default:
      return false;
  }
}

bool KeyTipEquals(const String& Tip, const String& Typed) { return AnsiUpperCase(Tip) == AnsiUpperCase(Typed); }

bool KeyTipStartsWith(const String& Tip, const String& Typed) {
  return Typed.size() <= Tip.size() && AnsiUpperCase(Tip.substr(0, Typed.size())) == AnsiUpperCase(Typed);
}
