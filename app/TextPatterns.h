// The two stored text patterns of the new-SMS window: their settings and
// what the pattern editor and the pattern buttons make of them.
#pragma once

#include "base/Types.h"

// The settings of pattern Nr (1 or 2): "pat1_title", "pat1_text"...
String PatternTitleKey(int Nr);
String PatternTextKey(int Nr);
// "Pattern1" or "Pattern2": the title of a pattern that has none.
String DefaultPatternTitle(int Nr);

// The title the editor stores: the trimmed title field, or the default
// title when that is empty.
String PatternTitleFromEditor(const String& TitleField, int Nr);
// The text the editor stores: each carriage return becomes one blank and
// line feeds go, so every line break becomes one blank.
String PatternTextFromEditor(const String& TextField);

// What a pattern button puts into the SMS text: the pattern's text,
// followed directly by the clipboard's text when AddClipboard is on; ""
// (nothing to do) when the pattern's text is empty.
String PatternInsertion(const String& PatternText, bool AddClipboard, const String& ClipboardText);
