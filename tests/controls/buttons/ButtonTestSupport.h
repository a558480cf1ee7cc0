// Helpers of the button and label tests: pictures and image lists of known
// colours, colour comparison, a form to place controls on.
#pragma once

#include <string>

#include "base/Forms.h"
#include "base/ImgList.h"

class TGDIPPicture;

// A picture of the given file bytes (tests/draw/DrawTestSupport.h makes
// them).
TGDIPPicture* PictureFromBytes(const std::string& Bytes);
// A W x H BMP of one colour whose bottom-left pixel is KeyColor.
std::string MakeKeyedBmp(int W, int H, TColor Color, TColor KeyColor);
// An image list of Count images of W x H, image i filled with Colors[i].
TImageList* MakeImageList(TComponent* Owner, int W, int H, std::initializer_list<TColor> Colors,
                          TColorDepth Depth = TColorDepth::cd24Bit);
// Largest channel difference.
int Distance(TColor A, TColor B);
bool Near(TColor A, TColor B, int Tolerance = 3);
// A visible form at (100, 100), ClientWidth x ClientHeight, white.
TForm* MakeTestForm(int ClientWidth = 400, int ClientHeight = 300);
