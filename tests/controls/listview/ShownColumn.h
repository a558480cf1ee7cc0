// What a list view window shows of one of its columns, read back from the
// window itself.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "base/Types.h"

struct TShownColumn {
  String Text;
  int Format = 0;  // LVCFMT_ bits
};

inline TShownColumn ShownColumn(HWND List, int Column) {
  wchar_t text[260] = {0};
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_FMT;
  col.pszText = text;
  col.cchTextMax = 260;
  SendMessageW(List, LVM_GETCOLUMNW, static_cast<WPARAM>(Column), reinterpret_cast<LPARAM>(&col));
  return {text, col.fmt};
}
