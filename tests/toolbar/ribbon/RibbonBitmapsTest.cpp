// The pager's bitmaps are in every program that links the ribbon, each of
// its size, on the key colour that its bottom-left pixel gives.
#include <gtest/gtest.h>

#include <memory>

#include "base/SysUtils.h"
#include "tests/support/Gui.h"
#include "ui/draw/GdipPicture.h"
#include "ui/toolbar/ribbon/RibbonBitmaps.h"

TEST(RibbonBitmaps, EachIsThereInItsSizeOnTheKeyColour) {
  struct {
    const wchar_t* Name;
    int Size;
  } cases[] = {
      {L"ATBECCLOSE", 11},     {L"ATBECMIN", 11},        {L"ATBECMAX", 12},        {L"ATBHELP_BTN", 16},
      {L"ATBHELP_BTN2", 16},   {L"ATBHELPHD_BTN", 32},   {L"ATBECUP_BTN", 16},     {L"ATBECDOWN_BTN", 16},
      {L"ATBECNCH_BTN", 16},   {L"ATBECUPF_BTN", 16},    {L"ATBECDOWNF_BTN", 16},  {L"ATBECNCHF_BTN", 16},
      {L"ATBECUPHD_BTN", 32},  {L"ATBECDOWNHD_BTN", 32}, {L"ATBECNCHHD_BTN", 32},  {L"OPTIONIND_PIC", 9},
      {L"OPTIONIND_PICD", 9},
  };
  for (auto& c : cases) {
    TBitmap b;
    LoadRibbonBitmap(&b, c.Name);
    EXPECT_EQ(b.Width(), c.Size) << c.Name;
    EXPECT_EQ(b.Height(), c.Size) << c.Name;
    TColor key = PixelAt(&b, 0, c.Size - 1);
    EXPECT_EQ(key, 0xFF00FF) << c.Name;
    // Something is drawn on it.
    EXPECT_LT(CountPixels(&b, TRect(0, 0, c.Size, c.Size), key), c.Size * c.Size) << c.Name;
  }
  // As a picture, and an unknown name.
  std::unique_ptr<TGDIPPicture> picture(new TGDIPPicture());
  LoadRibbonPicture(picture.get(), L"ATBHELP_BTN");
  EXPECT_FALSE(picture->Empty());
  EXPECT_EQ(picture->Width(), 16);
  TBitmap none;
  EXPECT_THROW(LoadRibbonBitmap(&none, L"ATBNOSUCH"), EResNotFound);
}
