// The pictures of the SMS windows, drawn in code: small pictures of the
// new-SMS window, the headers of the in-box and the out-box, and their
// image lists. Every picture is drawn on MaskColor, which shows as
// transparent.
#pragma once

#include "base/ImgList.h"
#include "base/Picture.h"
#include "base/Streams.h"

class TGDIPPicture;

constexpr TColor SmsImageMaskColor = 0xFF00FF;

// 16 × 16: a magnifier (search) and 18 × 18: two round arrows (refresh).
void DrawSearchPicture(TPicture* Picture);
void DrawRefreshPicture(TPicture* Picture);
// 32 × 32 headers: an envelope going into a tray, and one leaving it.
void DrawInBoxPicture(TPicture* Picture);
void DrawOutBoxPicture(TPicture* Picture);
// 24 × 24 pictures of the call and hang-up buttons: a handset lifted and a
// handset laid down, as PNG pictures with the mask colour transparent.
void DrawCallPicture(TGDIPPicture* Picture);
void DrawHangUpPicture(TGDIPPicture* Picture);

// Bitmap as a PNG file written to Stream, with MaskColor transparent when
// it is not clNone; false when GDI+ could not encode it.
bool SaveBitmapAsPng(TBitmap* Bitmap, TStream* Stream, TColor MaskColor = clNone);

// The in-box's images (16 × 16): 0 unread, 1 read, 2 reply.
void FillInBoxImages(TCustomImageList* Images);
// The out-box's state images (16 × 16): 0 to 11 the sent share of the
// parts, 12 a failed part.
void FillSendStateImages(TCustomImageList* Images);
// The out-box's delivery images (16 × 16): 0 not delivered and 1 delivered
// (one part), 2 to 14 the delivered share of several parts.
void FillDeliveryImages(TCustomImageList* Images);
