#pragma once
// Small helpers that the list view's files share inside base/.

#include <windows.h>
#include <commctrl.h>

#include "base/ListView.h"

namespace listview_detail {

inline LRESULT Send(HWND h, UINT Msg, WPARAM W = 0, LPARAM L = 0) { return SendMessageW(h, Msg, W, L); }

inline int ColumnFormat(TAlignment Alignment) {
  switch (Alignment) {
    case TAlignment::taRightJustify: return LVCFMT_RIGHT;
    case TAlignment::taCenter: return LVCFMT_CENTER;
    default: return LVCFMT_LEFT;
  }
}

// The state-image bits of an item: the check box (1 unchecked, 2 checked)
// with check boxes on, else the state image StateIndex + 1 (0: none).
inline UINT StateImageBits(bool Checkboxes, bool Checked, int StateIndex) {
  if (Checkboxes) return INDEXTOSTATEIMAGEMASK(Checked ? 2 : 1);
  return StateIndex >= 0 && StateIndex < 15 ? INDEXTOSTATEIMAGEMASK(StateIndex + 1) : 0;
}

}  // namespace listview_detail
