// The iconv binding against the stand-in library of tests/charsets/iconv_stub.c,
// found in the folder "iconvstub" beside this program once the tests add that
// folder with AddDllDirectory.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "net/charsets.h"
#include "net/iconvbind.h"
#include "tests/charsets/CharsetsTestUtil.h"

using M = TMimeChar;

namespace {

std::wstring StubFolder() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  return folder.substr(0, folder.find_last_of(L'\\')) + L"\\iconvstub";
}

class IconvBindTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(IconvLoaded());
    cookie_ = AddDllDirectory(StubFolder().c_str());
    ASSERT_NE(cookie_, nullptr);
    ASSERT_TRUE(LoadIconvLibrary());
    HMODULE stub = GetModuleHandleW(L"iconv.dll");
    ASSERT_NE(stub, nullptr);
    log_ = reinterpret_cast<const char* (*)()>(reinterpret_cast<void*>(GetProcAddress(stub, "stub_log")));
    clear_ = reinterpret_cast<void (*)()>(reinterpret_cast<void*>(GetProcAddress(stub, "stub_clear")));
    ASSERT_TRUE(log_ && clear_);
    clear_();
  }
  void TearDown() override {
    UnloadIconvLibrary();
    ForgetStubFolder();
  }
  void ForgetStubFolder() {
    if (cookie_) RemoveDllDirectory(cookie_);
    cookie_ = nullptr;
  }
  DLL_DIRECTORY_COOKIE cookie_ = nullptr;
  // The opens and closes since the last call.
  std::string TakeLog() {
    std::string log = log_();
    clear_();
    return log;
  }

 private:
  const char* (*log_)() = nullptr;
  void (*clear_)() = nullptr;
};

TEST_F(IconvBindTest, BothPassesGoToIconv) {
  const std::string text = "a" + Hex("C5 BC") + "b";  // a, z dot above, b
  EXPECT_EQ(ConvertCharset(text, M::UTF_8, M::C99), "a\\U0000017Cb");
  EXPECT_EQ(TakeLog(),
            "UTF-16BE//IGNORE <- UTF-8\nclose\n"
            "C99//IGNORE//TRANSLIT <- UTF-16BE\nclose\n");
  EXPECT_EQ(ToHex(ConvertCharset("a\\u017Cb", M::C99, M::UTF_8)), ToHex(text));
  EXPECT_EQ(ConvertCharsetFull(text, M::UTF_8, M::C99, NoSubstitution, false), "a\\U0000017Cb");
  EXPECT_EQ(TakeLog(),
            "UTF-16BE//IGNORE <- C99\nclose\nUTF-8//IGNORE//TRANSLIT <- UTF-16BE\nclose\n"
            "UTF-16BE//IGNORE <- UTF-8\nclose\nC99//IGNORE <- UTF-16BE\nclose\n");
}

// A name the library does not take falls back to the built-in pass.
TEST_F(IconvBindTest, RejectedNamesFallBackToTheBuiltInTables) {
  const std::string polish = "Za" + Hex("C5 BC C3 B3 C5 82 C4 87");
  EXPECT_EQ(ToHex(ConvertCharset(polish, M::UTF_8, M::CP1250)), "5A 61 BF F3 B3 E6");
  EXPECT_EQ(TakeLog(), "UTF-16BE//IGNORE <- UTF-8\nclose\nWINDOWS-1250//IGNORE//TRANSLIT <- UTF-16BE\n");
  EXPECT_EQ(ToHex(ConvertCharset(Hex("5A 61 BF F3 B3 E6"), M::CP1250, M::UTF_8)), ToHex(polish));
}

// The output grows until the library has taken all input: five bytes of
// output per input byte used to be cut at four.
TEST_F(IconvBindTest, OutputGrowsBeyondFourTimesTheInput) {
  std::string text, expected;
  for (int i = 0; i < 1000; ++i) {
    text += Hex("C5 BC");
    expected += "\\U0000017C";
  }
  EXPECT_EQ(ConvertCharset(text, M::UTF_8, M::C99), expected);

  TIconvHandle h = IconvOpen(L"C99", L"UTF-16BE");
  ASSERT_NE(h, InvalidIconvHandle);
  std::string input = Hex("01 7C 01 7C 01 7C"), output;
  EXPECT_EQ(IconvConvert(h, input, output), 6);
  EXPECT_EQ(output, "\\U0000017C\\U0000017C\\U0000017C");
  // Input that ends inside a character: the whole characters before it.
  EXPECT_EQ(IconvConvert(h, Hex("01 7C 01"), output), 2);
  EXPECT_EQ(output, "\\U0000017C");
  EXPECT_EQ(IconvClose(h), 0);
  EXPECT_EQ(h, InvalidIconvHandle);
  EXPECT_EQ(IconvClose(h), 0);
}

// A stateful target is ended in its initial state: the open base64 run of
// modified UTF-7 is closed.
TEST_F(IconvBindTest, StatefulTargetIsClosedAtTheEnd) {
  const std::string text = "za" + Hex("C5 BC C3 B3 C5 82 C4 87");
  EXPECT_EQ(ConvertCharset(text, M::UTF_8, M::UTF_7mod), "za&AXwA8wFCAQc-");
  EXPECT_EQ(TakeLog(), "UTF-16BE//IGNORE <- UTF-8\nclose\nmUTF-7//IGNORE//TRANSLIT <- UTF-16BE\nclose\n");
  // The built-in codec writes the same.
  UnloadIconvLibrary();
  ForgetStubFolder();
  EXPECT_EQ(ConvertCharset(text, M::UTF_8, M::UTF_7mod), "za&AXwA8wFCAQc-");
}

// Characters above U+FFFF pass between the two passes as surrogate pairs.
TEST_F(IconvBindTest, CharactersAboveFFFFPassThroughIconv) {
  const std::string grin = Hex("F0 9F 98 80");
  EXPECT_EQ(ConvertCharset(grin, M::UTF_8, M::C99), "\\U0001F600");
  EXPECT_EQ(ToHex(ConvertCharset("\\U0001F600", M::C99, M::UTF_8)), ToHex(grin));
}

// With a substitution table the substituted text goes to the library.
TEST_F(IconvBindTest, SubstitutionBeforeIconv) {
  const TSubstitutionTable table = {0x017C, 'z'};
  EXPECT_EQ(ConvertCharsetWithTable("a" + Hex("C5 BC C3 B3"), M::UTF_8, M::C99, table), "az\\U000000F3");
}

TEST_F(IconvBindTest, UnloadFreesTheLibraryAndTheBuiltInPathReturns) {
  UnloadIconvLibrary();
  EXPECT_FALSE(IconvLoaded());
  EXPECT_EQ(GetModuleHandleW(L"iconv.dll"), nullptr);
  // Without the library every call answers "none".
  ForgetStubFolder();
  EXPECT_EQ(IconvOpen(L"C99", L"UTF-16BE"), InvalidIconvHandle);
  std::string output = "x";
  EXPECT_EQ(IconvConvert(12345, "abc", output), 0);
  EXPECT_EQ(output, "");
  TIconvHandle h = 12345;
  EXPECT_EQ(IconvClose(h), -1);
  EXPECT_EQ(h, InvalidIconvHandle);
  EXPECT_EQ(ConvertCharset(Hex("C5 BC"), M::UTF_8, M::C99), "_");  // Latin-1 stands in
  // A failed load is tried again: the library is found once it is there.
  cookie_ = AddDllDirectory(StubFolder().c_str());
  EXPECT_TRUE(LoadIconvLibrary());
  EXPECT_NE(GetModuleHandleW(L"iconv.dll"), nullptr);
}

// Not from the current folder or PATH, where anyone may leave an iconv.dll.
TEST_F(IconvBindTest, OnlyTrustedFoldersAreSearched) {
  UnloadIconvLibrary();
  ForgetStubFolder();
  wchar_t saved[MAX_PATH];
  DWORD n = GetCurrentDirectoryW(MAX_PATH, saved);
  ASSERT_GT(n, 0u);
  ASSERT_TRUE(SetCurrentDirectoryW(StubFolder().c_str()));
  std::wstring path = _wgetenv(L"PATH") ? _wgetenv(L"PATH") : L"";
  ASSERT_TRUE(SetEnvironmentVariableW(L"PATH", (StubFolder() + L";" + path).c_str()));
  EXPECT_FALSE(LoadIconvLibrary());
  EXPECT_EQ(GetModuleHandleW(L"iconv.dll"), nullptr);
  SetEnvironmentVariableW(L"PATH", path.c_str());
  SetCurrentDirectoryW(saved);
}

// Threads that bind the library at the same time bind it once: one unload
// frees it.
TEST_F(IconvBindTest, ConcurrentLoadsBindOnce) {
  UnloadIconvLibrary();
  std::vector<HANDLE> threads;
  for (int i = 0; i < 8; ++i)
    threads.push_back(CreateThread(
        nullptr, 0,
        [](void*) -> DWORD {
          std::string out;
          for (int k = 0; k < 20; ++k) out = ConvertCharset("a", M::UTF_8, M::C99);
          return out == "a" ? 0 : 1;
        },
        nullptr, 0, nullptr));
  for (HANDLE t : threads) {
    ASSERT_EQ(WaitForSingleObject(t, 30000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeThread(t, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(t);
  }
  UnloadIconvLibrary();
  EXPECT_EQ(GetModuleHandleW(L"iconv.dll"), nullptr);
}

}  // namespace
