// INI files of any bytes, read through the class layer's INI file: the
// sections and keys the program and its settings use, and one key and one
// section named by the file's own first line.
#include "base/IniFiles.h"
#include "base/Streams.h"
#include "base/FileStreams.h"
#include "tests/fuzz/Fuzz.h"

void FuzzOne(const uint8_t* Data, size_t Size) {
  static String name;
  if (name.empty()) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    name = String(dir) + L"vantrel_fuzz_" + IntToStr(GetCurrentProcessId()) + L".ini";
    FuzzAtEnd([] { DeleteFileW(name.c_str()); });
  }
  {
    TFileStream f(name, fmCreate);
    if (Size) f.WriteBuffer(Data, static_cast<int>(Size));
  }
  // A section and key of the file's own: the text between the first "[" and
  // "]", and the text before the first "=".
  std::string text(reinterpret_cast<const char*>(Data), Size);
  size_t open = text.find('['), close = text.find(']');
  String section = AnsiToWide(open != std::string::npos && close != std::string::npos && close > open
                                  ? text.substr(open + 1, close - open - 1)
                                  : std::string("General"));
  size_t eq = text.find('=');
  size_t lineStart = eq == std::string::npos ? 0 : text.rfind('\n', eq);
  lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
  String key = AnsiToWide(eq == std::string::npos ? std::string("Key") : text.substr(lineStart, eq - lineStart));
  TIniFile ini(name);
  for (const String& s : {section, String(L"General"), String(L"Settings")}) {
    if (s.empty() || s.find(L'\0') != String::npos) continue;
    ini.SectionExists(s);
    for (const String& k : {key, String(L"Version"), String(L"URL")}) {
      if (k.empty() || k.find(L'\0') != String::npos) continue;
      String v = ini.ReadString(s, k, L"default");
      ini.ReadInteger(s, k, -1);
      ini.ReadBool(s, k, false);
      ini.ValueExists(s, k);
      FuzzCheck(v.size() <= Size + 16, "a value longer than the file");
    }
  }
}
