// How the out-box shows a message's progress: the two icon formulas and
// the words of its status labels.
#pragma once

#include "base/Types.h"

// The sub-items of an out-box row, in order.
enum TOutBoxSubItem {
  obPartsCnt,   // part count, as the phone sent it
  obNumber,     // destination number
  obName,       // contact name or empty
  obBody,       // the text
  obStatus,     // "0" once a part failed, else the count of parts sent
  obDelivered,  // the count of delivery reports
  obId,         // the phone's message id
  obError,      // the phone's error text of a failed part
  obRpCnt,      // the count of delivery reports
  obStCnt,      // the count of successful send statuses
  obSubItemCount
};

// The state image of a message with a failed part.
constexpr int FailedStateImage = 12;
// The highest state image of a successful send (all parts sent).
constexpr int AllSentStateImage = 11;
// Delivery images: 0 and 1 for one-part messages, 2 to 14 for longer ones.
constexpr int NotDeliveredImage = 0;
constexpr int DeliveredImage = 1;
constexpr int FirstPartsImage = 2;
constexpr int LastPartsImage = 14;

// The part count of a row: the text read as a whole number; text that is
// not one, and a count below 1, count as 1.
int PartCountOf(const String& Text);
// A whole number read from a row's counter, Default when not one.
int CounterOf(const String& Text, int Default);

// The state image after Sent successful statuses: the sent fraction on the
// scale 0 to 11, rounded half to even, never above 11 however many statuses
// arrive. Parts below 1 count as 1.
int SentStateImage(int Sent, int Parts);
// The delivery image after Delivered reports: 0 or 1 for one part; for
// several, the delivered fraction on the scale 0 to 12 rounded half to even,
// plus 2, held within 2 and 14. Parts below 1 count as 1.
int DeliveryImage(int Delivered, int Parts);
// The delivery image of a new row.
int InitialDeliveryImage(int Parts);

// "Send OK" once every part was reported sent, else "Send (partly)".
String SendStatusWords(int Sent, int Parts);
// "DELIVERED" once every part was reported delivered, else
// "DELIVERED (partly)".
String DeliveryWords(int Delivered, int Parts);
