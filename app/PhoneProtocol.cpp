#include "app/PhoneProtocol.h"

#include "base/SysUtils.h"
#include "net/netutil.h"

namespace {

bool StartsWith(const String& s, const wchar_t* prefix) { return s.rfind(prefix, 0) == 0; }

// The text split at every Sep; empty pieces count.
std::vector<String> SplitAll(const String& s, wchar_t sep) {
  std::vector<String> parts;
  size_t start = 0;
  for (;;) {
    size_t p = s.find(sep, start);
    if (p == String::npos) {
      parts.push_back(s.substr(start));
      return parts;
    }
    parts.push_back(s.substr(start, p - start));
    start = p + 1;
  }
}

// The text split at Sep into at most Count fields: the last takes the rest,
// separators included. Missing fields are empty.
std::vector<String> SplitFields(const String& s, wchar_t sep, size_t count) {
  std::vector<String> fields;
  size_t start = 0;
  while (fields.size() + 1 < count) {
    size_t p = s.find(sep, start);
    if (p == String::npos) break;
    fields.push_back(s.substr(start, p - start));
    start = p + 1;
  }
  fields.push_back(s.substr(start));
  fields.resize(count);
  return fields;
}

// The text between the first and the second "=" (empty without an "=").
String SecondEqualsPiece(const String& s) {
  std::vector<String> parts = SplitAll(s, L'=');
  return parts.size() > 1 ? parts[1] : String();
}

}  // namespace

const String& TPhoneCommand::Field(size_t i) const {
  static const String empty;
  return i < Fields.size() ? Fields[i] : empty;
}

TPhoneCommand ParsePhoneCommand(const String& S, bool AcceptIncoming) {
  TPhoneCommand c;
  using K = TPhoneCommandKind;
  if (StartsWith(S, L"AT+SMS_PARTS_CNT=")) {
    c.Kind = K::pcPartsCount;
    c.Fields = {SecondEqualsPiece(S)};
  } else if (StartsWith(S, L"AT+SMS_SEND_STATUS=")) {
    // The error text is free text: it keeps its commas and "=" signs.
    c.Kind = K::pcSendStatus;
    c.Fields = SplitFields(S.substr(19), L',', 4);
  } else if (StartsWith(S, L"AT+SMS_DELIVERED_OK=")) {
    c.Kind = K::pcDelivered;
    std::vector<String> f = SplitAll(SecondEqualsPiece(S), L',');
    f.resize(2);
    c.Fields = f;
  } else if (AcceptIncoming && StartsWith(S, L"AT+NEWSMS=")) {
    c.Kind = K::pcNewSms;
    c.Fields = SplitFields(S.substr(10), L'~', 2);
  } else if (StartsWith(S, L"AT+SMS_SEND_OK=")) {
    c.Kind = K::pcSendOk;
    c.Fields = SplitFields(S.substr(15), L'~', 4);
  } else if (StartsWith(S, L"AT+PHONE_IP=")) {
    c.Kind = K::pcPhoneIP;
  } else if (S == L"AT+NEW_CONTACTS") {
    c.Kind = K::pcNewContacts;
  } else if (S == L"+HEART:") {
    c.Kind = K::pcHeart;
  } else if (S == L"AT+GETIP") {
    c.Kind = K::pcGetIP;
  } else if (StartsWith(S, L"AT+PASS=")) {
    c.Kind = K::pcPass;
    c.Fields = {SecondEqualsPiece(S)};
  } else if (StartsWith(S, L"AT+CONTACT=")) {
    c.Kind = K::pcContact;
    c.Fields = {S.substr(11)};
  } else if (S == L"AT+CONTACT_END") {
    c.Kind = K::pcContactEnd;
  }
  return c;
}

std::vector<TPhoneContact> ParseContacts(const String& Rest) {
  // Walks the text once: a phone book of thousands of contacts in one
  // datagram must not cost a copy of the rest of it per field.
  std::vector<TPhoneContact> contacts;
  const size_t n = Rest.size();
  auto skipSpaces = [&](size_t p) {
    while (p < n && Rest[p] == L' ') ++p;
    return p;
  };
  size_t pos = skipSpaces(0);
  // The field up to the delimiter (or the end), without its blanks; the walk
  // goes on after the delimiter and its blanks.
  auto cut = [&](wchar_t Delimiter) {
    size_t end = Rest.find(Delimiter, pos);
    String field = TrimSpaces(Rest.substr(pos, end == String::npos ? String::npos : end - pos));
    pos = end == String::npos ? n : skipSpaces(end + 1);
    return field;
  };
  while (pos < n) {
    TPhoneContact c;
    c.Name = cut(L';');
    c.Number = StringReplaceAll(cut(L'^'), L" ", L"");
    if (c.Name.empty() && c.Number.empty()) continue;
    contacts.push_back(std::move(c));
  }
  return contacts;
}

int PickContact(const std::vector<String>& Numbers, const String& NumberText) {
  if (Numbers.empty()) return -1;
  if (Trim(NumberText).empty()) return 0;
  for (size_t i = 0; i < Numbers.size(); ++i)
    if (AnsiCompareText(Numbers[i], NumberText) == 0) return static_cast<int>(i);
  return -1;
}

SHORT ScanCurrentLayout(wchar_t C) { return VkKeyScanExW(C, GetKeyboardLayout(0)); }

std::vector<TKeyStroke> PasscodeKeyStrokes(const String& Code, const TKeyScanner& Scan) {
  std::vector<TKeyStroke> keys;
  for (wchar_t ch : Code) {
    if ((ch >= L'0' && ch <= L'9') || (ch >= L'A' && ch <= L'Z')) {
      keys.push_back({static_cast<WORD>(ch), {}});
      continue;
    }
    // Halves of a surrogate pair have no key of their own.
    if (ch >= 0xD800 && ch <= 0xDFFF) continue;
    SHORT scan = Scan(ch);
    if (scan == -1 || LOBYTE(scan) == 0xFF) continue;
    TShiftState shift;
    BYTE mods = HIBYTE(scan);
    if (mods & 1) shift.Include(TShiftStateItem::ssShift);
    if (mods & 2) shift.Include(TShiftStateItem::ssCtrl);
    if (mods & 4) shift.Include(TShiftStateItem::ssAlt);
    keys.push_back({LOBYTE(scan), shift});
  }
  return keys;
}
