// Image lists: equally sized pictures in one system image list
// (HIMAGELIST), drawn normally or greyed, with change links that tell
// their users when the images change.
#pragma once

#include <vector>

#include "base/Graphics.h"

struct _IMAGELIST;
typedef struct _IMAGELIST* HIMAGELIST;

class TCustomImageList;

// A user's link to an image list: the list calls Change() whenever its
// images change, which fires OnChange with the list as sender.
class TChangeLink : public TObject {
  VANTREL_CLASS(TChangeLink)
 public:
  // Unregisters itself from its list.
  ~TChangeLink() override;
  TCustomImageList* Sender() const { return FSender; }
  void SetSender(TCustomImageList* Value) { FSender = Value; }
  virtual void Change();
  TNotifyEvent OnChange;

 private:
  TCustomImageList* FSender = nullptr;
};

enum class TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum class TImageType { itImage, itMask };
enum class TColorDepth { cdDeviceDependent, cd4Bit, cd8Bit, cd16Bit, cd24Bit, cd32Bit };

class TCustomImageList : public TComponent {
  VANTREL_CLASS(TCustomImageList)
 public:
  explicit TCustomImageList(TComponent* AOwner);
  // An empty list of AWidth x AHeight images.
  TCustomImageList(TComponent* AOwner, int AWidth, int AHeight);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // A new size clears the list.
  void SetWidth(int Value);
  void SetHeight(int Value);
  void SetSize(int AWidth, int AHeight);
  bool Masked() const { return FMasked; }
  void SetMasked(bool Value);
  TColorDepth ColorDepth() const { return FColorDepth; }
  void SetColorDepth(TColorDepth Value);
  TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle Value) { FDrawingStyle = Value; }
  TImageType ImageType() const { return FImageType; }
  void SetImageType(TImageType Value) { FImageType = Value; }
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor Value);
  TColor BlendColor() const { return FBlendColor; }
  void SetBlendColor(TColor Value) { FBlendColor = Value; }

  // The system image list, made on first use.
  HIMAGELIST Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  int Count();

  // Each returns the index of the first image added (a picture wider than
  // Width gives several), or -1.
  int Add(TBitmap* Image, TBitmap* Mask);
  // Pixels of MaskColor become transparent.
  int AddMasked(TBitmap* Image, TColor MaskColor);
  int AddIcon(TIcon* Image);
  void Replace(int Index, TBitmap* Image, TBitmap* Mask);
  void Delete(int Index);
  void Clear();

  // Draws image Index with its top-left corner at (X, Y). A disabled image is
  // drawn greyed (the system's saturation effect).
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
  void Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle, TImageType AImageType,
            bool Enabled = true);
  // Copies of image Index; false for a bad index.
  bool GetBitmap(int Index, TBitmap* Image);
  bool GetIcon(int Index, TIcon* Image);

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  void RegisterChanges(TChangeLink* Value);
  void UnRegisterChanges(TChangeLink* Value);
  TNotifyEvent OnChange;

 protected:
  void Destroy() override;
  virtual void Change();
  void CreateImageList();
  void FreeHandle();

 private:
  UINT CreateFlags() const;
  int FWidth = 16;
  int FHeight = 16;
  bool FMasked = true;
  TColorDepth FColorDepth = TColorDepth::cd32Bit;
  TDrawingStyle FDrawingStyle = TDrawingStyle::dsNormal;
  TImageType FImageType = TImageType::itImage;
  TColor FBkColor = clNone;
  TColor FBlendColor = clNone;
  HIMAGELIST FHandle = nullptr;
  int FUpdateCount = 0;
  bool FChanged = false;
  std::vector<TChangeLink*> FClients;
};

class TImageList : public TCustomImageList {
  VANTREL_CLASS(TImageList)
 public:
  using TCustomImageList::TCustomImageList;
};
