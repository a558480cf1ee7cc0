#include "update/VersionCheck.h"

#include <vector>

#include "base/SysUtils.h"

bool ReadLooseInteger(const String& Text, int64_t& Value) {
  Value = 0;
  size_t i = 0, n = Text.size();
  while (i < n && Text[i] == L' ') ++i;
  bool negative = false;
  if (i < n && (Text[i] == L'+' || Text[i] == L'-')) negative = Text[i++] == L'-';
  int base = 10;
  if (i < n && Text[i] == L'$') {
    base = 16;
    ++i;
  } else if (i + 1 < n && Text[i] == L'0' && (Text[i + 1] == L'x' || Text[i + 1] == L'X')) {
    base = 16;
    i += 2;
  }
  bool digits = false;
  int64_t v = 0;
  for (; i < n; ++i) {
    wchar_t c = Text[i];
    int d = -1;
    if (c >= L'0' && c <= L'9') d = c - L'0';
    else if (base == 16 && c >= L'a' && c <= L'f') d = c - L'a' + 10;
    else if (base == 16 && c >= L'A' && c <= L'F') d = c - L'A' + 10;
    if (d < 0) break;
    digits = true;
    if (v < (int64_t{1} << 40)) v = v * base + d;  // far beyond 32 bits: stop growing
  }
  Value = negative ? -v : v;
  return digits && i == n;
}

namespace {

int32_t Low16(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v) & 0xFFFF); }
int32_t Word(int64_t high, int64_t low) {
  return static_cast<int32_t>((static_cast<uint32_t>(Low16(high)) << 16) | static_cast<uint32_t>(Low16(low)));
}

// The text up to the next separator; Rest gets what follows it ("" and
// false when there is no further separator).
String TakePart(String& Rest, wchar_t Sep, bool& HadSep) {
  size_t p = Rest.find(Sep);
  String part = Rest.substr(0, p);
  HadSep = p != String::npos;
  Rest = HadSep ? Rest.substr(p + 1) : String();
  return part;
}

}  // namespace

TVersionWords ParseVersion(const String& Text) {
  TVersionWords w;
  wchar_t sep = Text.find(L',') != String::npos ? L',' : Text.find(L'.') != String::npos ? L'.' : 0;
  int64_t a = 0, b = 0, c = 0, d = 0;
  if (!sep) {
    if (ReadLooseInteger(Text, a)) {
      w.MS = Word(a, 0);
      w.LS = 0;
    }
    return w;
  }
  String rest = Text;
  bool more = false;
  bool whole = ReadLooseInteger(TakePart(rest, sep, more), a);
  if (!whole) {  // the rest of the text is the second part
    ReadLooseInteger(rest, b);
    w.MS = Word(a, b);
    w.LS = 0;
    return w;
  }
  String second = TakePart(rest, sep, more);
  whole = ReadLooseInteger(second, b);
  w.MS = Word(a, b);
  if (!more) {  // two parts
    w.LS = 0;
    return w;
  }
  if (!whole) {  // the rest of the text is the third part
    ReadLooseInteger(rest, c);
    w.LS = Word(c, 0);
    return w;
  }
  String third = TakePart(rest, sep, more);
  ReadLooseInteger(third, c);
  if (!more) {  // three parts
    w.LS = Word(c, 0);
    return w;
  }
  if (ReadLooseInteger(rest, d)) w.LS = Word(c, d);
  return w;
}

String VersionToStr(const TVersionWords& Words) {
  auto part = [](int32_t word, int shift) { return IntToStr((static_cast<uint32_t>(word) >> shift) & 0xFFFF); };
  return part(Words.MS, 16) + L"." + part(Words.MS, 0) + L"." + part(Words.LS, 16) + L"." + part(Words.LS, 0);
}

TVersionWords GetFileVersion(const String& FileName) {
  TVersionWords w;
  DWORD dummy = 0;
  DWORD size = GetFileVersionInfoSizeW(FileName.c_str(), &dummy);
  if (!size) return w;
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(FileName.c_str(), 0, size, data.data())) return w;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof(VS_FIXEDFILEINFO) || info->dwSignature != 0xFEEF04BD)
    return w;
  w.MS = static_cast<int32_t>(info->dwFileVersionMS);
  w.LS = static_cast<int32_t>(info->dwFileVersionLS);
  return w;
}

namespace {

// Calls Block for each piece of the file, read 4096 bytes at a time; false
// when the file cannot be opened or read.
template <class F>
bool ForEachBlock(const String& FileName, F&& Block) {
  HANDLE h = CreateFileW(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  uint8_t buf[4096];
  bool ok = true;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(h, buf, sizeof buf, &got, nullptr)) {
      ok = false;
      break;
    }
    if (!got) break;
    Block(buf, got);
  }
  CloseHandle(h);
  return ok;
}

const uint32_t* CrcTable() {
  static uint32_t table[256];
  static bool made = [] {
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[n] = c;
    }
    return true;
  }();
  (void)made;
  return table;
}

}  // namespace

int32_t FileByteSum(const String& FileName, bool* Opened) {
  uint32_t sum = 0xFFFFFFFFu;
  bool ok = ForEachBlock(FileName, [&](const uint8_t* p, DWORD n) {
    for (DWORD i = 0; i < n; ++i) sum += p[i];
  });
  if (Opened) *Opened = ok;
  return ok ? static_cast<int32_t>(sum) : -1;
}

int32_t FileChecksum(const String& FileName, bool* Opened) {
  const uint32_t* t = CrcTable();
  uint32_t running = 0xFFFFFFFFu;
  bool ok = ForEachBlock(FileName, [&](const uint8_t* p, DWORD n) {
    for (DWORD i = 0; i < n; ++i) running += t[(p[i] ^ running) & 0xFF] ^ (running >> 8);
  });
  if (Opened) *Opened = ok;
  return ok ? static_cast<int32_t>(~running) : 0;
}

int32_t FileSizeOf(const String& FileName, bool* Opened) {
  HANDLE h = CreateFileW(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (Opened) *Opened = h != INVALID_HANDLE_VALUE;
  if (h == INVALID_HANDLE_VALUE) return 0;
  LARGE_INTEGER size{};
  GetFileSizeEx(h, &size);
  CloseHandle(h);
  return static_cast<int32_t>(static_cast<uint32_t>(size.QuadPart));
}
