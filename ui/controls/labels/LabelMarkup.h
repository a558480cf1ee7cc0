// What the HTML label and the reflection label share: how their markup
// lines join into one text, and which anchors open through the shell.
#pragma once

#include "base/Lists.h"

// The lines joined into one markup: a blank before each line after the
// first, except when the text so far ends with ">" and the line begins with
// "<" (then nothing).
String JoinMarkupLines(const TStrings* Lines);
// Target becomes the one line of Lines joined as above, line breaks
// stripped.
void SetJoinedMarkup(TStrings* Target, const TStrings* Lines);
// Opens a web or mail anchor ("http://", "https://" or "mailto:", any case)
// through the shell's "open" verb in a normal window; any other anchor
// (another scheme, a plain name) is not handed to the shell. True when it
// was opened.
bool OpenLinkAnchor(const String& Anchor);
