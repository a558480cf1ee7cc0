#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "base/FileStreams.h"
#include "base/Lists.h"
#include "tests/toolbar/stylers/StylerDoubles.h"
#include "ui/toolbar/stylers/ToolBarThemeFile.h"

using S = TToolBarStyle;

namespace {

String TempPath(const wchar_t* Name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return String(dir) + Name;
}

void WriteBytes(const String& File, const AnsiString& Bytes) {
  TFileStream f(File, fmCreate);
  if (!Bytes.empty()) f.WriteBuffer(Bytes.data(), static_cast<int>(Bytes.size()));
}

AnsiString ReadBytes(const String& File) {
  TFileStream f(File, fmOpenRead);
  AnsiString b(static_cast<size_t>(f.Size()), '\0');
  if (!b.empty()) f.ReadBuffer(b.data(), static_cast<int>(b.size()));
  return b;
}

// The lines of a text, without their line ends.
std::vector<String> Lines(const String& Text) {
  TStringList l;
  l.SetText(Text);
  std::vector<String> out;
  for (int i = 0; i < l.Count(); ++i) out.push_back(l.Strings(i));
  return out;
}

String Join(const std::vector<String>& L) {
  String t;
  for (const String& s : L) t += s + L"\r\n";
  return t;
}

struct ThemeFileFixture : ::testing::Test {
  TComponent* Owner = new TComponent(nullptr);
  TAdvToolBarOfficeStyler* Styler = new TAdvToolBarOfficeStyler(Owner);
  TAdvToolBarOfficeStyler* Other = new TAdvToolBarOfficeStyler(Owner);
  String File = TempPath(L"vantrel_theme_test.txt");

  ~ThemeFileFixture() override {
    DeleteFileW(File.c_str());
    Owner->Free();
  }
  // Loads Text into Other; returns the line named by the error (0: loaded).
  int Load(const String& Text) {
    WriteBytes(File, WideToAnsi(Text));
    try {
      Other->LoadFromFile(File);
      return 0;
    } catch (const ECorruptThemeFile& e) {
      EXPECT_EQ(e.Message().rfind(L"Corrupt file", 0), 0u);
      return e.Line();
    }
  }
};

}  // namespace

TEST_F(ThemeFileFixture, EveryStyleRoundTripsThroughAFile) {
  for (int i = 0; i < ToolBarStyleCount; ++i) {
    const S style = static_cast<S>(i);
    SCOPED_TRACE(i);
    Styler->SetStyle(style);
    Styler->SaveToFile(File);
    Other->SetStyle(i == 0 ? S::bsOffice2016Black : S::bsOffice2003Blue);
    Other->LoadFromFile(File);
    EXPECT_EQ(Other->Style(), style);
    EXPECT_EQ(EncodeThemeFile(Other), EncodeThemeFile(Styler));
  }
}

TEST_F(ThemeFileFixture, ASavedFileHasItsLinesInPlace) {
  Styler->SetStyle(S::bsOffice2003Blue);
  Styler->ButtonAppearance()->CaptionFont()->SetStyle({TFontStyle::fsBold, TFontStyle::fsUnderline});
  Styler->ButtonAppearance()->CaptionFont()->SetName(L"Segoe UI");
  Styler->Font()->SetName(L"Tahoma");
  Styler->SaveToFile(File);
  const AnsiString bytes = ReadBytes(File);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  const std::vector<String> lines = Lines(AnsiToWide(bytes));
  ASSERT_EQ(lines.size(), 304u);
  const struct {
    int Line;
    const wchar_t* Text;
  } want[] = {
      {1, L"bsOffice2003Blue"},
      {2, L"AutoThemeAdapt=False"},
      {3, L"ButtonAppearance.Color=$00FDEADA"},
      {15, L"ButtonAppearance.GradientDirection=gdVertical"},
      {20, L"ButtonAppearance.BorderDownColor=clNavy"},
      {24, L"ButtonAppearance.CaptionFont.Style=fsBold,fsUnderline"},
      {26, L"\"ButtonAppearance.CaptionFont.Name=Segoe UI\""},
      {29, L"Color.Direction=gdVertical"},
      {30, L"Color.Steps=64"},
      {38, L"DockColor.Steps=128"},
      {42, L"Font.Name=Tahoma"},
      {43, L"DragGripStyle=dsDots"},
      {51, L"FloatingWindowBorderWidth=2"},
      {52, L"CaptionAppearance.CaptionColor=clHighlight"},
      {60, L"BorderColor=$00E0C7AD"},
      {70, L"CaptionFont.Color=clWindowText"},
      {72, L"CaptionFont.Size=8"},
      {73, L"ContainerAppearance.LineColor=clBtnShadow"},
      {74, L"ContainerAppearance.Line3D=True"},
      {100, L"GlowButtonAppearance.Gradient=ggVertical"},
      {117, L"PagerCaption.Steps=64"},
      {118, L"PagerCaption.TextColor=clGray"},
      {152, L"\"TabAppearance.Font.Name=Segoe UI\""},
      {153, L"TabAppearance.Gradient=ggVertical"},
      {262, L"CompactGlowButtonAppearance.BorderColor=$00E0B99B"},
      {303, L"QATAppearance.Steps=64"},
      {304, L"FormBorderColor=clGray"},
  };
  for (const auto& w : want) EXPECT_EQ(lines[static_cast<size_t>(w.Line - 1)], w.Text) << w.Line;
  // Every body line is its key's.
  for (size_t i = 0; i < ThemeFileProperties().size(); ++i) {
    const String& line = lines[i + 1];
    if (line.empty()) continue;
    const String key = AnsiToWide(ThemeFileProperties()[i].Key) + L"=";
    EXPECT_TRUE(line.rfind(key, 0) == 0 || line.rfind(L"\"" + key, 0) == 0) << i + 2;
  }
}

TEST_F(ThemeFileFixture, StylesWrittenUnderTheirOwnNamesAndOldNamesStillLoad) {
  const struct {
    const wchar_t* Line1;
    bool Sets;
    S Style;
  } cases[] = {
      {L"bsWindows10", true, S::bsWindows10},       {L"bsOffice2007Silver", true, S::bsOffice2007Silver},
      {L"bsWindows8", true, S::bsWindows8},         {L"BSWHIDBEY", true, S::bsWhidbeyStyle},
      {L"bsOffice2003Blue", true, S::bsOffice2003Blue}, {L"bsWhidbeyStyle", false, S::bsCustom},
      {L"nonsense", false, S::bsCustom},            {L"", false, S::bsCustom},
  };
  Styler->SaveToFile(File);
  std::vector<String> lines = Lines(AnsiToWide(ReadBytes(File)));
  for (const auto& c : cases) {
    lines[0] = c.Line1;
    Other->SetStyle(S::bsTerminal);
    Other->SetStyle(S::bsCustom);
    EXPECT_EQ(Load(Join(lines)), 0);
    EXPECT_EQ(Other->Style(), c.Sets ? c.Style : S::bsCustom) << WideToAnsi(c.Line1);
  }
  Styler->SetStyle(S::bsWindows10);
  EXPECT_EQ(Lines(EncodeThemeFile(Styler))[0], L"bsWindows10");
  Styler->SetStyle(S::bsWhidbeyStyle);
  EXPECT_EQ(Lines(EncodeThemeFile(Styler))[0], L"bsWhidbey");
}

TEST_F(ThemeFileFixture, ValuesDecodeByTheirKindAndUnknownNamesKeepTheProperty) {
  Styler->SetStyle(S::bsOffice2003Blue);
  std::vector<String> base = Lines(EncodeThemeFile(Styler));
  base[0] = L"no style";  // the body alone decides
  const struct {
    int Line;
    const wchar_t* Text;
    std::function<bool(TAdvToolBarOfficeStyler*)> Check;
  } cases[] = {
      {3, L"ButtonAppearance.Color=clBtnFace", [](auto* s) { return s->ButtonAppearance()->Color() == clBtnFace; }},
      {3, L"ButtonAppearance.Color=clbtnface", [](auto* s) { return s->ButtonAppearance()->Color() == clBtnFace; }},
      {3, L"ButtonAppearance.Color=$00D2BDB6", [](auto* s) { return s->ButtonAppearance()->Color() == 0xD2BDB6; }},
      {3, L"ButtonAppearance.Color=13811126", [](auto* s) { return s->ButtonAppearance()->Color() == 0xD2BDB6; }},
      {3, L"  ButtonAppearance.Color=1 , other", [](auto* s) { return s->ButtonAppearance()->Color() == 1; }},
      {29, L"Color.Direction=GDHORIZONTAL",
       [](auto* s) { return s->Color()->Direction() == AdvToolBar::TGradientDirection::gdHorizontal; }},
      {29, L"Color.Direction=sideways",
       [](auto* s) { return s->Color()->Direction() == AdvToolBar::TGradientDirection::gdVertical; }},
      {29, L"", [](auto* s) { return s->Color()->Direction() == AdvToolBar::TGradientDirection::gdVertical; }},
      {100, L"GlowButtonAppearance.Gradient=ggNothing",
       [](auto* s) { return s->GlowButtonAppearance()->Gradient() == TGDIPGradient::ggRadial; }},
      {100, L"GlowButtonAppearance.Gradient=GGDIAGONALFORWARD",
       [](auto* s) { return s->GlowButtonAppearance()->Gradient() == TGDIPGradient::ggDiagonalForward; }},
      {43, L"DragGripStyle=dsWavy", [](auto* s) { return s->DragGripStyle() == TDragGripStyle::dsNone; }},
      {74, L"ContainerAppearance.Line3D=true", [](auto* s) { return s->ContainerAppearance()->Line3D(); }},
      {74, L"ContainerAppearance.Line3D=yes", [](auto* s) { return !s->ContainerAppearance()->Line3D(); }},
      {24, L"anything=fsItalic,fsWide,FSSTRIKEOUT",
       [](auto* s) {
         return s->ButtonAppearance()->CaptionFont()->Style() ==
                TFontStyles{TFontStyle::fsItalic, TFontStyle::fsStrikeOut};
       }},
      {26, L"", [](auto* s) { return s->ButtonAppearance()->CaptionFont()->Name() == L"Courier New"; }},
      {26, L"ButtonAppearance.CaptionFont.Name=Segoe UI",
       [](auto* s) { return s->ButtonAppearance()->CaptionFont()->Name() == L"Segoe"; }},
      {304, L"", [](auto* s) { return s->FormBorderColor() == clBlack; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(WideToAnsi(c.Text));
    Other->SetStyle(S::bsOffice2007Luna);
    Other->GlowButtonAppearance()->SetGradient(TGDIPGradient::ggRadial);
    Other->SetDragGripStyle(TDragGripStyle::dsNone);
    Other->ContainerAppearance()->SetLine3D(true);
    Other->ButtonAppearance()->SetSystemFont(false);
    Other->ButtonAppearance()->CaptionFont()->SetName(L"Courier New");
    std::vector<String> lines = base;
    lines[static_cast<size_t>(c.Line - 1)] = c.Text;
    EXPECT_EQ(Load(Join(lines)), 0);
    EXPECT_TRUE(c.Check(Other));
  }
  // A file of 303 lines loads, with a black form border.
  std::vector<String> short303(base.begin(), base.end() - 1);
  Other->SetFormBorderColor(0x123456);
  EXPECT_EQ(Load(Join(short303)), 0);
  EXPECT_EQ(Other->FormBorderColor(), clBlack);
}

TEST_F(ThemeFileFixture, ACorruptFileChangesNothingAndNamesItsLine) {
  Styler->SetStyle(S::bsOffice2010Black);
  const std::vector<String> good = Lines(EncodeThemeFile(Styler));
  auto with = [&](int Line, const wchar_t* Text) {
    std::vector<String> l = good;
    l[static_cast<size_t>(Line - 1)] = Text;
    return Join(l);
  };
  const struct {
    const char* Name;
    String Text;
    int Line;
  } cases[] = {
      {"empty", L"", 3},
      {"style only", L"bsOffice2003Blue\r\nAutoThemeAdapt=True\r\n", 3},
      {"cut after line 150", Join(std::vector<String>(good.begin(), good.begin() + 150)), 151},
      {"colour that is no colour", with(5, L"ButtonAppearance.ColorChecked=blueish"), 5},
      {"another key", with(6, L"ButtonAppearance.ColorDown=$00FFFFFF"), 6},
      {"size that is no number", with(25, L"ButtonAppearance.CaptionFont.Size=big"), 25},
      {"huge steps", with(30, L"Color.Steps=2000000000"), 30},
      {"negative steps", with(38, L"DockColor.Steps=-1"), 38},
      {"steps past the limit", with(303, L"QATAppearance.Steps=1025"), 303},
      {"huge border width", with(51, L"FloatingWindowBorderWidth=100000"), 51},
      {"huge font", with(72, L"CaptionFont.Size=50000"), 72},
      {"bad last line", with(304, L"FormBorderColor=none"), 304},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Other->SetStyle(S::bsOffice2003Olive);
    Other->SetAutoThemeAdapt(false);
    const String before = EncodeThemeFile(Other);
    EXPECT_EQ(Load(c.Text), c.Line);
    EXPECT_EQ(EncodeThemeFile(Other), before);
    EXPECT_EQ(Other->Style(), S::bsOffice2003Olive);
  }
  // At the limit the file loads.
  EXPECT_EQ(Load(with(303, L"QATAppearance.Steps=1024")), 0);
  EXPECT_EQ(Other->QATAppearance()->Steps(), 1024);
  // A file too large to be a theme is refused before it is read.
  WriteBytes(File, AnsiString(static_cast<size_t>(MaxThemeFileSize) + 1, 'x'));
  EXPECT_THROW(Other->LoadFromFile(File), ECorruptThemeFile);
}

TEST_F(ThemeFileFixture, FilesThatCannotBeOpenedOrMadeSayWhich) {
  const String missing = TempPath(L"vantrel_no_such_dir\\theme.txt");
  try {
    Other->LoadFromFile(missing);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Cannot open file " + missing);
  }
  try {
    Styler->SaveToFile(missing);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Cannot Create " + missing);
  }
}

TEST_F(ThemeFileFixture, LoadingRunsTheSettersSoControlsHearTheChanges) {
  auto* bar = new TFakeToolBar(Owner);
  bar->SetName(L"Bar");
  Other->AddControl(bar);
  Styler->SetStyle(S::bsOffice2007Luna);
  Styler->SaveToFile(File);
  Other->SetStyle(S::bsOffice2003Blue);
  StylerLog.clear();
  Other->LoadFromFile(File);
  EXPECT_GT(StylerLog.size(), 1u);
  EXPECT_NE(std::find(StylerLog.begin(), StylerLog.end(), "Bar:10"), StylerLog.end());
}
