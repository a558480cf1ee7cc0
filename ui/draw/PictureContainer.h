// Pictures of HTML-subset text: THTMLPicture keeps an image file's bytes and
// draws them through GDI+ (with the frame structure of GIF files),
// THTMLPictureCache holds the pictures one control loaded by URL, and
// TPictureContainer holds named pictures that markup refers to.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

#include "base/Controls.h"
#include "base/Lists.h"
#include "base/Picture.h"
#include "base/Streams.h"

using TDownloadProgressEvent = std::function<void(TObject* Sender, uint32_t dwSize, uint32_t dwTotSize)>;
using TDownloadCancelEvent = std::function<void(TObject* Sender, bool& Cancel)>;
using TDownloadCompleteEvent = std::function<void(TObject* Sender)>;
using TDownloadErrorEvent = std::function<void(TObject* Sender, const String& err)>;

class THTMLPicture : public TGraphic {
  VANTREL_CLASS(THTMLPicture)
 public:
  THTMLPicture();
  ~THTMLPicture() override;

  void Assign(TPersistent* Source) override;
  TGraphic* Clone() const override;

  bool Empty() const override { return FIsEmpty; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetWidth(int) override {}
  void SetHeight(int) override {}

  // The data becomes the file's content; a file that cannot be read leaves
  // the picture empty, without an error.
  void LoadFromFile(const String& FileName) override;
  // The stream's whole content (nothing for a missing stream).
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // As LoadFromStream and SaveToStream, without the change event (the
  // picture as stored with a window).
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);
  void LoadFromClipboardFormat(WORD, HANDLE, HPALETTE) {}
  void SaveToClipboardFormat(WORD&, HANDLE&, HPALETTE&) {}
  // The RT_RCDATA resource of that name when the module has one.
  void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
  // A missing resource raises EResNotFound.
  void LoadFromResourceID(HINSTANCE Instance, int ResID);
  // "res://name" and "file://path" load at once; other URLs are remembered
  // (as ID when loading is synchronous) and nothing is loaded.
  void LoadFromURL(const String& url);

  bool Stretch() const { return FStretched; }
  void SetStretch(bool Value) { FStretched = Value; }
  const String& ID() const { return FID; }
  void SetID(const String& Value) { FID = Value; }
  bool IsDB() const { return FIsDB; }
  void SetIsDB(bool Value) { FIsDB = Value; }
  bool Asynch() const { return FAsynch; }
  void SetAsynch(bool Value) { FAsynch = Value; }
  bool Busy() const { return FThreadBusy; }
  const String& URL() const { return FURL; }

  // The selected frame, from 1; setting it reloads the data and fires
  // OnFrameChange.
  int Frame() const { return FFrame; }
  void SetFrame(int Value);
  void FrameNext();
  void FramePrev();
  // Frames of a GIF (graphic control extension followed by an image
  // descriptor); -1 for other data.
  int FrameCount();
  // Delay of frame i (from 1) in hundredths of a second; -1 when none.
  int GetFrameTime(int i);
  // One tick (a tenth of a second of GIF delay) of the animation clock;
  // true when the frame advanced.
  bool Step();
  bool IsGIF() const;
  int MaxWidth() const { return FWidth; }
  int MaxHeight() const { return FHeight; }
  // Left and top of the selected frame within the GIF's logical screen.
  int FrameXPos() const { return FFrameXPos; }
  int FrameYPos() const { return FFrameYPos; }

  TNotifyEvent OnFrameChange;
  TDownloadProgressEvent OnDownLoadProgress;
  TDownloadCancelEvent OnDownLoadCancel;
  TDownloadCompleteEvent OnDownLoadComplete;
  TDownloadErrorEvent OnDownLoadError;

  // Draws the picture into each of the rectangles, decoding it once (a
  // tiled background).
  void DrawTiles(TCanvas* ACanvas, const TRect* Rects, size_t Count);
 protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

 private:
  // Decodes the data once for its size and the frame's position.
  void LoadPicture();
  // New data arrived: nothing cached from the old data stays.
  void DataChanged();
  // Calls Fn(position from 0, frame number from 1) for each frame start;
  // stops when Fn returns false.
  void ScanFrames(const std::function<bool(size_t, int)>& Fn) const;
  const uint8_t* Data() const;
  size_t DataSize() const;

  TMemoryStream* FDatastream;
  bool FIsEmpty = true;
  bool FStretched = false;
  String FURL;
  String FID;
  int FHeight = 0;
  int FWidth = 0;
  bool FIsDB = false;
  bool FAsynch = true;
  bool FThreadBusy = false;
  int FFrame = 1;
  int FFrameCount = -1;
  uint16_t FFrameXPos = 0;
  uint16_t FFrameYPos = 0;
  int FNextCount = -1;
  int FTimerCount = -1;
};

// The pictures one control loaded by URL; it owns them.
class THTMLPictureCache : public TList {
  VANTREL_CLASS(THTMLPictureCache)
 public:
  ~THTMLPictureCache() override;
  THTMLPicture* AddPicture();
  // The first picture whose ID is exactly ID (case-sensitive), or nullptr.
  THTMLPicture* FindPicture(const String& ID) const;
  THTMLPicture* GetPicture(int Index) const { return static_cast<THTMLPicture*>(Items(Index)); }
  // Replaces the reference; the picture it replaces is not freed.
  void SetPicture(int Index, THTMLPicture* Value) { SetItems(Index, Value); }
  void ClearPictures();
  // One animation tick for every picture; true when one advanced.
  bool Animate();
};

class TPictureItem : public TCollectionItem {
  VANTREL_CLASS(TPictureItem)
 public:
  explicit TPictureItem(TCollection* Collection);
  ~TPictureItem() override;
  // Another TPictureItem only: name, tag and a copy of the picture. Any
  // other source raises EInvalidCast.
  void Assign(TPersistent* Source) override;

  THTMLPicture* Picture() const { return FPicture; }
  // Copies Value into the item's own picture.
  void SetPicture(TGraphic* Value) { FPicture->Assign(Value); }
  intptr_t Tag() const { return FTag; }
  void SetTag(intptr_t Value) { FTag = Value; }
  const String& Name() const { return FName; }
  void SetName(const String& Value) { FName = Value; }

 protected:
  virtual THTMLPicture* CreatePicture();

 private:
  THTMLPicture* FPicture = nullptr;
  intptr_t FTag = 0;
  String FName;
};

class TPictureContainer;

class TPictureCollection : public TOwnedCollection {
  VANTREL_CLASS(TPictureCollection)
 public:
  explicit TPictureCollection(TPictureContainer* AOwner);
  TPictureItem* Add() { return static_cast<TPictureItem*>(TOwnedCollection::Add()); }
  TPictureItem* Insert(int Index) { return static_cast<TPictureItem*>(TOwnedCollection::Insert(Index)); }
  TPictureItem* GetItem(int Index) const { return static_cast<TPictureItem*>(Items(Index)); }
  void SetItem(int Index, TPictureItem* Value) { GetItem(Index)->Assign(Value); }
  bool Animate();
  virtual TCollectionItemFactory GetItemClass() const { return ItemClass<TPictureItem>(); }

 private:
  TPictureContainer* FOwner;
};

class TPictureContainer : public TComponent {
  VANTREL_CLASS(TPictureContainer)
 public:
  explicit TPictureContainer(TComponent* AOwner);

  TPictureCollection* Items() const { return FItems; }
  // Copies the items of Value; the container keeps its own collection.
  void SetItems(TPictureCollection* Value) { FItems->Assign(Value); }
  // The picture of the item named s (ignoring case); the item keeps it.
  virtual THTMLPicture* FindPicture(const String& s);
  // A picture holder with a copy of the named item's picture, owned by the
  // container; each name has its own holder, valid as long as the
  // container, refreshed by every call for that name.
  virtual TPicture* FindBitmap(const String& s);
  // Controls to repaint when the pictures change; a control that is freed
  // leaves the list.
  void RegisterControl(TControl* AControl);
  virtual void Changed();
  virtual uint32_t GetVersionNr() const;
  String Version() const;
  void SetVersion(const String&) {}
  int ControlCount() const { return FControls.Count(); }

  TNotifyEvent OnChange;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void Destroy() override;
  virtual TPictureCollection* CreateItems();

 private:
  TList FControls;
  std::map<String, TPicture*> FPictures;  // FindBitmap's holders by upper-cased name
  TPictureCollection* FItems = nullptr;
};
