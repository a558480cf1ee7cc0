// Text streams and files of string lists, and the string stream.
#include <cstring>

#include "base/Lists.h"
#include "base/Streams.h"

namespace {

String DecodeText(const std::vector<uint8_t>& Bytes) {
  size_t n = Bytes.size();
  const uint8_t* p = Bytes.data();
  if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
    String s((n - 2) / 2, L'\0');
    if (!s.empty()) std::memcpy(s.data(), p + 2, s.size() * 2);
    return s;
  }
  if (n >= 2 && p[0] == 0xFE && p[1] == 0xFF) {
    String s((n - 2) / 2, L'\0');
    for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<wchar_t>((p[2 + 2 * i] << 8) | p[3 + 2 * i]);
    return s;
  }
  if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
    return AnsiToWide(AnsiString(reinterpret_cast<const char*>(p + 3), n - 3), CP_UTF8);
  return AnsiToWide(AnsiString(reinterpret_cast<const char*>(p), n));
}

}  // namespace

void TStrings::LoadFromStream(TStream* Stream) {
  int64_t left = Stream->Size() - Stream->Position();
  std::vector<uint8_t> bytes(static_cast<size_t>(left > 0 ? left : 0));
  if (!bytes.empty()) Stream->ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
  SetText(DecodeText(bytes));
}

void TStrings::SaveToStream(TStream* Stream, TTextEncoding Encoding) {
  String text = Text();
  switch (Encoding) {
    case TTextEncoding::teUTF16LE: {
      static const uint8_t bom[] = {0xFF, 0xFE};
      Stream->WriteBuffer(bom, 2);
      if (!text.empty()) Stream->WriteBuffer(text.data(), static_cast<int>(text.size() * 2));
      break;
    }
    case TTextEncoding::teUTF8: {
      static const uint8_t bom[] = {0xEF, 0xBB, 0xBF};
      Stream->WriteBuffer(bom, 3);
      AnsiString a = WideToAnsi(text, CP_UTF8);
      if (!a.empty()) Stream->WriteBuffer(a.data(), static_cast<int>(a.size()));
      break;
    }
    default: {
      AnsiString a = WideToAnsi(text);
      if (!a.empty()) Stream->WriteBuffer(a.data(), static_cast<int>(a.size()));
      break;
    }
  }
}

String LoadTextFile(const String& FileName) {
  TMemoryStream m;
  m.LoadFromFile(FileName);
  const auto* p = static_cast<const uint8_t*>(m.Memory());
  return DecodeText(std::vector<uint8_t>(p, p + m.Size()));
}

void TStrings::LoadFromFile(const String& FileName) {
  TMemoryStream m;
  m.LoadFromFile(FileName);
  LoadFromStream(&m);
}

void TStrings::SaveToFile(const String& FileName, TTextEncoding Encoding) {
  TMemoryStream m;
  SaveToStream(&m, Encoding);
  m.SaveToFile(FileName);
}

// ---------------------------------------------------------------------------
// TStringStream

TStringStream::TStringStream(const AnsiString& Data) {
  WriteString(Data);
  SetPosition(0);
}

AnsiString TStringStream::DataString() {
  return AnsiString(static_cast<const char*>(Memory()), static_cast<size_t>(Size()));
}

void TStringStream::WriteString(const AnsiString& Data) {
  if (!Data.empty()) WriteBuffer(Data.data(), static_cast<int>(Data.size()));
}

AnsiString TStringStream::ReadString(int Count) {
  int64_t left = Size() - Position();
  if (left <= 0) return AnsiString();
  int n = Count < 0 || Count > left ? static_cast<int>(left) : Count;
  AnsiString s(static_cast<size_t>(n), '\0');
  ReadBuffer(s.data(), n);
  return s;
}

// ---------------------------------------------------------------------------
// Comma text

namespace {
bool IsCommaTextBreak(wchar_t c) { return c <= L' '; }
}  // namespace

String TStrings::CommaText() const {
  String out;
  for (int i = 0; i < Count(); ++i) {
    const String s = Strings(i);
    if (i > 0) out += L',';
    bool quote = s.empty();
    for (wchar_t c : s)
      if (IsCommaTextBreak(c) || c == L',' || c == L'"') quote = true;
    if (!quote) {
      out += s;
      continue;
    }
    out += L'"';
    for (wchar_t c : s) {
      if (c == L'"') out += L'"';
      out += c;
    }
    out += L'"';
  }
  return out;
}

void TStrings::SetCommaText(const String& Value) {
  BeginUpdate();
  try {
    Clear();
    const size_t n = Value.size();
    size_t p = 0;
    auto skipBlanks = [&] {
      while (p < n && IsCommaTextBreak(Value[p])) ++p;
    };
    skipBlanks();
    while (p < n) {
      String item;
      while (p < n && Value[p] != L',' && !IsCommaTextBreak(Value[p])) {
        if (Value[p] != L'"') {
          item += Value[p++];
          continue;
        }
        // A quoted part, up to its closing quote (or the end).
        ++p;
        while (p < n) {
          if (Value[p] == L'"') {
            if (p + 1 < n && Value[p + 1] == L'"') {
              item += L'"';
              p += 2;
              continue;
            }
            ++p;
            break;
          }
          item += Value[p++];
        }
      }
      Add(item);
      skipBlanks();
      if (p < n && Value[p] == L',') {
        ++p;
        skipBlanks();
        if (p == n) Add(String());
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}
