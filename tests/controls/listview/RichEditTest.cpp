#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "base/RichEdit.h"
#include "base/Streams.h"
#include "tests/support/Gui.h"

namespace {

struct RichFixture : ::testing::Test {
  TForm* Form = nullptr;
  TRichEdit* Edit = nullptr;
  int Changes = 0;
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(60, 60, 300, 200);
    Edit = new TRichEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(0, 0, 280, 160);
    Edit->OnChange = [this](TObject*) { ++Changes; };
    Form->Show();
  }
  void TearDown() override { Form->Free(); }
};

using RichEdit = RichFixture;

TEST_F(RichEdit, TextAndLinesUseCrLf) {
  Edit->SetText(L"one\r\ntwo\r\nthree");
  EXPECT_EQ(Edit->Text(), L"one\r\ntwo\r\nthree");
  ASSERT_EQ(Edit->Lines()->Count(), 3);
  EXPECT_EQ(Edit->Lines()->Strings(1), L"two");
  Edit->Lines()->SetStrings(1, L"TWO");
  Edit->Lines()->Insert(0, L"zero");
  Edit->Lines()->Delete(3);
  EXPECT_EQ(Edit->Text(), L"zero\r\none\r\nTWO");
  EXPECT_EQ(Edit->Lines()->Text(), L"zero\r\none\r\nTWO\r\n");
}

TEST_F(RichEdit, AssignedTextAndClearReportOnceEach) {
  Edit->SetText(L"abc");
  EXPECT_EQ(Changes, 1);
  Edit->SetText(L"abc");  // the same text is no change
  EXPECT_EQ(Changes, 1);
  Edit->Clear();
  EXPECT_EQ(Changes, 2);
  EXPECT_EQ(Edit->Text(), L"");
  Edit->Clear();  // clearing an empty field still reports
  EXPECT_EQ(Changes, 3);
  // Typing is reported by the control itself.
  SendMessageW(Edit->Handle(), WM_CHAR, L'x', 0);
  EXPECT_EQ(Changes, 4);
  EXPECT_EQ(Edit->Text(), L"x");
}

TEST_F(RichEdit, RtfStreamsCarryTextAndColourToAnotherControl) {
  Edit->SetText(L"red word\r\nplain caf\x00E9");
  Edit->SetSelStart(0);
  Edit->SetSelLength(3);
  EXPECT_EQ(Edit->SelLength(), 3);
  Edit->SelAttributes()->SetColor(clRed);
  TStringStream rtf;
  Edit->Lines()->SaveToStream(&rtf);
  ASSERT_EQ(rtf.DataString().compare(0, 5, "{\\rtf"), 0);

  auto* other = new TRichEdit(Form);
  other->SetParent(Form);
  rtf.SetPosition(0);
  other->Lines()->LoadFromStream(&rtf);
  EXPECT_EQ(other->Text(), Edit->Text());
  other->SetSelStart(1);
  other->SetSelLength(1);
  EXPECT_EQ(other->SelAttributes()->Color(), clRed);
  other->SetSelStart(5);
  other->SetSelLength(1);
  EXPECT_NE(other->SelAttributes()->Color(), clRed);

  // Characters outside the code page travel as RTF escapes.
  TStringStream escaped("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Tahoma;}}\\uc1 a\\u261?\\u380?b}");
  other->Lines()->LoadFromStream(&escaped);
  EXPECT_EQ(other->Text(), L"a\x0105\x017C" L"b");

  // In plain-text mode the same stream calls load the characters as text.
  other->SetPlainText(true);
  TStringStream plain(WideToAnsi(L"first\r\nsecond\r\n"));
  other->Lines()->LoadFromStream(&plain);
  EXPECT_EQ(other->Text(), L"first\r\nsecond");
}

TEST_F(RichEdit, ANewWindowKeepsTheFormattedText) {
  Edit->SetText(L"keep me");
  Edit->SetSelStart(0);
  Edit->SetSelLength(4);
  Edit->SelAttributes()->SetColor(clBlue);
  HWND before = Edit->Handle();
  int changes = Changes;
  Edit->SetScrollBars(TScrollStyle::ssVertical);
  EXPECT_NE(Edit->Handle(), before);
  EXPECT_EQ(Edit->Text(), L"keep me");
  EXPECT_EQ(Changes, changes);
  Edit->SetSelStart(1);
  Edit->SetSelLength(1);
  EXPECT_EQ(Edit->SelAttributes()->Color(), clBlue);
}

TEST_F(RichEdit, MaxLengthLimitsTypingOnly) {
  Edit->SetMaxLength(3);
  for (wchar_t c : String(L"abcdef")) SendMessageW(Edit->Handle(), WM_CHAR, c, 0);
  EXPECT_EQ(Edit->Text(), L"abc");
  Edit->SetMaxLength(0);
  String big(70000, L'x');
  Edit->SetText(big);
  SendMessageW(Edit->Handle(), WM_CHAR, L'y', 0);
  EXPECT_EQ(Edit->Text().size(), 70001u);
}

TEST_F(RichEdit, BackgroundColourPaints) {
  Edit->SetColor(TColor(0x00C0FFFF));
  auto* bmp = new TBitmap(Edit->ClientWidth(), Edit->ClientHeight());
  SendMessageW(Edit->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bmp->Canvas()->Handle()), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  EXPECT_EQ(PixelAt(bmp, bmp->Width() - 10, bmp->Height() - 10), TColor(0x00C0FFFF));
  bmp->Free();
}

String TempFile(const wchar_t* Name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return String(dir) + Name;
}

std::string FileBytes(const String& Name) {
  TMemoryStream m;
  m.LoadFromFile(Name);
  return std::string(static_cast<const char*>(m.Memory()), static_cast<size_t>(m.Size()));
}

TEST(StringFiles, EncodingsWriteTheirMarksAndLoadBack) {
  struct Case {
    TTextEncoding Encoding;
    std::string Start;
  } cases[] = {{TTextEncoding::teUTF16LE, "\xFF\xFE"}, {TTextEncoding::teUTF8, "\xEF\xBB\xBF"}};
  String file = TempFile(L"vantrel_strings.txt");
  for (const Case& c : cases) {
    TStringList list;
    list.Add(L"Za\x017C\x00F3\x0142\x0107");
    list.Add(L"\x0416\x0438\x0437\x043D\x044C");
    list.SaveToFile(file, c.Encoding);
    EXPECT_EQ(FileBytes(file).compare(0, c.Start.size(), c.Start), 0);
    TStringList back;
    back.LoadFromFile(file);
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.Strings(0), list.Strings(0));
    EXPECT_EQ(back.Strings(1), list.Strings(1));
  }
  // Without a mark the bytes are the ANSI code page, lines end with CR LF.
  TStringList ansi;
  ansi.Add(L"caf\x00E9");
  ansi.Add(L"x");
  ansi.SaveToFile(file);
  EXPECT_EQ(FileBytes(file), WideToAnsi(L"caf\x00E9") + "\r\nx\r\n");
  TStringList back;
  back.LoadFromFile(file);
  EXPECT_EQ(back.Strings(0), L"caf\x00E9");
  DeleteFileW(file.c_str());
  EXPECT_THROW(back.LoadFromFile(file), EFOpenError);
}

}  // namespace
