#include "ui/controls/labels/LabelMarkup.h"

#include "base/Shell.h"
#include "ui/controls/buttons/GlowButtonHelpers.h"
#include "ui/draw/HtmlText.h"
#include "ui/draw/PictureContainer.h"

String JoinMarkupLines(const TStrings* Lines) {
  String s;
  for (int i = 0; i < Lines->Count(); ++i) {
    String line = Lines->Strings(i);
    if (i > 0 && !(!s.empty() && s.back() == L'>' && !line.empty() && line.front() == L'<')) s += L' ';
    s += line;
  }
  return s;
}

void SetJoinedMarkup(TStrings* Target, const TStrings* Lines) {
  String joined;
  StripLineBreaks(JoinMarkupLines(Lines), false, joined);
  Target->BeginUpdate();
  Target->Clear();
  Target->Add(joined);
  Target->EndUpdate();
}

bool OpenLinkAnchor(const String& Anchor) {
  if (!StartsText(L"http://", Anchor) && !StartsText(L"https://", Anchor) && !StartsText(L"mailto:", Anchor))
    return false;
  return AppShellExecute(nullptr, L"open", Anchor, L"", L"", SW_SHOWNORMAL) > 32;
}

TLabelMarkup::TLabelMarkup(TControl* ALabel, std::function<void()> Changed)
    : FLabel(ALabel), FChanged(std::move(Changed)) {
  FLines = new TStringList;
  FLines->OnChange = [this](TObject*) {
    if (FCache) FCache->ClearPictures();
    FChanged();
  };
  FCache = new THTMLPictureCache;
  FImagesLink = new TChangeLink;
  FImagesLink->OnChange = [this](TObject*) { FChanged(); };
}

TLabelMarkup::~TLabelMarkup() = default;

void TLabelMarkup::SetImages(TCustomImageList* Value) {
  GlowButton::ReplaceImageList(FLabel, FImages, FImagesLink, Value);
  FLabel->Invalidate();
}

void TLabelMarkup::SetContainer(TPictureContainer* Value) {
  if (FContainer) FContainer->RemoveFreeNotification(FLabel);
  FContainer = Value;
  if (Value) Value->FreeNotification(FLabel);
  FLabel->Invalidate();
}

void TLabelMarkup::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  if (FContainer && AComponent == static_cast<TComponent*>(FContainer)) FContainer = nullptr;
}

void TLabelMarkup::EndUpdate() {
  if (FUpdateCount <= 0) return;
  if (--FUpdateCount == 0) FLabel->Invalidate();
}

THtmlRenderParams TLabelMarkup::RenderParams(TCanvas* ACanvas, const String& Markup, const TRect& R, int X,
                                             int Y) const {
  THtmlRenderParams p;
  p.Canvas = ACanvas;
  p.HTML = Markup;
  p.R = R;
  p.X = X;
  p.Y = Y;
  p.Images = FImages;
  p.PictureCache = FCache;
  p.PictureContainer = FContainer;
  p.Cache = &FLayouts;
  return p;
}
