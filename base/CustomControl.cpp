#include "base/Controls.h"
#include "base/ControlDetail.h"

#include <windowsx.h>

#include <algorithm>

#include "base/ActnList.h"
#include "base/Forms.h"
#include "base/Menus.h"

using namespace control_detail;

// ---------------------------------------------------------------------------
// Canvases and painted controls

namespace {
std::vector<TControlCanvas*> gCanvasesWithDC;
}

namespace {
// Lets Paint draw with Canvas on a device context of someone else's, in the
// control's font and colour; the canvas lets go of the DC afterwards.
void PaintOnDC(TControlCanvas* Canvas, HDC DC, TFont* Font, TColor Color, const std::function<void()>& Paint) {
  struct Release {
    TControlCanvas* c;
    ~Release() {
      c->SetHandle(nullptr);
      c->Unlock();
    }
  };
  Canvas->Lock();
  Canvas->FreeHandle();
  Canvas->SetHandle(DC);
  Release release{Canvas};
  Canvas->Font()->Assign(Font);
  Canvas->Brush()->SetColor(Color);
  Paint();
}
}  // namespace

void FreeDeviceContexts() {
  std::vector<TControlCanvas*> list;
  list.swap(gCanvasesWithDC);
  for (TControlCanvas* c : list) c->FreeHandle();
}

void TControlCanvas::SetControl(TControl* Value) {
  if (FControl == Value) return;
  FreeHandle();
  FControl = Value;
}

void TControlCanvas::CreateHandle() {
  if (!FControl || FDeviceContext) return;
  if (auto* w = dynamic_cast<TWinControl*>(FControl)) {
    FWindowHandle = w->Handle();
    FDeviceContext = GetDCEx(FWindowHandle, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  } else if (FControl->Parent()) {
    FWindowHandle = FControl->Parent()->Handle();
    FDeviceContext = GetDCEx(FWindowHandle, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (FDeviceContext) {
      SetViewportOrgEx(FDeviceContext, FControl->Left(), FControl->Top(), nullptr);
      IntersectClipRect(FDeviceContext, 0, 0, FControl->Width(), FControl->Height());
    }
  }
  if (FDeviceContext) {
    gCanvasesWithDC.push_back(this);
    SetHandle(FDeviceContext);
  }
}

void TControlCanvas::FreeHandle() {
  if (!FDeviceContext) return;
  SetHandle(nullptr);
  ReleaseDC(FWindowHandle, FDeviceContext);
  FDeviceContext = nullptr;
  FWindowHandle = nullptr;
  gCanvasesWithDC.erase(std::remove(gCanvasesWithDC.begin(), gCanvasesWithDC.end(), this), gCanvasesWithDC.end());
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(new TControlCanvas(this)) {}

void TCustomControl::Destroy() { TWinControl::Destroy(); }

void TCustomControl::PaintWindow(HDC DC) {
  PaintOnDC(FCanvas, DC, FFont, FColor, [this] { Paint(); });
}

void TCustomControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    // Marks the paint as ours, so the base does not leave it to the window.
    struct Mark {
      TControlState& s;
      explicit Mark(TControlState& st) : s(st) { s.Include(TControlStateItem::csCustomPaint); }
      ~Mark() { s.Exclude(TControlStateItem::csCustomPaint); }
    } mark(FControlState);
    TWinControl::Dispatch(Message);
    return;
  }
  TWinControl::Dispatch(Message);
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(new TControlCanvas(this)) {}

void TGraphicControl::Destroy() { TControl::Destroy(); }

void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT && Message.WParam) {
    PaintOnDC(FCanvas, reinterpret_cast<HDC>(Message.WParam), FFont, FColor, [this] { Paint(); });
    return;
  }
  TControl::Dispatch(Message);
}

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
  --Rect.right;
  --Rect.bottom;
  for (int i = 0; i < Width; ++i) {
    Canvas->Pen()->SetColor(TopColor);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(TPenStyle::psSolid);
    Canvas->MoveTo(Rect.left, Rect.bottom);
    Canvas->LineTo(Rect.left, Rect.top);
    Canvas->LineTo(Rect.right, Rect.top);
    Canvas->Pen()->SetColor(BottomColor);
    Canvas->LineTo(Rect.right, Rect.bottom);
    Canvas->LineTo(Rect.left - 1, Rect.bottom);
    Rect.Inflate(-1, -1);
  }
  ++Rect.right;
  ++Rect.bottom;
}
