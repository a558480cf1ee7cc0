// The phone protocol's pure routines on any datagram text: which command it
// is and its fields, the contacts of a phone book, the contact picked after
// one, and the key strokes of a passcode.
#include "app/PhoneProtocol.h"
#include "base/SysUtils.h"
#include "tests/fuzz/Fuzz.h"

void FuzzOne(const uint8_t* Data, size_t Size) {
  // As the service hands it on: the bytes in the ANSI code page.
  String text = AnsiToWide(std::string(reinterpret_cast<const char*>(Data), Size));
  for (bool accept : {false, true}) {
    TPhoneCommand cmd = ParsePhoneCommand(text, accept);
    size_t length = 0;
    for (const String& f : cmd.Fields) length += f.size();
    FuzzCheck(length <= text.size(), "the fields hold more than the datagram");
    FuzzCheck(cmd.Field(cmd.Fields.size() + 3).empty(), "a missing field is not empty");
  }
  std::vector<TPhoneContact> contacts = ParseContacts(text);
  FuzzCheck(contacts.size() <= text.size() / 2 + 1, "more contacts than separators");
  std::vector<String> numbers;
  for (const TPhoneContact& c : contacts) {
    FuzzCheck(!c.Name.empty() || !c.Number.empty(), "an empty contact");
    numbers.push_back(c.Number);
  }
  String wanted = numbers.empty() ? text.substr(0, 8) : numbers[numbers.size() / 2];
  int picked = PickContact(numbers, wanted);
  FuzzCheck(picked >= -1 && picked < static_cast<int>(numbers.size()), "a picked contact out of range");
  // A layout that has keys for ASCII only, and one that has none.
  auto ascii = [](wchar_t c) -> SHORT { return c < 128 ? static_cast<SHORT>((c & 0x7F) | ((c & 1) << 8)) : -1; };
  FuzzCheck(PasscodeKeyStrokes(text, ascii).size() <= text.size(), "more key strokes than characters");
  FuzzCheck(PasscodeKeyStrokes(text, [](wchar_t) -> SHORT { return -1; }).size() <= text.size(),
            "key strokes without keys");
}
