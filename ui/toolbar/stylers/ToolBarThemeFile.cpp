#include "ui/toolbar/stylers/ToolBarThemeFile.h"

#include <cstring>

#include "base/Colors.h"
#include "base/FileStreams.h"
#include "base/Lists.h"

namespace {

using K = TStylerValueKind;
using S = TToolBarStyle;

const wchar_t* const kDirections[] = {L"gdHorizontal", L"gdVertical"};
const wchar_t* const kGradients[] = {L"ggRadial", L"ggVertical", L"ggDiagonalForward", L"ggDiagonalBackward"};
const wchar_t* const kGrips[] = {L"dsDots", L"dsSingleLine", L"dsDoubleLine", L"dsFlatDots", L"dsNone"};
const wchar_t* const kFontStyles[] = {L"fsBold", L"fsItalic", L"fsUnderline", L"fsStrikeOut"};

// Line 1, by style. Every style is written under its own name (bsWhidbeyStyle
// as "bsWhidbey"); older files wrote "bsOffice2003Blue" for three of them,
// which still loads as that style.
const wchar_t* const kStyleNames[ToolBarStyleCount] = {
    L"bsOffice2003Blue",   L"bsOffice2003Silver",  L"bsOffice2003Olive",     L"bsOffice2003Classic",
    L"bsOffice2007Luna",   L"bsOffice2007Obsidian", L"bsWindowsXP",          L"bsWhidbey",
    L"bsCustom",           L"bsOffice2007Silver",  L"bsOfficeXP",            L"bsWindowsVista",
    L"bsWindows7",         L"bsTerminal",          L"bsOffice2010Blue",      L"bsOffice2010Silver",
    L"bsOffice2010Black",  L"bsWindows8",          L"bsOffice2013White",     L"bsOffice2013LightGray",
    L"bsOffice2013Gray",   L"bsWindows10",         L"bsOffice2016White",     L"bsOffice2016Gray",
    L"bsOffice2016Black",
};

template <size_t N>
int IndexOfName(const wchar_t* const (&Names)[N], const String& Text) {
  for (size_t i = 0; i < N; ++i)
    if (SameText(Text, Names[i])) return static_cast<int>(i);
  return -1;
}

// The file's lines as they stand, split at CR LF, CR or LF.
std::vector<String> SplitLines(const String& Text) {
  std::vector<String> lines;
  size_t start = 0;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] != L'\r' && Text[i] != L'\n') continue;
    lines.push_back(Text.substr(start, i - start));
    if (Text[i] == L'\r' && i + 1 < Text.size() && Text[i + 1] == L'\n') ++i;
    start = i + 1;
  }
  if (start < Text.size()) lines.push_back(Text.substr(start));
  return lines;
}

String ValueAfterEquals(const String& Line) {
  size_t eq = Line.find(L'=');
  return eq == String::npos ? String() : Line.substr(eq + 1);
}

// The value of Key on a line read as comma text: the text after "=" of the
// first item named Key (letter case ignored), else empty.
String ValueOfKey(const String& Line, const String& Key) {
  TStringList items;
  items.SetCommaText(Line);
  for (int i = 0; i < items.Count(); ++i) {
    const String item = items.Strings(i);
    size_t eq = item.find(L'=');
    if (eq != String::npos && SameText(item.substr(0, eq), Key)) return item.substr(eq + 1);
  }
  return String();
}

bool EndsWith(const char* Key, const char* Tail) {
  size_t k = std::strlen(Key), t = std::strlen(Tail);
  return k >= t && std::strcmp(Key + k - t, Tail) == 0;
}

// The range an integer property must stay in: more gradient steps than
// painters draw, or sizes and widths far beyond any screen, hang painting.
bool IntegerInRange(const char* Key, int Value) {
  if (EndsWith(Key, "Steps")) return Value >= 0 && Value <= MaxGradientSteps;
  if (EndsWith(Key, ".Size")) return Value >= -1000 && Value <= 1000;
  if (EndsWith(Key, "BorderWidth")) return Value >= 0 && Value <= 100;
  return true;
}

String OneItem(const String& Text) {
  TStringList l;
  l.Add(Text);
  return l.CommaText();
}

}  // namespace

String ThemeStyleName(TToolBarStyle Style) { return kStyleNames[static_cast<int>(Style)]; }

TDecodedTheme DecodeThemeFile(const String& Text) {
  const std::vector<String> lines = SplitLines(Text);
  auto lineAt = [&](size_t Index) { return Index < lines.size() ? lines[Index] : String(); };
  TDecodedTheme theme;
  const int style = IndexOfName(kStyleNames, lineAt(0));
  if (style >= 0) {
    theme.HasStyle = true;
    theme.Style = static_cast<S>(style);
  }
  const std::vector<TStylerProperty>& table = ThemeFileProperties();
  theme.Values.reserve(table.size());
  for (size_t i = 0; i < table.size(); ++i) {
    const TStylerProperty& p = table[i];
    const int lineNo = static_cast<int>(i) + 2;
    const String raw = lineAt(i + 1);
    const String key = AnsiToWide(p.Key);
    TThemeValue v{&p, false, 0, String()};
    if (p.Kind == K::FontStyle) {
      TStringList items;
      items.SetCommaText(ValueAfterEquals(raw));
      for (int s = 0; s < 4; ++s)
        if (items.IndexOf(kFontStyles[s]) >= 0) v.Value |= 1 << s;
      theme.Values.push_back(v);
      continue;
    }
    const String text = ValueOfKey(raw, key);
    switch (p.Kind) {
      case K::Color:
        if (text.empty() && i + 1 == table.size()) {
          v.Value = clBlack;  // a file without its last line
        } else if (!TryStringToColor(text, v.Value)) {
          throw ECorruptThemeFile(lineNo, text.empty() ? L"no colour for " + key : L"not a colour: " + text);
        }
        break;
      case K::Integer:
        if (!TryStrToInt(text, v.Value))
          throw ECorruptThemeFile(lineNo, text.empty() ? L"no number for " + key : L"not a number: " + text);
        if (!IntegerInRange(p.Key, v.Value)) throw ECorruptThemeFile(lineNo, L"out of range: " + text);
        break;
      case K::Direction: v.Value = SameText(text, kDirections[0]) ? 0 : 1; break;
      case K::Boolean: v.Value = SameText(text, L"True") ? 1 : 0; break;
      case K::Gradient:
      case K::GripStyle: {
        const int n = p.Kind == K::Gradient ? IndexOfName(kGradients, text) : IndexOfName(kGrips, text);
        v.Skip = n < 0;
        v.Value = n < 0 ? 0 : n;
        break;
      }
      case K::FontName:
        v.Skip = text.empty();
        v.Name = text;
        break;
      case K::FontStyle: break;
    }
    theme.Values.push_back(v);
  }
  return theme;
}

void ApplyTheme(TAdvToolBarOfficeStyler* Styler, const TDecodedTheme& Theme) {
  if (Theme.HasStyle) Styler->SetStyle(Theme.Style);
  for (const TThemeValue& v : Theme.Values) {
    if (v.Skip) continue;
    if (v.Property->Kind == K::FontName)
      v.Property->SetName(Styler, v.Name);
    else
      v.Property->Set(Styler, v.Value);
  }
}

String EncodeThemeFile(TAdvToolBarOfficeStyler* Styler) {
  String out = ThemeStyleName(Styler->Style()) + L"\r\n";
  for (const TStylerProperty& p : ThemeFileProperties()) {
    const String key = AnsiToWide(p.Key) + L"=";
    String line;
    switch (p.Kind) {
      case K::Color: line = key + ColorToString(p.Get(Styler)); break;
      case K::Integer: line = key + IntToStr(p.Get(Styler)); break;
      case K::Direction: line = key + kDirections[p.Get(Styler) ? 1 : 0]; break;
      case K::Gradient: line = key + kGradients[p.Get(Styler) & 3]; break;
      case K::GripStyle: {
        const int g = p.Get(Styler);
        line = key + kGrips[g >= 0 && g < 5 ? g : 0];
        break;
      }
      case K::Boolean: line = OneItem(key + (p.Get(Styler) ? L"True" : L"False")); break;
      case K::FontStyle: {
        line = key;
        const int bits = p.Get(Styler);
        bool first = true;
        for (int s = 0; s < 4; ++s)
          if (bits & (1 << s)) {
            if (!first) line += L',';
            line += kFontStyles[s];
            first = false;
          }
        break;
      }
      case K::FontName: {
        const String name = p.GetName(Styler);
        if (!name.empty()) line = OneItem(key + name);
        break;
      }
    }
    out += line + L"\r\n";
  }
  return out;
}

// ---------------------------------------------------------------------------
// TAdvToolBarOfficeStyler's file operations

void TAdvToolBarOfficeStyler::SaveToFile(const String& FileName) {
  const AnsiString bytes = WideToAnsi(EncodeThemeFile(this));
  TOwned<TFileStream> file;
  try {
    file = new TFileStream(FileName, fmCreate);
  } catch (const Exception&) {
    throw Exception(L"Cannot Create " + FileName);
  }
  file->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
}

void TAdvToolBarOfficeStyler::LoadFromFile(const String& FileName) {
  AnsiString bytes;
  {
    TOwned<TFileStream> file;
    try {
      file = new TFileStream(FileName, fmOpenRead | fmShareDenyWrite);
    } catch (const Exception&) {
      throw Exception(L"Cannot open file " + FileName);
    }
    const int64_t size = file->Size();
    if (size > MaxThemeFileSize) throw ECorruptThemeFile(1, L"the file is larger than a theme file can be");
    bytes.resize(static_cast<size_t>(size));
    if (size > 0) file->ReadBuffer(bytes.data(), static_cast<int>(size));
  }
  const TDecodedTheme theme = DecodeThemeFile(AnsiToWide(bytes));
  ApplyTheme(this, theme);
}
