// The toolbar styler's theme file: line 1 names the style the colours start
// from, lines 2 to 304 carry one property each as "key=value", in the fixed
// order of ThemeFileProperties(). The text is 8-bit in the system's ANSI
// code page, lines end with CR LF.
//
// Loading decodes the whole file before it changes anything: a file with a
// value that does not convert, a missing line, or an absurd number is
// rejected as a whole, naming the line.
#pragma once

#include <vector>

#include "base/SysUtils.h"
#include "ui/toolbar/stylers/StylerProperties.h"
#include "ui/toolbar/stylers/ToolBarOfficeStyler.h"

// A theme file that cannot be loaded; nothing of it was applied.
class ECorruptThemeFile : public Exception {
 public:
  ECorruptThemeFile(int Line, const String& Reason)
      : Exception(L"Corrupt file (line %d: %s)", {Line, Reason}), FLine(Line) {}
  String ClassName() const override { return L"ECorruptThemeFile"; }
  // The line (counted from 1) that could not be read.
  int Line() const { return FLine; }

 private:
  int FLine;
};

// The most bytes a theme file may have.
constexpr int64_t MaxThemeFileSize = 1 << 20;

// One decoded body line. Skip: the line keeps the property as it is.
struct TThemeValue {
  const TStylerProperty* Property;
  bool Skip;
  int32_t Value;
  String Name;
};

struct TDecodedTheme {
  bool HasStyle = false;
  TToolBarStyle Style = TToolBarStyle::bsCustom;
  std::vector<TThemeValue> Values;  // in file order
};

// The name line 1 carries for a style.
String ThemeStyleName(TToolBarStyle Style);
// Decodes a whole file's text; raises ECorruptThemeFile.
TDecodedTheme DecodeThemeFile(const String& Text);
// Sets the style (when line 1 named one), then every value in file order,
// each through its setter.
void ApplyTheme(TAdvToolBarOfficeStyler* Styler, const TDecodedTheme& Theme);
// The text SaveToFile writes.
String EncodeThemeFile(TAdvToolBarOfficeStyler* Styler);
