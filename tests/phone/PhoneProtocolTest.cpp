// Reading the phone's commands: the dispatcher's order of tests, the fields
// of each command, phone-book datagrams, the contact picked after a phone
// book and the key strokes that type a passcode.
#include <gtest/gtest.h>

#include "app/PhoneProtocol.h"

void PrintTo(const TKeyStroke& k, std::ostream* os) { *os << "{vk " << k.Key << ", mods " << k.Shift.Bits() << "}"; }
void PrintTo(const TPhoneContact& c, std::ostream* os) {
  *os << "{" << WideToAnsi(c.Name, CP_UTF8) << ", " << WideToAnsi(c.Number, CP_UTF8) << "}";
}

namespace {

using K = TPhoneCommandKind;

struct CommandCase {
  const wchar_t* Text;
  bool Accept;
  K Kind;
  std::vector<String> Fields;
};

class PhoneCommandTable : public testing::TestWithParam<CommandCase> {};

TEST_P(PhoneCommandTable, KindAndFields) {
  const CommandCase& c = GetParam();
  TPhoneCommand cmd = ParsePhoneCommand(c.Text, c.Accept);
  EXPECT_EQ(cmd.Kind, c.Kind) << testing::PrintToString(AnsiString(WideToAnsi(c.Text)));
  EXPECT_EQ(cmd.Fields, c.Fields) << testing::PrintToString(AnsiString(WideToAnsi(c.Text)));
}

INSTANTIATE_TEST_SUITE_P(
    Dispatcher, PhoneCommandTable,
    testing::Values(
        // Part count: the text between the first and the second "=".
        CommandCase{L"AT+SMS_PARTS_CNT=3", true, K::pcPartsCount, {L"3"}},
        CommandCase{L"AT+SMS_PARTS_CNT=", true, K::pcPartsCount, {L""}},
        CommandCase{L"AT+SMS_PARTS_CNT=2=9", true, K::pcPartsCount, {L"2"}},
        // Send status: number, id, status, error; the error keeps its
        // separators.
        CommandCase{L"AT+SMS_SEND_STATUS=123,7,1,", true, K::pcSendStatus, {L"123", L"7", L"1", L""}},
        CommandCase{L"AT+SMS_SEND_STATUS=123,7,0,no service, retry=later", true, K::pcSendStatus,
                    {L"123", L"7", L"0", L"no service, retry=later"}},
        CommandCase{L"AT+SMS_SEND_STATUS=123", true, K::pcSendStatus, {L"123", L"", L"", L""}},
        // Delivery report: number and id; missing fields read empty.
        CommandCase{L"AT+SMS_DELIVERED_OK=123,7", true, K::pcDelivered, {L"123", L"7"}},
        CommandCase{L"AT+SMS_DELIVERED_OK=123", true, K::pcDelivered, {L"123", L""}},
        // Incoming SMS: the body takes the rest, "~" included.
        CommandCase{L"AT+NEWSMS=+48600~Hi ~ there~", true, K::pcNewSms, {L"+48600", L"Hi ~ there~"}},
        CommandCase{L"AT+NEWSMS=+48600", true, K::pcNewSms, {L"+48600", L""}},
        // Without the accept option it falls through to the end.
        CommandCase{L"AT+NEWSMS=+48600~Hi", false, K::pcOther, {}},
        // Send OK: number, id, parts, body (the body keeps its "~").
        CommandCase{L"AT+SMS_SEND_OK=123~7~2~Hello", true, K::pcSendOk, {L"123", L"7", L"2", L"Hello"}},
        CommandCase{L"AT+SMS_SEND_OK=123~7~2~a~b", true, K::pcSendOk, {L"123", L"7", L"2", L"a~b"}},
        CommandCase{L"AT+SMS_SEND_OK=123", true, K::pcSendOk, {L"123", L"", L"", L""}},
        CommandCase{L"AT+PHONE_IP=10.0.0.9", true, K::pcPhoneIP, {}},
        CommandCase{L"AT+PHONE_IP=", true, K::pcPhoneIP, {}},
        // Exact matches only.
        CommandCase{L"AT+NEW_CONTACTS", true, K::pcNewContacts, {}},
        CommandCase{L"AT+NEW_CONTACTS ", true, K::pcOther, {}},
        CommandCase{L"+HEART:", true, K::pcHeart, {}},
        CommandCase{L"+HEART:x", true, K::pcOther, {}},
        CommandCase{L"AT+GETIP", true, K::pcGetIP, {}},
        CommandCase{L"at+getip", true, K::pcOther, {}},
        // Passcode: the text between the first and the second "=".
        CommandCase{L"AT+PASS=  1234 ", true, K::pcPass, {L"  1234 "}},
        CommandCase{L"AT+PASS=12=34", true, K::pcPass, {L"12"}},
        CommandCase{L"AT+CONTACT=Ann;1^", true, K::pcContact, {L"Ann;1^"}},
        CommandCase{L"AT+CONTACT=", true, K::pcContact, {L""}},
        CommandCase{L"AT+CONTACT_END", true, K::pcContactEnd, {}},
        CommandCase{L"", true, K::pcOther, {}},
        CommandCase{L"hello", true, K::pcOther, {}}));

struct ContactCase {
  const wchar_t* Rest;
  std::vector<TPhoneContact> Contacts;
};

class ContactTable : public testing::TestWithParam<ContactCase> {};

TEST_P(ContactTable, Contacts) {
  EXPECT_EQ(ParseContacts(GetParam().Rest), GetParam().Contacts);
}

INSTANTIATE_TEST_SUITE_P(
    PhoneBook, ContactTable,
    testing::Values(ContactCase{L"Ann;+4 8 1^Bob;456^", {{L"Ann", L"+481"}, {L"Bob", L"456"}}},
                    ContactCase{L" Ann Lee ; 1 2 ^Bob;456", {{L"Ann Lee", L"12"}, {L"Bob", L"456"}}},
                    ContactCase{L"Ann", {{L"Ann", L""}}},
                    ContactCase{L"Ann;", {{L"Ann", L""}}},
                    // Nothing after the keyword adds nobody.
                    ContactCase{L"", {}},
                    ContactCase{L"   ", {}},
                    ContactCase{L";^;^", {}}));

TEST(PickContact, FirstForAnEmptyNumberElseTheMatchingNumber) {
  std::vector<String> numbers = {L"+48111", L"ab12", L"555"};
  EXPECT_EQ(PickContact({}, L""), -1);
  EXPECT_EQ(PickContact(numbers, L""), 0);
  EXPECT_EQ(PickContact(numbers, L"  "), 0);
  EXPECT_EQ(PickContact(numbers, L"AB12"), 1);
  EXPECT_EQ(PickContact(numbers, L"555"), 2);
  EXPECT_EQ(PickContact(numbers, L" 555"), -1);
  EXPECT_EQ(PickContact(numbers, L"999"), -1);
}

// A layout like the US one, with one character that needs AltGr.
SHORT FakeLayout(wchar_t c) {
  if (c >= L'a' && c <= L'z') return static_cast<SHORT>(c - L'a' + 'A');
  switch (c) {
    case L'.': return VK_OEM_PERIOD;
    case L'[': return VK_OEM_4;
    case L'{': return static_cast<SHORT>(0x100 | VK_OEM_4);
    case L'!': return static_cast<SHORT>(0x100 | '1');
    case L' ': return VK_SPACE;
    case 0x20AC: return static_cast<SHORT>(0x600 | '5');  // euro sign on AltGr+5
    default: return -1;
  }
}

TEST(PasscodeKeys, EachCharacterThroughTheKeyThatProducesIt) {
  const TShiftState none;
  const TShiftState shift{TShiftStateItem::ssShift};
  const TShiftState altGr{TShiftStateItem::ssCtrl, TShiftStateItem::ssAlt};
  struct Case {
    const wchar_t* Code;
    std::vector<TKeyStroke> Keys;
  } cases[] = {
      // Digits and capitals are their own keys, without Shift.
      {L"1234", {{'1', none}, {'2', none}, {'3', none}, {'4', none}}},
      {L"AZ09", {{'A', none}, {'Z', none}, {'0', none}, {'9', none}}},
      // "a" is the A key, not the keypad's 1; "." is not Delete, "[" not
      // the Windows key, "p" not F1.
      {L"a.[p", {{'A', none}, {VK_OEM_PERIOD, none}, {VK_OEM_4, none}, {'P', none}}},
      {L"{!", {{VK_OEM_4, shift}, {'1', shift}}},
      {L"\u20AC", {{'5', altGr}}},
      // Characters no key produces are left out, surrogates included.
      {L"1\u00E9\U0001F600 2", {{'1', none}, {VK_SPACE, none}, {'2', none}}},
      {L"", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PasscodeKeyStrokes(c.Code, FakeLayout), c.Keys) << WideToAnsi(c.Code, CP_UTF8);
}

}  // namespace
