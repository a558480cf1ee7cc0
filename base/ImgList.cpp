#include "base/ImgList.h"

#include <commctrl.h>

#include <algorithm>

// The platform's record with its x86_64 size.
static_assert(sizeof(IMAGELISTDRAWPARAMS) == 88);

TChangeLink::~TChangeLink() {
  if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (OnChange) OnChange(FSender);
}

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(TComponent* AOwner, int AWidth, int AHeight) : TComponent(AOwner) {
  FWidth = Max(AWidth, 1);
  FHeight = Max(AHeight, 1);
}

void TCustomImageList::Destroy() {
  // Links outlive the list in their owners: cut them loose first.
  for (TChangeLink* link : FClients) link->SetSender(nullptr);
  FClients.clear();
  FreeHandle();
  TComponent::Destroy();
}

void TCustomImageList::FreeHandle() {
  if (FHandle) ImageList_Destroy(FHandle);
  FHandle = nullptr;
}

UINT TCustomImageList::CreateFlags() const {
  static const UINT depths[] = {ILC_COLORDDB, ILC_COLOR4, ILC_COLOR8, ILC_COLOR16, ILC_COLOR24, ILC_COLOR32};
  UINT flags = depths[static_cast<int>(FColorDepth)];
  if (FMasked) flags |= ILC_MASK;
  return flags;
}

void TCustomImageList::CreateImageList() {
  FHandle = ImageList_Create(FWidth, FHeight, CreateFlags(), 4, 4);
  if (!FHandle) throw EOutOfResources(L"Cannot create the image list");
  ImageList_SetBkColor(FHandle, FBkColor == clNone ? CLR_NONE : static_cast<COLORREF>(ColorToRGB(FBkColor)));
}

HIMAGELIST TCustomImageList::Handle() {
  if (!FHandle) CreateImageList();
  return FHandle;
}

int TCustomImageList::Count() { return FHandle ? ImageList_GetImageCount(FHandle) : 0; }

void TCustomImageList::SetSize(int AWidth, int AHeight) {
  AWidth = Max(AWidth, 1);
  AHeight = Max(AHeight, 1);
  if (AWidth == FWidth && AHeight == FHeight) return;
  FWidth = AWidth;
  FHeight = AHeight;
  if (FHandle) {
    FreeHandle();
    Change();
  }
}

void TCustomImageList::SetWidth(int Value) { SetSize(Value, FHeight); }
void TCustomImageList::SetHeight(int Value) { SetSize(FWidth, Value); }

void TCustomImageList::SetMasked(bool Value) {
  if (Value == FMasked) return;
  FMasked = Value;
  if (FHandle) {
    FreeHandle();
    Change();
  }
}

void TCustomImageList::SetColorDepth(TColorDepth Value) {
  if (Value == FColorDepth) return;
  FColorDepth = Value;
  if (FHandle) {
    FreeHandle();
    Change();
  }
}

void TCustomImageList::SetBkColor(TColor Value) {
  FBkColor = Value;
  if (FHandle) ImageList_SetBkColor(FHandle, Value == clNone ? CLR_NONE : static_cast<COLORREF>(ColorToRGB(Value)));
  Change();
}

namespace {
// A device-dependent copy of a picture, as ImageList_Add wants it.
HBITMAP CopyForList(TBitmap* Image) {
  if (!Image || Image->Empty()) return nullptr;
  return static_cast<HBITMAP>(CopyImage(Image->Handle(), IMAGE_BITMAP, 0, 0, 0));
}
}  // namespace

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
  HBITMAP img = CopyForList(Image);
  if (!img) return -1;
  HBITMAP mask = Mask && !Mask->Empty() ? static_cast<HBITMAP>(CopyImage(Mask->Handle(), IMAGE_BITMAP, 0, 0, LR_MONOCHROME)) : nullptr;
  int index = ImageList_Add(Handle(), img, mask);
  DeleteObject(img);
  if (mask) DeleteObject(mask);
  if (index >= 0) Change();
  return index;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (!FMasked) return Add(Image, nullptr);
  HBITMAP img = CopyForList(Image);
  if (!img) return -1;
  int index = ImageList_AddMasked(Handle(), img, static_cast<COLORREF>(ColorToRGB(MaskColor)));
  DeleteObject(img);
  if (index >= 0) Change();
  return index;
}

int TCustomImageList::AddIcon(TIcon* Image) {
  if (!Image || Image->Empty()) return -1;
  int index = ImageList_AddIcon(Handle(), Image->Handle());
  if (index >= 0) Change();
  return index;
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask) {
  if (Index < 0 || Index >= Count()) throw EInvalidOperation(L"Invalid image list index %d", {Index});
  HBITMAP img = CopyForList(Image);
  HBITMAP mask = Mask && !Mask->Empty() ? static_cast<HBITMAP>(CopyImage(Mask->Handle(), IMAGE_BITMAP, 0, 0, LR_MONOCHROME)) : nullptr;
  ImageList_Replace(FHandle, Index, img, mask);
  if (img) DeleteObject(img);
  if (mask) DeleteObject(mask);
  Change();
}

void TCustomImageList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw EInvalidOperation(L"Invalid image list index %d", {Index});
  ImageList_Remove(FHandle, Index);
  Change();
}

void TCustomImageList::Clear() {
  if (FHandle && Count() > 0) {
    ImageList_Remove(FHandle, -1);
    Change();
  }
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  Draw(Canvas, X, Y, Index, FDrawingStyle, FImageType, Enabled);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled) {
  if (!FHandle || Index < 0 || Index >= Count() || !Canvas) return;
  static const UINT styles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  UINT style = styles[static_cast<int>(ADrawingStyle)];
  if (AImageType == TImageType::itMask) style |= ILD_MASK;
  // The platform's record with its real size: a shorter one makes comctl32
  // ignore fState, and the disabled look is lost.
  IMAGELISTDRAWPARAMS p{};
  p.cbSize = sizeof(IMAGELISTDRAWPARAMS);
  p.himl = FHandle;
  p.i = Index;
  p.hdcDst = Canvas->Handle();
  p.x = X;
  p.y = Y;
  p.rgbBk = CLR_DEFAULT;
  p.rgbFg = FBlendColor == clNone ? CLR_DEFAULT : static_cast<COLORREF>(ColorToRGB(FBlendColor));
  p.fStyle = style;
  p.fState = Enabled ? ILS_NORMAL : ILS_SATURATE;
  ImageList_DrawIndirect(&p);
}

bool TCustomImageList::GetBitmap(int Index, TBitmap* Image) {
  if (!Image || Index < 0 || Index >= Count()) return false;
  Image->SetSize(FWidth, FHeight);
  ImageList_Draw(FHandle, Index, Image->Canvas()->Handle(), 0, 0, ILD_NORMAL);
  return true;
}

bool TCustomImageList::GetIcon(int Index, TIcon* Image) {
  if (!Image || Index < 0 || Index >= Count()) return false;
  HICON icon = ImageList_GetIcon(FHandle, Index, ILD_NORMAL);
  if (!icon) return false;
  Image->SetHandle(icon);
  return true;
}

void TCustomImageList::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FChanged) {
    FChanged = false;
    Change();
  }
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
  if (!Value || std::find(FClients.begin(), FClients.end(), Value) != FClients.end()) return;
  Value->SetSender(this);
  FClients.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
  auto it = std::find(FClients.begin(), FClients.end(), Value);
  if (it == FClients.end()) return;
  FClients.erase(it);
  Value->SetSender(nullptr);
}

void TCustomImageList::Change() {
  if (FUpdateCount > 0) {
    FChanged = true;
    return;
  }
  // A client may unregister from its handler: walk a copy.
  std::vector<TChangeLink*> clients = FClients;
  for (TChangeLink* link : clients)
    if (std::find(FClients.begin(), FClients.end(), link) != FClients.end()) link->Change();
  if (OnChange) OnChange(this);
}
