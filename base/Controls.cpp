#include "base/Controls.h"
#include "base/ControlDetail.h"

#include <windowsx.h>

#include <algorithm>
#include <unordered_map>

#include "base/ActnList.h"
#include "base/Forms.h"
#include "base/Menus.h"
#include "base/SharedResources.h"

namespace control_detail {

extern const wchar_t kControlProp[] = L"VantrelControl";

namespace {
// The windows of this thread's controls (a window's messages all come to
// the thread that made it).
thread_local std::unordered_map<HWND, TWinControl*> tWindowControls;
}  // namespace

void SetWindowControl(HWND Wnd, TWinControl* Control) {
  SetPropW(Wnd, kControlProp, Control);
  tWindowControls[Wnd] = Control;
}

void ClearWindowControl(HWND Wnd) {
  RemovePropW(Wnd, kControlProp);
  tWindowControls.erase(Wnd);
}

TWinControl* WindowControl(HWND Wnd) {
  auto it = tWindowControls.find(Wnd);
  if (it != tWindowControls.end()) return it->second;
  return static_cast<TWinControl*>(GetPropW(Wnd, kControlProp));
}
thread_local TWinControl* gCreationControl = nullptr;
TControl* gCaptureControl = nullptr;  // a graphic control holding its parent's capture
TControl* gMouseControl = nullptr;    // the control under the pointer

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

void SetCaptureControl(TControl* Control) {
  gCaptureControl = nullptr;
  ReleaseCapture();
  if (!Control) return;
  if (auto* w = dynamic_cast<TWinControl*>(Control)) {
    SetCapture(w->Handle());
  } else if (Control->Parent()) {
    gCaptureControl = Control;
    SetCapture(Control->Parent()->Handle());
  }
}

TControl* GetCaptureControl() {
  HWND cap = GetCapture();
  if (!cap) return nullptr;
  if (gCaptureControl && gCaptureControl->Parent() && gCaptureControl->Parent()->HandleAllocated() &&
      gCaptureControl->Parent()->Handle() == cap)
    return gCaptureControl;
  return FindControl(cap);
}

// The workspace origin that window placements are relative to.
POINT WorkAreaOrigin(HWND Wnd) {
  POINT o{0, 0};
  if (GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return o;
  HMONITOR mon = MonitorFromWindow(Wnd, MONITOR_DEFAULTTONEAREST);
  MONITORINFO mi{sizeof(mi)};
  if (mon && GetMonitorInfoW(mon, &mi)) {
    o.x = mi.rcWork.left - mi.rcMonitor.left;
    o.y = mi.rcWork.top - mi.rcMonitor.top;
  }
  return o;
}

}  // namespace control_detail

using namespace control_detail;

HCURSOR CursorHandle(TCursor Cursor) {
  const wchar_t* id = IDC_ARROW;
  switch (Cursor) {
    case crNone: return nullptr;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: case crVSplit: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: case crHSplit: id = IDC_SIZEWE; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crSizeAll: case crDrag: id = IDC_SIZEALL; break;
    case crHandPoint: id = IDC_HAND; break;
    default: break;
  }
  return SharedCursor(nullptr, id);
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(TShiftStateItem::ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(TShiftStateItem::ssCtrl);
  if (KeyData & 0x20000000) s.Include(TShiftStateItem::ssAlt);
  return s;
}

TShiftState KeyboardStateToShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(TShiftStateItem::ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(TShiftStateItem::ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(TShiftStateItem::ssAlt);
  if (GetKeyState(VK_LBUTTON) < 0) s.Include(TShiftStateItem::ssLeft);
  if (GetKeyState(VK_RBUTTON) < 0) s.Include(TShiftStateItem::ssRight);
  if (GetKeyState(VK_MBUTTON) < 0) s.Include(TShiftStateItem::ssMiddle);
  return s;
}

TShiftState MouseKeysToShiftState(WPARAM Keys) {
  TShiftState s;
  if (Keys & MK_SHIFT) s.Include(TShiftStateItem::ssShift);
  if (Keys & MK_CONTROL) s.Include(TShiftStateItem::ssCtrl);
  if (Keys & MK_LBUTTON) s.Include(TShiftStateItem::ssLeft);
  if (Keys & MK_RBUTTON) s.Include(TShiftStateItem::ssRight);
  if (Keys & MK_MBUTTON) s.Include(TShiftStateItem::ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(TShiftStateItem::ssAlt);
  return s;
}

TOwnerDrawState OwnerDrawStateFromItemState(UINT ItemState) {
  using O = TOwnerDrawStateItem;
  TOwnerDrawState s;
  if (ItemState & ODS_SELECTED) s.Include(O::odSelected);
  if (ItemState & ODS_GRAYED) s.Include(O::odGrayed);
  if (ItemState & ODS_DISABLED) s.Include(O::odDisabled);
  if (ItemState & ODS_CHECKED) s.Include(O::odChecked);
  if (ItemState & ODS_FOCUS) s.Include(O::odFocused);
  if (ItemState & ODS_DEFAULT) s.Include(O::odDefault);
  if (ItemState & ODS_HOTLIGHT) s.Include(O::odHotLight);
  if (ItemState & ODS_INACTIVE) s.Include(O::odInactive);
  if (ItemState & ODS_NOACCEL) s.Include(O::odNoAccel);
  if (ItemState & ODS_NOFOCUSRECT) s.Include(O::odNoFocusRect);
  if (ItemState & ODS_COMBOBOXEDIT) s.Include(O::odComboBoxEdit);
  return s;
}

bool IsKeyToggled(int VirtualKey) { return (GetKeyState(VirtualKey) & 1) != 0; }

TWinControl* FindControl(HWND Handle) {
  if (!Handle) return nullptr;
  DWORD pid = 0;
  GetWindowThreadProcessId(Handle, &pid);
  if (pid != GetCurrentProcessId()) return nullptr;
  return WindowControl(Handle);
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled) {
  HWND wnd = WindowFromPoint(Pos);
  TWinControl* w = nullptr;
  while (wnd && !(w = FindControl(wnd))) wnd = GetParent(wnd);
  if (!w) return nullptr;
  TControl* c = w->ControlAtPos(w->ScreenToClient(Pos), AllowDisabled);
  return c ? c : w;
}

TCustomForm* GetParentForm(TControl* Control) {
  if (!Control) return nullptr;
  while (Control->Parent()) {
    if (auto* f = dynamic_cast<TCustomForm*>(Control)) return f;
    Control = Control->Parent();
  }
  return dynamic_cast<TCustomForm*>(Control);
}

bool IsPopupChild(const TControl* Control) {
  return Control && Control->Parent() && dynamic_cast<const TCustomForm*>(Control) != nullptr;
}
