// The SMS text as it is counted and sent, and the count shown while typing.
#pragma once

#include "base/Types.h"

// The text of the SMS field as it goes to the phone: every carriage return
// and line feed removed (lines join without a separator) and, with
// OnlyEnglish, each Polish letter replaced by its base letter.
String SmsTextForSending(const String& FieldText, bool OnlyEnglish);

// "chars: <Chars> / SMS: <Parts>", the count in the status bar.
String SmsInfoText(size_t Chars, const String& Parts);
