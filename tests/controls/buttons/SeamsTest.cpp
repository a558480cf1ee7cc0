#include <gtest/gtest.h>

#include "base/Dialogs.h"
#include "base/Forms.h"
#include "base/Lists.h"
#include "base/Shell.h"

namespace {

TEST(ShellSeam, RecordsWhatWouldBeOpened) {
  String verb, file;
  int show = -1;
  SetShellExecuteHook([&](HWND, const String& v, const String& f, const String&, const String&, int s) {
    verb = v;
    file = f;
    show = s;
    return INT_PTR(42);
  });
  EXPECT_EQ(AppShellExecute(nullptr, L"open", L"https://example.org/"), 42);
  SetShellExecuteHook(nullptr);
  EXPECT_EQ(verb, L"open");
  EXPECT_EQ(file, L"https://example.org/");
  EXPECT_EQ(show, SW_SHOWNORMAL);
}

TEST(MessageDialogs, ButtonsAndTypeBecomeTheBoxAndItsAnswerTheResult) {
  struct Case {
    TMsgDlgButtons Buttons;
    TMsgDlgType Type;
    UINT Flags;
  } cases[] = {
      {{TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel}, TMsgDlgType::mtConfirmation, MB_OKCANCEL | MB_ICONQUESTION},
      {{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, TMsgDlgType::mtWarning, MB_YESNO | MB_ICONWARNING},
      {{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}, TMsgDlgType::mtError, MB_YESNOCANCEL | MB_ICONERROR},
      {{TMsgDlgBtn::mbOK}, TMsgDlgType::mtInformation, MB_OK | MB_ICONINFORMATION},
  };
  for (const Case& c : cases) {
    UINT flags = 0;
    String text;
    SetMessageBoxHook([&](const String& t, const String&, UINT f) {
      text = t;
      flags = f;
      return IDNO;
    });
    EXPECT_EQ(MessageDlgPos(L"Delete record?", c.Type, c.Buttons, 0, -1, -1), mrNo);
    EXPECT_EQ(text, L"Delete record?");
    EXPECT_EQ(flags, c.Flags);
  }
  SetMessageBoxHook(nullptr);
}

TEST(Screen, FontsListTheInstalledFamiliesSorted) {
  TStrings* fonts = Screen->Fonts();
  ASSERT_GT(fonts->Count(), 1);
  EXPECT_GE(fonts->IndexOf(L"Tahoma"), 0);
  EXPECT_LT(fonts->IndexOf(L"No Such Font Family"), 0);
  for (int i = 1; i < fonts->Count(); ++i)
    EXPECT_LE(AnsiCompareText(fonts->Strings(i - 1), fonts->Strings(i)), 0);
  EXPECT_EQ(fonts, Screen->Fonts());  // read once
}

TEST(Screen, CursorsAreTheSystemsUnlessRegistered) {
  EXPECT_EQ(Screen->Cursors(crHandPoint), LoadCursorW(nullptr, IDC_HAND));
  EXPECT_EQ(Screen->Cursors(crDefault), LoadCursorW(nullptr, IDC_ARROW));
  HCURSOR mine = LoadCursorW(nullptr, IDC_CROSS);
  Screen->SetCursors(8019, mine);
  EXPECT_EQ(Screen->Cursors(8019), mine);
}

}  // namespace
