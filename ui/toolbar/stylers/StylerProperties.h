// Every colour, gradient, font and option of an Office toolbar styler by
// its dotted name ("TabAppearance.ColorHot", "GroupAppearance.Font.Size"),
// with one getter and one setter each. The theme file is this table in its
// file order; the built-in styles name the properties they write.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/Types.h"

class TAdvToolBarOfficeStyler;

// How a value is written in the theme file. Every kind but FontName travels
// as an int32_t: a colour, a number, an enumeration's ordinal, a Boolean, or
// the bits of a font style (fsBold 1, fsItalic 2, fsUnderline 4,
// fsStrikeOut 8).
enum class TStylerValueKind : uint8_t { Color, Integer, Direction, Gradient, Boolean, GripStyle, FontStyle, FontName };

struct TStylerProperty {
  const char* Key;
  TStylerValueKind Kind;
  int32_t (*Get)(TAdvToolBarOfficeStyler* S);
  // Through the property's own setter (or a plain store, where the property
  // is a plain field), so that every change notification fires.
  void (*Set)(TAdvToolBarOfficeStyler* S, int32_t Value);
  String (*GetName)(TAdvToolBarOfficeStyler* S);
  void (*SetName)(TAdvToolBarOfficeStyler* S, const String& Value);
};

// The 303 body lines of the theme file (lines 2 to 304), in file order.
const std::vector<TStylerProperty>& ThemeFileProperties();
// Any property by name, also those the file does not carry; nullptr for an
// unknown name.
const TStylerProperty* FindStylerProperty(std::string_view Key);

// Whether every property the built-in styles' tables name exists; the first
// unknown name goes to Unknown.
bool ToolBarStyleTablesResolve(std::string* Unknown);
