#include <gtest/gtest.h>

#include "app/OvFormSR.h"
#include "base/Registry.h"
#include "tests/support/Gui.h"
#include "tests/support/Settings.h"

namespace {

// A window with its store, built the way the application builds its windows.
class TStoreForm : public TForm {
  VANTREL_CLASS(TStoreForm)
 public:
  TOvFormSR* Store;
  int Shows = 0;
  explicit TStoreForm(const String& name, bool useRegistry = true) : TForm(nullptr) {
    BeginLoading();
    SetName(name);
    SetBorderStyle(TFormBorderStyle::bsSizeable);
    SetBounds(0, 0, 300, 200);
    Store = new TOvFormSR(this);
    Store->SetName(L"OvFormSR1");
    Store->SetUseRegistry(useRegistry);
    OnShow = [this](TObject*) { ++Shows; };
    EndLoading();
  }
};

// Stores the given values under the probe window's key, as a former run did.
void StoreWindowValues(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> values) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(L"\\" + ProgramSettingsKey() + L"\\frmProbe", true));
  for (auto& v : values) reg.WriteString(v.first, v.second);
}

struct SettingsStore : ::testing::Test {
  void SetUp() override { DeleteProgramSettings(); }
  void TearDown() override { DeleteProgramSettings(); }
};

TEST_F(SettingsStore, KeysAreNamedAfterTheExecutableAndTheWindow) {
  auto* f = new TStoreForm(L"frmProbe");
  EXPECT_EQ(f->Store->MainAppRegKey(), L"\\" + ProgramSettingsKey());
  EXPECT_EQ(f->Store->AppRegKey(), L"\\" + ProgramSettingsKey() + L"\\frmProbe");
  // The store asks its window to open where the system places it.
  EXPECT_EQ(f->Position(), TPosition::poDefaultPosOnly);
  f->Free();
}

TEST_F(SettingsStore, ReadsGiveTheDefaultWhenTheKeyOrValueIsMissingOrOfAnotherType) {
  auto* f = new TStoreForm(L"frmProbe");
  TOvFormSR* s = f->Store;
  // No key at all: first run.
  EXPECT_EQ(s->ReadRegINI(L"pat1_title", L"Pattern1"), L"Pattern1");
  EXPECT_TRUE(s->ReadRegINI(L"accept_inc_mess", true));
  EXPECT_EQ(s->ReadRegINI(L"inbox_split", 120), 120);

  ASSERT_TRUE(s->SaveRegINI(L"some_text", L"hello"));
  ASSERT_TRUE(s->SaveRegINI(L"some_flag", true));
  ASSERT_TRUE(s->SaveRegINI(L"some_number", 42));
  // Key present, value missing.
  EXPECT_EQ(s->ReadRegINI(L"other", L"dflt"), L"dflt");
  EXPECT_FALSE(s->ReadRegINI(L"other_flag", false));
  EXPECT_EQ(s->ReadRegINI(L"other_number", 7), 7);
  // Wrong types: a flag read as text, text read as a flag, text that is no
  // number read as a number.
  EXPECT_EQ(s->ReadRegINI(L"some_flag", L"dflt"), L"dflt");
  EXPECT_TRUE(s->ReadRegINI(L"some_text", true));
  EXPECT_FALSE(s->ReadRegINI(L"some_text", false));
  EXPECT_EQ(s->ReadRegINI(L"some_text", 5), 5);
  // Empty keys: default on read, failure on write.
  EXPECT_EQ(s->ReadRegINI(L"", L"x"), L"x");
  EXPECT_FALSE(s->SaveRegINI(L"", 1));
  f->Free();
}

TEST_F(SettingsStore, ValuesRoundTripInTheirStoredForms) {
  auto* f = new TStoreForm(L"frmProbe");
  TOvFormSR* s = f->Store;
  ASSERT_TRUE(s->SaveRegINI(L"pat1_text", L"Zażółć gęślą jaźń"));
  ASSERT_TRUE(s->SaveRegINI(L"allways_on_top", true));
  ASSERT_TRUE(s->SaveRegINI(L"inbox_split", 155));
  EXPECT_EQ(s->ReadRegINI(L"pat1_text", L""), L"Zażółć gęślą jaźń");
  EXPECT_TRUE(s->ReadRegINI(L"allways_on_top", false));
  EXPECT_EQ(s->ReadRegINI(L"inbox_split", 120), 155);
  // Integers are decimal text; flags are 32-bit numbers.
  EXPECT_EQ(ReadProgramSetting(L"", L"inbox_split"), L"155");
  TRegistry reg(KEY_READ);
  ASSERT_TRUE(reg.OpenKeyReadOnly(L"\\" + ProgramSettingsKey()));
  EXPECT_EQ(reg.GetDataType(L"allways_on_top"), TRegDataType::rdInteger);
  EXPECT_EQ(reg.ReadInteger(L"allways_on_top"), 1);
  f->Free();
}

TEST_F(SettingsStore, FirstShowCentresTheWindowAndLaterShowsRestoreTheSavedPlace) {
  auto* f = new TStoreForm(L"frmProbe");
  f->Show();
  EXPECT_EQ(f->Shows, 1);  // the window's own show handler still runs
  EXPECT_EQ(f->Left(), (Screen->Width() - 300) / 2);
  EXPECT_EQ(f->Top(), (Screen->Height() - 200) / 2);
  f->SetBounds(40, 50, 360, 250);
  f->Store->SavePos();
  EXPECT_EQ(ReadProgramSetting(L"\\frmProbe", L"Left"), L"40");
  EXPECT_EQ(ReadProgramSetting(L"\\frmProbe", L"Height"), L"250");
  EXPECT_EQ(ReadProgramSetting(L"\\frmProbe", L"maximized"), L"0");
  f->Free();

  auto* g = new TStoreForm(L"frmProbe");
  g->Show();
  EXPECT_EQ(g->BoundsRect(), Bounds(40, 50, 360, 250));
  g->Free();
}

TEST_F(SettingsStore, AValueThatIsNoNumberKeepsTheCurrentSize) {
  StoreWindowValues({{L"Width", L"wide"}, {L"Height", L"222"}, {L"Left", L"10"}, {L"Top", L"x"}});
  auto* f = new TStoreForm(L"frmProbe");
  f->Show();
  EXPECT_EQ(f->Width(), 300);
  EXPECT_EQ(f->Height(), 222);
  EXPECT_EQ(f->Left(), 10);
  EXPECT_EQ(f->Top(), (Screen->Height() - 222) / 2);
  f->Free();
}

TEST_F(SettingsStore, RestoreOnlyPositionKeepsTheDesignSize) {
  StoreWindowValues({{L"Width", L"500"}, {L"Height", L"400"}, {L"Left", L"20"}, {L"Top", L"30"}});
  auto* f = new TStoreForm(L"frmProbe");
  f->Store->SetRestoreOnlyPosition(true);
  f->Show();
  EXPECT_EQ(f->BoundsRect(), Bounds(20, 30, 300, 200));
  f->Free();
}

TEST_F(SettingsStore, AWindowNeverShownSavesNothingEvenWhenDestroyed) {
  auto* f = new TStoreForm(L"frmProbe");
  f->Store->SavePos();
  f->Free();
  EXPECT_EQ(ReadProgramSetting(L"\\frmProbe", L"Left"), L"<absent>");
}

TEST_F(SettingsStore, DestroyingAShownWindowSavesItsPosition) {
  auto* f = new TStoreForm(L"frmProbe");
  f->Show();
  f->SetBounds(61, 62, 301, 202);
  f->Free();
  EXPECT_EQ(ReadProgramSetting(L"\\frmProbe", L"Left"), L"61");
  EXPECT_EQ(ReadProgramSetting(L"\\frmProbe", L"Width"), L"301");
}

TEST_F(SettingsStore, AMinimizedWindowSavesItsNormalPlaceNotItsIcon) {
  auto* f = new TStoreForm(L"frmProbe");
  f->Show();
  f->SetBounds(70, 80, 320, 210);
  ShowWindow(f->Handle(), SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(f->Handle()));
  f->Store->SavePos();
  EXPECT_EQ(ReadProgramSetting(L"\\frmProbe", L"maximized"), L"1");
  EXPECT_EQ(ReadProgramSetting(L"\\frmProbe", L"Left"), L"70");
  EXPECT_EQ(ReadProgramSetting(L"\\frmProbe", L"Top"), L"80");
  EXPECT_EQ(ReadProgramSetting(L"\\frmProbe", L"Width"), L"320");
  EXPECT_EQ(ReadProgramSetting(L"\\frmProbe", L"Height"), L"210");
  f->Free();

  // So it comes back where it was, in the normal state.
  auto* g = new TStoreForm(L"frmProbe");
  g->Show();
  EXPECT_FALSE(IsIconic(g->Handle()));
  EXPECT_EQ(g->BoundsRect(), Bounds(70, 80, 320, 210));
  g->Free();
}

TEST_F(SettingsStore, AMaximizedWindowIsRestoredMaximized) {
  auto* f = new TStoreForm(L"frmProbe");
  f->Show();
  f->SetBounds(30, 40, 310, 220);
  f->SetWindowState(TWindowState::wsMaximized);
  f->Free();
  EXPECT_EQ(ReadProgramSetting(L"\\frmProbe", L"maximized"), L"2");
  EXPECT_EQ(ReadProgramSetting(L"\\frmProbe", L"Width"), L"310");

  auto* g = new TStoreForm(L"frmProbe");
  g->Show();
  EXPECT_EQ(g->WindowState(), TWindowState::wsMaximized);
  EXPECT_TRUE(IsZoomed(g->Handle()));
  g->Free();
}

TEST_F(SettingsStore, IniModeKeepsPositionsInTheIniFile) {
  auto* f = new TStoreForm(L"frmIni", false);
  String ini = ChangeFileExt(GetModuleName(nullptr), L".ini");
  EXPECT_EQ(f->Store->IniFileName(), ini);
  DeleteFileW(ini.c_str());
  f->Show();
  f->SetBounds(11, 12, 313, 214);
  f->Store->SavePos();
  f->Free();
  EXPECT_EQ(GetPrivateProfileIntW(L"frmIni", L"Left", -1, ini.c_str()), 11);
  EXPECT_EQ(GetPrivateProfileIntW(L"frmIni", L"Height", -1, ini.c_str()), 214);
  auto* g = new TStoreForm(L"frmIni", false);
  g->Show();
  EXPECT_EQ(g->BoundsRect(), Bounds(11, 12, 313, 214));
  g->Free();
  DeleteFileW(ini.c_str());
}

TEST_F(SettingsStore, ACustomIniNameSwitchesTheTypeAndTheWindowKey) {
  auto* f = new TStoreForm(L"frmProbe");
  EXPECT_EQ(f->Store->TypeIniName(), TApplicationIniName::asAppIniName);
  f->Store->SetIniFileName(L"c:\\other.ini");
  EXPECT_EQ(f->Store->TypeIniName(), TApplicationIniName::asCustom);
  EXPECT_EQ(f->Store->IniFileName(), L"c:\\other.ini");
  f->Store->SetTypeIniName(TApplicationIniName::asAppIniName);
  EXPECT_EQ(f->Store->IniFileName(), ChangeFileExt(GetModuleName(nullptr), L".ini"));
  f->Free();
}

TEST_F(SettingsStore, FreeingTheStoreGivesTheWindowItsHandlersBack) {
  auto* f = new TStoreForm(L"frmProbe");
  f->Store->Free();
  f->Show();
  EXPECT_EQ(f->Shows, 1);
  // Without the store the window opens where it was placed.
  EXPECT_EQ(ReadProgramSetting(L"\\frmProbe", L"Left"), L"<absent>");
  f->Free();
  EXPECT_EQ(ReadProgramSetting(L"\\frmProbe", L"Left"), L"<absent>");
}

TEST_F(SettingsStore, AdministratorCheckAgreesWithTheSystem) {
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID admins = nullptr;
  ASSERT_TRUE(AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                       0, &admins));
  BOOL member = FALSE;
  ASSERT_TRUE(CheckTokenMembership(nullptr, admins, &member));
  FreeSid(admins);
  EXPECT_EQ(TOvFormSR::IsWindowsAdmin(), member != FALSE);
}

TEST(AdministratorCheck, CountsTheAdministratorsGroupOnlyWhenEnabled) {
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID admins = nullptr, users = nullptr;
  ASSERT_TRUE(AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                       0, &admins));
  ASSERT_TRUE(AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS, 0, 0, 0, 0, 0,
                                       0, &users));
  const DWORD enabled = SE_GROUP_ENABLED | SE_GROUP_ENABLED_BY_DEFAULT | SE_GROUP_MANDATORY;
  struct Case {
    const char* Name;
    std::vector<SID_AND_ATTRIBUTES> Groups;
    bool Admin;
  };
  const Case cases[] = {
      {"elevated token", {{users, enabled}, {admins, enabled | SE_GROUP_OWNER}}, true},
      {"filtered token: deny only", {{users, enabled}, {admins, SE_GROUP_USE_FOR_DENY_ONLY}}, false},
      {"deny only wins over enabled", {{admins, SE_GROUP_ENABLED | SE_GROUP_USE_FOR_DENY_ONLY}}, false},
      {"present but disabled", {{admins, SE_GROUP_MANDATORY}}, false},
      {"no Administrators group", {{users, enabled}}, false},
      {"no groups", {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    std::vector<BYTE> buffer(sizeof(TOKEN_GROUPS) + c.Groups.size() * sizeof(SID_AND_ATTRIBUTES));
    auto* groups = reinterpret_cast<TOKEN_GROUPS*>(buffer.data());
    groups->GroupCount = static_cast<DWORD>(c.Groups.size());
    for (size_t i = 0; i < c.Groups.size(); ++i) groups->Groups[i] = c.Groups[i];
    EXPECT_EQ(TOvFormSR::HoldsEnabledAdministrators(*groups), c.Admin);
  }
  FreeSid(admins);
  FreeSid(users);
}

}  // namespace
