#include <gtest/gtest.h>

#include "net/iptext.h"

namespace {
TIp6Bytes Groups(std::initializer_list<int> groups) {
  TIp6Bytes b{};
  size_t i = 0;
  for (int g : groups) {
    b[i++] = static_cast<uint8_t>(g >> 8);
    b[i++] = static_cast<uint8_t>(g & 0xFF);
  }
  return b;
}
}  // namespace

TEST(IpText, IPv4Texts) {
  struct {
    const wchar_t* text;
    bool valid;
  } cases[] = {
      {L"192.168.1.5", true},  {L"192.168.1", false},    {L"192.168.1.5.6", false}, {L"1.2.3.256", false},
      {L"01.2.3.4", true},     {L" 1 . 2.3.4 ", true},   {L"1.2.3.-4", false},      {L"1.2.3.0x4", false},
      {L"", false},            {L"1..3.4", false},       {L"255.255.255.255", true}, {L"10.0.0.300", false},
      {L"99999999999.1.1.1", false},
  };
  for (auto& c : cases) EXPECT_EQ(IsIPv4Text(c.text), c.valid) << c.text;
  EXPECT_TRUE(IsOctetText(L"007"));
  EXPECT_FALSE(IsOctetText(L"+7"));
  EXPECT_FALSE(IsOctetText(L" 7"));
}

TEST(IpText, IPv4Conversions) {
  EXPECT_EQ(IPv4TextToBytes(L"10.0.0.1"), AnsiString("\x0A\x00\x00\x01", 4));
  EXPECT_EQ(IPv4TextToNumber(L"1.2.3.4"), 0x01020304u);
  EXPECT_EQ(IPv4TextToNumber(L"239.1.2.3"), 0xEF010203u);
  // Out-of-range parts never pass as another address.
  EXPECT_EQ(IPv4TextToNumber(L"10.0.0.300"), 0u);
  EXPECT_EQ(IPv4TextToBytes(L"10.0.0.300"), AnsiString(4, '\0'));
  EXPECT_EQ(IPv4TextToNumber(L"host.name"), 0u);
}

TEST(IpText, IPv6TextsIncludingEveryValidForm) {
  struct {
    const wchar_t* text;
    bool valid;
  } cases[] = {
      {L"::", true},
      {L"::1", true},
      {L"fe80::1%12", true},
      {L"1::", true},            // refused before
      {L"fe80::", true},         // refused before
      {L"::ffff:1.2.3.4", true},  // refused before
      {L"1:2:3:4:5:6:1.2.3.4", true},
      {L"2001:DB8:0:0:1:0:0:1", true},
      {L"0001:0db8::0001", true},
      {L"1234", false},
      {L"1::2::3", false},
      {L"1:2:3:4:5:6:7:8:9", false},
      {L"1:2:3:4::5:6:7:8", false},  // "::" stands for at least one group
      {L"1:2:3:4:5:6:7:1.2.3.4", false},
      {L"::1.2.3.256", false},
      {L"1.2.3.4::", false},
      {L":1::2", false},
      {L"1::2:", false},
      {L":::", false},
      {L"12345::", false},
      {L"g::1", false},
      {L"fe80::1%", false},
      {L"fe80::1%x", false},
      {L"", false},
  };
  for (auto& c : cases) EXPECT_EQ(IsIPv6Text(c.text), c.valid) << c.text;
}

TEST(IpText, ExpandIPv6Text) {
  struct {
    const char *text, *expanded;
  } cases[] = {
      {"::1", "0:0:0:0:0:0:0:1"},
      {"1::", "1:0:0:0:0:0:0:0"},
      {"1:2:3:4:5:6:7:8", "1:2:3:4:5:6:7:8"},
      {"1:2:3:4:5:6:7:8:9", ""},
      {"", ""},
  };
  for (auto& c : cases) EXPECT_EQ(ExpandIPv6Text(c.text), c.expanded) << c.text;
}

TEST(IpText, IPv6TextToBytesKeepsTheZoneApart) {
  struct {
    const wchar_t* text;
    TIp6Bytes bytes;
    uint32_t zone;
  } cases[] = {
      {L"::1", Groups({0, 0, 0, 0, 0, 0, 0, 1}), 0},
      {L"fe80::1%12", Groups({0xfe80, 0, 0, 0, 0, 0, 0, 1}), 12},  // zeros before
      {L"1::", Groups({1, 0, 0, 0, 0, 0, 0, 0}), 0},
      {L"::ffff:1.2.3.4", Groups({0, 0, 0, 0, 0, 0xffff, 0x0102, 0x0304}), 0},
      {L"2001:db8::1:0:0:1", Groups({0x2001, 0xdb8, 0, 0, 1, 0, 0, 1}), 0},
      {L"ff02::1:2%4294967295", Groups({0xff02, 0, 0, 0, 0, 0, 1, 2}), 4294967295u},
      {L"1::2::3", Groups({}), 0},
      {L"ff02::1%4294967296", Groups({}), 0},
  };
  for (auto& c : cases) {
    EXPECT_EQ(IPv6TextToBytes(c.text), c.bytes) << c.text;
    EXPECT_EQ(IPv6TextZone(c.text), c.zone) << c.text;
  }
}

TEST(IpText, IPv6BytesToTextCompressesTheFirstLongestRun) {
  struct {
    TIp6Bytes bytes;
    const wchar_t* text;
  } cases[] = {
      {Groups({0, 0, 0, 0, 0, 0, 0, 1}), L"::1"},
      {Groups({0x2001, 0xdb8, 0, 0, 1, 0, 0, 1}), L"2001:db8::1:0:0:1"},
      {Groups({1, 0, 2, 3, 4, 5, 6, 7}), L"1::2:3:4:5:6:7"},
      {Groups({1, 0, 0, 0, 0, 0, 0, 0}), L"1::"},
      {Groups({0, 0, 0, 0, 0, 0, 0, 0}), L"::0"},
      {Groups({0, 0, 1, 0, 1, 0, 1, 0}), L"::1:0:1:0:1:0"},
      {Groups({0xFE80, 0xABCD, 1, 2, 3, 4, 5, 6}), L"fe80:abcd:1:2:3:4:5:6"},
  };
  for (auto& c : cases) {
    EXPECT_EQ(IPv6BytesToText(c.bytes), c.text);
    EXPECT_EQ(IPv6TextToBytes(IPv6BytesToText(c.bytes)), c.bytes) << c.text;
  }
}
