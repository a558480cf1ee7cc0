#include "base/Menus.h"

TShortCut ShortCut(WORD Key, TShiftState Shift) {
  if (Key & 0xFF00) return 0;
  TShortCut s = Key;
  if (Shift.Contains(TShiftStateItem::ssShift)) s |= scShift;
  if (Shift.Contains(TShiftStateItem::ssCtrl)) s |= scCtrl;
  if (Shift.Contains(TShiftStateItem::ssAlt)) s |= scAlt;
  return s;
}

void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift) {
  Key = ShortCut & 0xFF;
  Shift = {};
  if (ShortCut & scShift) Shift.Include(TShiftStateItem::ssShift);
  if (ShortCut & scCtrl) Shift.Include(TShiftStateItem::ssCtrl);
  if (ShortCut & scAlt) Shift.Include(TShiftStateItem::ssAlt);
}

namespace {

// The fixed English names of keys whose layout name would vary.
const wchar_t* SpecialKeyName(WORD Key) {
  switch (Key) {
    case VK_BACK: return L"BkSp";
    case VK_TAB: return L"Tab";
    case VK_RETURN: return L"Enter";
    case VK_ESCAPE: return L"Esc";
    case VK_SPACE: return L"Space";
    case VK_PRIOR: return L"PgUp";
    case VK_NEXT: return L"PgDn";
    case VK_END: return L"End";
    case VK_HOME: return L"Home";
    case VK_LEFT: return L"Left";
    case VK_UP: return L"Up";
    case VK_RIGHT: return L"Right";
    case VK_DOWN: return L"Down";
    case VK_INSERT: return L"Ins";
    case VK_DELETE: return L"Del";
    default: return nullptr;
  }
}

String KeyName(WORD Key) {
  if (const wchar_t* s = SpecialKeyName(Key)) return s;
  if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) return String(1, static_cast<wchar_t>(Key));
  if (Key >= VK_F1 && Key <= VK_F24) return L"F" + IntToStr(Key - VK_F1 + 1);
  if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return L"Num " + IntToStr(Key - VK_NUMPAD0);
  UINT scan = MapVirtualKeyW(Key, MAPVK_VK_TO_VSC);
  if (!scan) return L"";
  wchar_t buf[256] = {};
  LONG lparam = static_cast<LONG>(scan << 16);
  if (GetKeyNameTextW(lparam, buf, 255) <= 0) return L"";
  return buf;
}

}  // namespace

String ShortCutToText(TShortCut ShortCut) {
  String name = KeyName(ShortCut & 0xFF);
  if (name.empty()) return L"";
  String prefix;
  if (ShortCut & scShift) prefix += L"Shift+";
  if (ShortCut & scCtrl) prefix += L"Ctrl+";
  if (ShortCut & scAlt) prefix += L"Alt+";
  return prefix + name;
}
