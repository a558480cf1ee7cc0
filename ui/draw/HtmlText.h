// Text routines over HTML-subset markup: plain text, tag removal, search and
// marking in the visible text, and the preparation that the engine applies
// before layout. Positions count from 1; 0 means none.
#pragma once

#include "base/SysUtils.h"

// The plain text of markup: "<BR>" and "<HR>" (any case) become CR LF,
// hidden sections "<z>...</z>" and "<Z>...</Z>" go, every other tag goes.
// Entities stay as written.
String HtmlToPlainText(const String& Markup);
// The markup with every tag removed.
String StripTags(const String& Markup);
// Where in the markup the N-th visible character sits: the position before
// which exactly N - 1 visible characters lie (length + 1 at the end, 0 past
// it).
int TextPosToMarkupPos(const String& Markup, int N);
// Finds Sub in Text after its first Offset characters; the result (also in
// Position) counts from the start of Text, 0 when absent.
int FindInText(const String& Sub, const String& Text, int Offset, int& Position, bool CaseSensitive);
// Wraps every occurrence of Sub in the visible text in "<Tag>" and "</Tag>".
void InsertMarkTags(const String& Markup, const String& Sub, const String& Tag, String& Result, bool CaseSensitive);
// Removes every "<Tag>" and "</Tag>", ignoring case.
void RemoveMarkTags(const String& Markup, const String& Tag, String& Result);
// Drops line feeds; a carriage return becomes "<BR>" when ToTags is set,
// else it goes too.
void StripLineBreaks(const String& Text, bool ToTags, String& Result);
// A field marker "<#name>" becomes "#name".
void UnwrapFieldMarkers(const String& Markup, String& Result);
// Replaces the named entities (&amp; &quot; &sect; &permil; &reg; &copy;
// &para; &trade; &euro;, any case) until none is left; "&amp;" becomes "&&".
String ReplaceHtmlEntities(const String& Markup);
