#include <gtest/gtest.h>

#include <algorithm>

#include "base/Registry.h"

namespace {

const String kTestKey = L"Software\\VantrelTests\\Registry";

class RegistryTest : public testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str()); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str()); }

  // Reads a value straight through the system, bypassing TRegistry.
  static bool RawValue(const String& key, const String& name, DWORD& type, std::wstring& data) {
    BYTE buf[512];
    DWORD size = sizeof(buf);
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, buf, &size) !=
        ERROR_SUCCESS)
      return false;
    data.assign(reinterpret_cast<wchar_t*>(buf), size / sizeof(wchar_t));
    return true;
  }
  static bool RawKeyExists(const String& key) {
    HKEY k;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
  }
};

TEST_F(RegistryTest, WritesUnderTheCurrentUserAndReadsBack) {
  TRegistry reg;
  EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKey(kTestKey, true));
  reg.WriteString(L"text", L"Zażółć 1");
  reg.WriteInteger(L"number", -5);
  reg.WriteBool(L"yes", true);
  reg.WriteBool(L"no", false);

  EXPECT_EQ(reg.ReadString(L"text"), L"Zażółć 1");
  EXPECT_EQ(reg.ReadInteger(L"number"), -5);
  EXPECT_TRUE(reg.ReadBool(L"yes"));
  EXPECT_FALSE(reg.ReadBool(L"no"));
  EXPECT_EQ(reg.GetDataType(L"text"), TRegDataType::rdString);
  EXPECT_EQ(reg.GetDataType(L"number"), TRegDataType::rdInteger);
  EXPECT_EQ(reg.GetDataType(L"yes"), TRegDataType::rdInteger);
  EXPECT_EQ(reg.GetDataType(L"absent"), TRegDataType::rdUnknown);

  // What the system holds: a string and 32-bit numbers, booleans as 0 and 1.
  DWORD type;
  std::wstring data;
  ASSERT_TRUE(RawValue(kTestKey, L"text", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(String(data.c_str()), L"Zażółć 1");
  ASSERT_TRUE(RawValue(kTestKey, L"yes", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(*reinterpret_cast<const DWORD*>(data.data()), 1u);
  ASSERT_TRUE(RawValue(kTestKey, L"number", type, data));
  EXPECT_EQ(*reinterpret_cast<const DWORD*>(data.data()), 0xFFFFFFFBu);
}

TEST_F(RegistryTest, NumberReadsAcceptOnlyExistingDwordValues) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(kTestKey, true));
  reg.WriteString(L"text", L"12");
  reg.WriteInteger(L"number", 12);
  BYTE bytes[4] = {12, 0, 0, 0};
  ASSERT_EQ(RegSetValueExW(reg.CurrentKey(), L"binary", 0, REG_BINARY, bytes, 4), ERROR_SUCCESS);

  for (const wchar_t* name : {L"text", L"binary", L"absent"}) {
    for (bool asBool : {false, true}) {
      try {
        if (asBool) reg.ReadBool(name); else reg.ReadInteger(name);
        ADD_FAILURE() << "no exception for " << WideToAnsi(name);
      } catch (const ERegistryException& e) {
        EXPECT_NE(e.Message().find(name), String::npos) << e.what();
      }
    }
  }
  // A string read of a number is a type mismatch too; a missing value reads
  // as empty.
  EXPECT_THROW(reg.ReadString(L"number"), ERegistryException);
  EXPECT_EQ(reg.ReadString(L"absent"), L"");
  EXPECT_EQ(reg.ReadInteger(L"number"), 12);
}

TEST_F(RegistryTest, AbsolutePathsStartAtTheRootOthersAtTheOpenKey) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(L"\\" + kTestKey + L"\\", true));
  EXPECT_EQ(reg.CurrentPath(), kTestKey);
  ASSERT_TRUE(reg.OpenKey(L"child", true));
  EXPECT_EQ(reg.CurrentPath(), kTestKey + L"\\child");
  reg.WriteString(L"v", L"in child");
  EXPECT_TRUE(RawKeyExists(kTestKey + L"\\child"));

  // Relative to the open key: this creates ...\child\Software\..., not the
  // key at the root.
  ASSERT_TRUE(reg.OpenKey(kTestKey, true));
  EXPECT_EQ(reg.CurrentPath(), kTestKey + L"\\child\\" + kTestKey);
  EXPECT_TRUE(RawKeyExists(kTestKey + L"\\child\\" + kTestKey));
  EXPECT_FALSE(reg.ValueExists(L"v"));

  ASSERT_TRUE(reg.OpenKey(L"\\" + kTestKey + L"\\child", false));
  EXPECT_EQ(reg.ReadString(L"v"), L"in child");

  // A failed open keeps the open key; without an open key, relative paths
  // start at the root.
  EXPECT_FALSE(reg.OpenKey(L"missing", false));
  EXPECT_FALSE(RawKeyExists(kTestKey + L"\\child\\missing"));
  EXPECT_EQ(reg.CurrentPath(), kTestKey + L"\\child");
  EXPECT_TRUE(reg.ValueExists(L"v"));
  EXPECT_TRUE(reg.KeyExists(kTestKey));  // relative: child\Software\...
  EXPECT_FALSE(reg.KeyExists(L"child"));
  EXPECT_TRUE(reg.KeyExists(L"\\" + kTestKey + L"\\child"));
  reg.CloseKey();
  EXPECT_EQ(reg.CurrentKey(), nullptr);
  EXPECT_TRUE(reg.KeyExists(kTestKey + L"\\child"));
  ASSERT_TRUE(reg.OpenKey(kTestKey + L"\\child", false));
  EXPECT_EQ(reg.ReadString(L"v"), L"in child");
}

TEST_F(RegistryTest, ReadOnlyKeysRefuseWrites) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kTestKey, true));
    reg.WriteInteger(L"n", 7);
  }
  TRegistry reg;
  EXPECT_FALSE(reg.OpenKeyReadOnly(kTestKey + L"\\missing"));
  EXPECT_FALSE(RawKeyExists(kTestKey + L"\\missing"));
  ASSERT_TRUE(reg.OpenKeyReadOnly(kTestKey));
  EXPECT_EQ(reg.ReadInteger(L"n"), 7);
  EXPECT_THROW(reg.WriteInteger(L"n", 8), ERegistryException);
  EXPECT_EQ(reg.ReadInteger(L"n"), 7);
}

TEST_F(RegistryTest, ListsAndDeletesValuesAndKeysWithTheirSubkeys) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(kTestKey + L"\\tree\\a\\deep", true));
  reg.WriteString(L"x", L"1");
  ASSERT_TRUE(reg.OpenKey(L"\\" + kTestKey + L"\\tree\\b", true));
  reg.WriteString(L"y", L"2");
  ASSERT_TRUE(reg.OpenKey(L"\\" + kTestKey + L"\\tree", false));
  reg.WriteInteger(L"one", 1);
  reg.WriteInteger(L"two", 2);

  auto sorted = [](std::vector<String> v) { std::sort(v.begin(), v.end()); return v; };
  EXPECT_EQ(sorted(reg.GetKeyNames()), (std::vector<String>{L"a", L"b"}));
  EXPECT_EQ(sorted(reg.GetValueNames()), (std::vector<String>{L"one", L"two"}));

  EXPECT_TRUE(reg.DeleteValue(L"one"));
  EXPECT_FALSE(reg.DeleteValue(L"one"));
  EXPECT_EQ(reg.GetValueNames(), (std::vector<String>{L"two"}));

  EXPECT_TRUE(reg.DeleteKey(L"a"));  // relative, with its subkey and values
  EXPECT_FALSE(RawKeyExists(kTestKey + L"\\tree\\a"));
  EXPECT_EQ(reg.GetKeyNames(), (std::vector<String>{L"b"}));
  reg.CloseKey();
  EXPECT_TRUE(reg.DeleteKey(L"\\" + kTestKey + L"\\tree"));
  EXPECT_FALSE(RawKeyExists(kTestKey + L"\\tree"));
  EXPECT_FALSE(reg.DeleteKey(kTestKey + L"\\tree"));
}

}  // namespace
