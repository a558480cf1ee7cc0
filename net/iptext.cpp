#include "net/iptext.h"

#include <vector>

#include "net/netutil.h"

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// A hexadecimal number 0..FFFF with any number of digits.
bool ParseGroup(const String& Text, uint16_t& Value) {
  if (Text.empty()) return false;
  uint32_t v = 0;
  for (wchar_t c : Text) {
    int d = HexDigit(c);
    if (d < 0) return false;
    v = v * 16 + static_cast<uint32_t>(d);
    if (v > 0xFFFF) return false;
  }
  Value = static_cast<uint16_t>(v);
  return true;
}

bool ParseOctet(const String& Text, uint8_t& Value) {
  if (Text.empty()) return false;
  uint32_t v = 0;
  for (wchar_t c : Text) {
    if (!IsDigit(c)) return false;
    v = v * 10 + static_cast<uint32_t>(c - L'0');
    if (v > 255) return false;
  }
  Value = static_cast<uint8_t>(v);
  return true;
}

bool ParseIPv4(const String& Text, uint8_t (&Bytes)[4]) {
  String rest = Text;
  for (int i = 0; i < 3; ++i)
    if (!ParseOctet(CutTrimmedToken(rest, L"."), Bytes[i])) return false;
  return ParseOctet(rest, Bytes[3]);
}

// Groups of one side of "::" (or of the whole text); an IPv4 tail is allowed
// as the last group when MayEndInIPv4.
bool ParseGroups(const String& Text, bool MayEndInIPv4, std::vector<uint16_t>& Groups) {
  if (Text.empty()) return true;
  String rest = Text;
  for (;;) {
    bool last = rest.find(L':') == String::npos;
    String group = TrimSpaces(CutToken(rest, L":"));
    if (last && MayEndInIPv4 && group.find(L'.') != String::npos) {
      uint8_t b[4];
      if (!ParseIPv4(group, b)) return false;
      Groups.push_back(static_cast<uint16_t>(b[0] << 8 | b[1]));
      Groups.push_back(static_cast<uint16_t>(b[2] << 8 | b[3]));
      return true;
    }
    uint16_t v;
    if (!ParseGroup(group, v)) return false;
    Groups.push_back(v);
    if (last) return true;
  }
}

bool ParseIPv6(const String& Text, TIp6Bytes& Bytes, uint32_t& Zone) {
  Bytes.fill(0);
  Zone = 0;
  String s = TrimSpaces(Text);
  size_t pct = s.find(L'%');
  if (pct != String::npos) {
    String z = TrimSpaces(s.substr(pct + 1));
    if (z.empty() || z.size() > 10) return false;
    uint64_t v = 0;
    for (wchar_t c : z) {
      if (!IsDigit(c)) return false;
      v = v * 10 + static_cast<uint64_t>(c - L'0');
    }
    if (v > 0xFFFFFFFFu) return false;
    Zone = static_cast<uint32_t>(v);
    s = TrimSpaces(s.substr(0, pct));
  }
  size_t gap = s.find(L"::");
  if (gap != String::npos && s.find(L"::", gap + 1) != String::npos) return false;
  std::vector<uint16_t> head, tail;
  if (gap == String::npos) {
    if (!ParseGroups(s, true, head) || head.size() != 8) return false;
  } else {
    String h = TrimSpaces(s.substr(0, gap)), t = TrimSpaces(s.substr(gap + 2));
    if (!ParseGroups(h, false, head) || !ParseGroups(t, true, tail)) return false;
    // "::" stands for at least one zero group.
    if (head.size() + tail.size() > 7) return false;
    head.resize(8 - tail.size(), 0);
    head.insert(head.end(), tail.begin(), tail.end());
  }
  for (size_t i = 0; i < 8; ++i) {
    Bytes[2 * i] = static_cast<uint8_t>(head[i] >> 8);
    Bytes[2 * i + 1] = static_cast<uint8_t>(head[i] & 0xFF);
  }
  return true;
}

}  // namespace

bool IsOctetText(const String& Value) {
  uint8_t v;
  return ParseOctet(Value, v);
}

bool IsIPv4Text(const String& Value) {
  uint8_t b[4];
  return ParseIPv4(Value, b);
}

bool IsIPv6Text(const String& Value) {
  TIp6Bytes b;
  uint32_t zone;
  return ParseIPv6(Value, b, zone);
}

AnsiString IPv4TextToBytes(const String& Value) {
  uint8_t b[4] = {0, 0, 0, 0};
  if (!ParseIPv4(Value, b)) return AnsiString(4, '\0');
  return AnsiString(reinterpret_cast<const char*>(b), 4);
}

uint32_t IPv4TextToNumber(const String& Value) {
  uint8_t b[4];
  if (!ParseIPv4(Value, b)) return 0;
  return static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 | static_cast<uint32_t>(b[2]) << 8 | b[3];
}

AnsiString ExpandIPv6Text(const AnsiString& Value) {
  int colons = CountChar(Value, ':');
  if (Value.empty() || colons > 7) return AnsiString();
  AnsiString s = Value;
  if (s.front() == ':') s = "0" + s;
  if (s.back() == ':') s += "0";
  AnsiString filler;
  for (int i = 0; i < 8 - colons; ++i) filler += ":0";
  filler += ":";
  return ReplaceAll(s, "::", filler);
}

TIp6Bytes IPv6TextToBytes(const String& Value) {
  TIp6Bytes b;
  uint32_t zone;
  ParseIPv6(Value, b, zone);
  return b;
}

uint32_t IPv6TextZone(const String& Value) {
  TIp6Bytes b;
  uint32_t zone;
  return ParseIPv6(Value, b, zone) ? zone : 0;
}

String IPv6BytesToText(const TIp6Bytes& Value) {
  uint16_t g[8];
  for (int i = 0; i < 8; ++i) g[i] = static_cast<uint16_t>(Value[2 * i] << 8 | Value[2 * i + 1]);
  // The first longest run of zero groups.
  int runStart = -1, runLen = 0;
  for (int i = 0; i < 8;) {
    if (g[i] != 0) {
      ++i;
      continue;
    }
    int j = i;
    while (j < 8 && g[j] == 0) ++j;
    if (j - i > runLen) {
      runStart = i;
      runLen = j - i;
    }
    i = j;
  }
  String r;
  const wchar_t* hex = L"0123456789abcdef";
  for (int i = 0; i < 8; ++i) {
    if (runLen > 0 && i >= runStart && i < runStart + runLen) continue;
    if (runLen > 0 && i == runStart + runLen) r += r.empty() ? L"::" : L":";
    String digits;
    uint16_t v = g[i];
    do {
      digits.insert(digits.begin(), hex[v & 15]);
      v >>= 4;
    } while (v);
    r += digits + L":";
  }
  if (runLen > 0 && runStart + runLen == 8) {
    if (r.empty())
      r = L"::0";
    else
      r += L":";
  } else if (!r.empty()) {
    r.pop_back();
  }
  return r;
}
