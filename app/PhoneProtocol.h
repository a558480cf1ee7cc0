// The text commands that the desktop and the phone exchange, one per UDP
// datagram, and the pure routines that read them: which command a datagram
// holds and its fields, the contacts of a phone-book datagram, the contact to
// select after a phone book, and the key strokes that type a passcode.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "base/ShiftState.h"
#include "base/Types.h"

// Ports of the link: the desktop binds the first, the phone listens on the
// second.
constexpr const wchar_t* PhoneLinkRxPort = L"43011";
constexpr const wchar_t* PhoneLinkTxPort = L"43002";
constexpr const wchar_t* PhonePort = L"43000";
constexpr const wchar_t* PhoneBroadcastIP = L"255.255.255.255";

// Commands the desktop sends.
constexpr const wchar_t* CmdGetPhoneIP = L"AT+GET_PHONE_IP";
constexpr const wchar_t* CmdGetContacts = L"AT+GET_CONTACTS";
constexpr const wchar_t* CmdHeart = L"AT+HEART";
constexpr const wchar_t* CmdSendSms = L"AT+SEND_SMS=";
constexpr const wchar_t* CmdCall = L"AT+CALL=";
constexpr const wchar_t* CmdStopCall = L"AT+STOP_CALL";
constexpr const wchar_t* CmdAnalyzeText = L"AT+ANALYZE_TEXT~";
// Replies the desktop sends.
constexpr const wchar_t* ReplyHeart = L"+HEART:";
constexpr const wchar_t* ReplyGetIP = L"+GETIP:";

// What a received datagram holds, in the order the dispatcher tests them.
enum class TPhoneCommandKind {
  pcPartsCount,     // "AT+SMS_PARTS_CNT=" count
  pcSendStatus,     // "AT+SMS_SEND_STATUS=" number "," id "," status "," error
  pcDelivered,      // "AT+SMS_DELIVERED_OK=" number "," id
  pcNewSms,         // "AT+NEWSMS=" number "~" body (only while incoming SMS are accepted)
  pcSendOk,         // "AT+SMS_SEND_OK=" number "~" id "~" parts "~" body
  pcPhoneIP,        // "AT+PHONE_IP=" anything
  pcNewContacts,    // "AT+NEW_CONTACTS"
  pcHeart,          // "+HEART:"
  pcGetIP,          // "AT+GETIP"
  pcPass,           // "AT+PASS=" code
  pcContact,        // "AT+CONTACT=" name ";" number "^" ...
  pcContactEnd,     // "AT+CONTACT_END"
  pcOther           // anything else: shown as it is
};

struct TPhoneCommand {
  TPhoneCommandKind Kind = TPhoneCommandKind::pcOther;
  // The fields in the order of the command's form; a field the datagram
  // lacks is empty. pcContact holds the text after the keyword.
  std::vector<String> Fields;
  const String& Field(size_t i) const;
};

// Reads one received datagram. AcceptIncoming is the in-box's accept option:
// without it "AT+NEWSMS=" is not recognised and falls through to the later
// tests. Free-text fields (an SMS body, a send error) take the rest of the
// text, separators included.
TPhoneCommand ParsePhoneCommand(const String& S, bool AcceptIncoming);

// One contact of a phone book.
struct TPhoneContact {
  String Name;
  String Number;
  bool operator==(const TPhoneContact& o) const { return Name == o.Name && Number == o.Number; }
};
// The contacts of the text after "AT+CONTACT=": name ";" number "^" ...,
// names trimmed, every blank removed from numbers; nothing for an empty
// text, and no entry whose name and number are both empty.
std::vector<TPhoneContact> ParseContacts(const String& Rest);

// The contact to select once a phone book has arrived: none (-1) for an
// empty book; the first when the number field (trimmed) is empty; otherwise
// the first whose number equals the field's text without regard to case, or
// none.
int PickContact(const std::vector<String>& Numbers, const String& NumberText);

// A key press: virtual key and modifiers.
struct TKeyStroke {
  WORD Key;
  TShiftState Shift;
  bool operator==(const TKeyStroke& o) const { return Key == o.Key && Shift == o.Shift; }
};
// Maps a character to the key that produces it on the keyboard layout, as
// VkKeyScanEx answers: virtual key in the low byte, shift state (1 Shift,
// 2 Ctrl, 4 Alt) in the high byte, -1 when no key produces it.
using TKeyScanner = std::function<SHORT(wchar_t)>;
// The scanner of the calling thread's current keyboard layout.
SHORT ScanCurrentLayout(wchar_t C);
// The key strokes that type Code: digits and capital letters are pressed as
// their own virtual keys without modifiers; every other character through
// the key that produces it (with its modifiers); characters no key produces
// are left out.
std::vector<TKeyStroke> PasscodeKeyStrokes(const String& Code, const TKeyScanner& Scan = ScanCurrentLayout);
// Codes longer than this are not typed (each key stroke takes the window
// thread a while, and no passcode is that long); they are still copied and
// announced.
constexpr size_t MaxTypedPasscode = 256;
