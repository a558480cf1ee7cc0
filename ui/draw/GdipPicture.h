// TGDIPPicture: a picture that keeps the bytes of an image file of any
// format GDI+ reads (BMP, GIF, JPEG, PNG, ICO, TIFF, WMF, EMF) exactly as
// loaded, and draws them through GDI+. Its size is known once decoded.
#pragma once

#include "base/Graphics.h"
#include "base/Streams.h"

class TGPGraphics;
class TGPImage;

enum class TPictureFormat { pfBMP, pfGIF, pfJPG, pfPNG, pfICO, pfTiff, pfMetaFile, pfNone };

class TGDIPPicture : public TGraphic {
  VANTREL_CLASS(TGDIPPicture)
 public:
  TGDIPPicture();
  ~TGDIPPicture() override;

  // From another picture, a bitmap, a TPicture or any graphic that saves
  // itself; nullptr empties it (OnChange, then OnClear).
  void Assign(TPersistent* Source) override;
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  bool Empty() const override { return FIsEmpty; }

  // Any failure leaves the picture empty, unreported.
  void LoadFromFile(const String& FileName) override;
  // The whole of Stream (nothing for nullptr); measures, then OnChange.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // Stored with a window: the raw bytes, read back without measuring.
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream) { SaveToStream(Stream); }
  // An RT_RCDATA resource by name (nothing when missing) or by number
  // (EResNotFound when missing).
  void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
  void LoadFromResourceID(HINSTANCE Instance, int ResID);
  // "RES://name" (this program's resources) or "FILE://path".
  void LoadFromURL(const String& URL);
  void LoadFromClipboardFormat(WORD, HANDLE, HPALETTE) {}
  void SaveToClipboardFormat(WORD&, HANDLE&, HPALETTE&) {}
  TGraphic* Clone() const override;

  // Decodes once to learn the size; false when there is nothing to decode.
  // Raises "Could not allocate memory for image" when decoding memory
  // cannot be had.
  bool GetImageSizes();
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  // At its own size with the top-left corner at (X, Y), or scaled.
  void DrawImage(TGPGraphics* Graphics, int X, int Y);
  void DrawImageRect(TGPGraphics* Graphics, int X, int Y, int W, int H);

  // Read from the bytes on every call.
  TPictureFormat PictureFormat() const;
  TGraphic* Graphic() { return this; }
  const String& GetFileName() const { return FFileName; }
  TMemoryStream* DataStream() const { return FDatastream; }

  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
  TColor BackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(TColor Value) { FBackgroundColor = Value; }
  bool TransparentBitmap() const { return FTransparentBitmap; }
  void SetTransparentBitmap(bool Value) { FTransparentBitmap = Value; }
  int Angle() const { return FAngle; }
  void SetAngle(int Value) { FAngle = Value; }
  TNotifyEvent OnClear;

 private:
  // The decoded image for one operation, or nullptr.
  TGPImage* Decode();
  void ClearFired();

  String FFileName;
  TMemoryStream* FDatastream;
  bool FIsEmpty = true;
  int FWidth = 0;
  int FHeight = 0;
  bool FDoubleBuffered = false;
  TColor FBackgroundColor = clNone;
  bool FTransparentBitmap = true;
  int FAngle = 0;
};
