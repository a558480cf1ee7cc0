#include <gtest/gtest.h>

#include "base/Colors.h"
#include "base/SysUtils.h"

TEST(Colors, EveryIdentifierRoundTripsAndOthersAreHexadecimal) {
  const struct {
    TColor Color;
    const wchar_t* Text;
  } cases[] = {
      {clBlack, L"clBlack"},         {clMedGray, L"clMedGray"},       {clNone, L"clNone"},
      {clDefault, L"clDefault"},     {clScrollBar, L"clScrollBar"},   {clInfoBk, L"clInfoBk"},
      {clHotLight, L"clHotLight"},   {clMenuBar, L"clMenuBar"},       {clMoneyGreen, L"clMoneyGreen"},
      {0xD2BDB6, L"$00D2BDB6"},      {0x0000FE, L"$000000FE"},        {SystemColor(25), L"$FF000019"},
      {static_cast<TColor>(0x80000000), L"$80000000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ColorToString(c.Color), c.Text);
    EXPECT_EQ(StringToColor(c.Text), c.Color) << WideToAnsi(c.Text);
  }
}

TEST(Colors, ReadingTakesAnyLetterCaseAndIntegerTexts) {
  const struct {
    const wchar_t* Text;
    bool Ok;
    TColor Color;
  } cases[] = {
      {L"clbtnface", true, clBtnFace}, {L"CLWHITE", true, clWhite}, {L"13811126", true, 0xD2BDB6},
      {L"$00d2bdb6", true, 0xD2BDB6},  {L"-1", true, -1},           {L"", false, 0},
      {L"clNothing", false, 0},        {L"0x10", false, 0},         {L" 12", false, 0},
      {L"99999999999", false, 0},      {L"$", false, 0},
  };
  for (const auto& c : cases) {
    TColor got = 0;
    EXPECT_EQ(TryStringToColor(c.Text, got), c.Ok) << WideToAnsi(c.Text);
    if (c.Ok) EXPECT_EQ(got, c.Color) << WideToAnsi(c.Text);
  }
  EXPECT_THROW(StringToColor(L"red"), EConvertError);
}
