#include <gtest/gtest.h>

#include <fstream>

#include "base/IniFiles.h"

namespace {

// Runs each test in a fresh folder of its own as the current folder.
class IniFileTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    dir_ = IncludeTrailingPathDelimiter(temp) + L"vantrel_ini_" + IntToStr(GetCurrentProcessId());
    CreateDirectoryW(dir_.c_str(), nullptr);
    saved_ = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(dir_));
  }
  void TearDown() override {
    SetCurrentDir(saved_);
    for (const wchar_t* f : {L"\\t.ini", L"\\raw.ini"}) DeleteFileW((dir_ + f).c_str());
    RemoveDirectoryW(dir_.c_str());
  }
  String dir_, saved_;
};

TEST_F(IniFileTest, BareNameGoesToTheCurrentFolder) {
  TIniFile ini(L"t.ini");
  EXPECT_EQ(ini.FileName(), dir_ + L"\\t.ini");
  ini.WriteString(L"Main", L"Name", L"first value");
  ini.UpdateFile();
  EXPECT_TRUE(FileExists(dir_ + L"\\t.ini"));
  wchar_t windir[MAX_PATH];
  GetWindowsDirectoryW(windir, MAX_PATH);
  EXPECT_FALSE(FileExists(String(windir) + L"\\t.ini"));
  EXPECT_EQ(TIniFile(dir_ + L"\\t.ini").ReadString(L"Main", L"Name", L""), L"first value");
}

TEST_F(IniFileTest, ValuesRoundTripAndMissingOnesReadAsDefaults) {
  TIniFile ini(L"t.ini");
  ini.WriteString(L"S", L"Text", L"a = b");
  ini.WriteInteger(L"S", L"Int", -42);
  ini.WriteBool(L"S", L"On", true);
  ini.WriteBool(L"S", L"Off", false);
  EXPECT_EQ(ini.ReadString(L"S", L"Text", L"x"), L"a = b");
  EXPECT_EQ(ini.ReadInteger(L"S", L"Int", 0), -42);
  EXPECT_TRUE(ini.ReadBool(L"S", L"On", false));
  EXPECT_FALSE(ini.ReadBool(L"S", L"Off", true));
  EXPECT_EQ(ini.ReadString(L"S", L"On", L""), L"1");
  EXPECT_EQ(ini.ReadString(L"S", L"Off", L""), L"0");

  EXPECT_EQ(ini.ReadString(L"S", L"None", L"dflt"), L"dflt");
  EXPECT_EQ(ini.ReadString(L"Other", L"Text", L"dflt"), L"dflt");
  EXPECT_EQ(ini.ReadInteger(L"S", L"None", 17), 17);
  EXPECT_TRUE(ini.ReadBool(L"S", L"None", true));
  EXPECT_FALSE(ini.ReadBool(L"S", L"None", false));
}

TEST_F(IniFileTest, IntegerReadsOfTextFallBackToTheDefault) {
  {
    std::ofstream f(WideToAnsi(dir_ + L"\\raw.ini"), std::ios::binary);
    f << "[N]\r\ndec=120\r\nneg=-7\r\ndollar=$1F\r\nhex=0x1F\r\nword=abc\r\nmixed=12px\r\nreal=1.5\r\n"
         "empty=\r\nhuge=99999999999\r\n";
  }
  TIniFile ini(L"raw.ini");
  struct {
    const wchar_t* ident;
    int expected;
  } cases[] = {{L"dec", 120}, {L"neg", -7}, {L"dollar", 31}, {L"hex", 31}, {L"word", 99},
               {L"mixed", 99}, {L"real", 99}, {L"empty", 99}, {L"huge", 99}, {L"absent", 99}};
  for (auto& c : cases) EXPECT_EQ(ini.ReadInteger(L"N", c.ident, 99), c.expected) << WideToAnsi(c.ident);
  EXPECT_TRUE(ini.ReadBool(L"N", L"word", true));
  EXPECT_FALSE(ini.ReadBool(L"N", L"word", false));
}

TEST_F(IniFileTest, SectionsAndKeysCanBeTestedAndRemoved) {
  TIniFile ini(L"t.ini");
  ini.WriteString(L"A", L"One", L"1");
  ini.WriteString(L"A", L"Two", L"2");
  ini.WriteString(L"B", L"Three", L"3");
  EXPECT_TRUE(ini.SectionExists(L"A"));
  EXPECT_TRUE(ini.SectionExists(L"b"));
  EXPECT_FALSE(ini.SectionExists(L"C"));
  EXPECT_TRUE(ini.ValueExists(L"A", L"two"));
  EXPECT_FALSE(ini.ValueExists(L"A", L"Three"));
  EXPECT_FALSE(ini.ValueExists(L"A", L"Tw"));

  ini.DeleteKey(L"A", L"One");
  EXPECT_FALSE(ini.ValueExists(L"A", L"One"));
  EXPECT_EQ(ini.ReadString(L"A", L"Two", L""), L"2");
  ini.EraseSection(L"A");
  EXPECT_FALSE(ini.SectionExists(L"A"));
  EXPECT_EQ(ini.ReadString(L"A", L"Two", L"gone"), L"gone");
  EXPECT_EQ(ini.ReadString(L"B", L"Three", L""), L"3");
}

TEST_F(IniFileTest, FailingWritesNameTheFile) {
  TIniFile ini(L"no_such_folder\\t.ini");
  EXPECT_EQ(ini.FileName(), dir_ + L"\\no_such_folder\\t.ini");
  for (int i = 0; i < 4; ++i) {
    try {
      switch (i) {
        case 0: ini.WriteString(L"S", L"K", L"v"); break;
        case 1: ini.WriteInteger(L"S", L"K", 1); break;
        case 2: ini.WriteBool(L"S", L"K", true); break;
        case 3: ini.EraseSection(L"S"); break;
      }
      ADD_FAILURE() << "no exception from write " << i;
    } catch (const EIniFileException& e) {
      EXPECT_NE(e.Message().find(ini.FileName()), String::npos) << e.what();
    }
  }
  EXPECT_FALSE(DirectoryExists(dir_ + L"\\no_such_folder"));
}

}  // namespace
