// The SMS windows' rules that need no window: the text as sent, contact
// lookups, the pattern texts, and the out-box's icon formulas and words.
#include <gtest/gtest.h>

#include "app/ContactSearch.h"
#include "app/OutBoxStatus.h"
#include "app/SmsText.h"
#include "app/TextPatterns.h"

namespace {


TEST(SmsText, LineBreaksGoAndPolishLettersOnlyWhenAsked) {
  struct {
    const wchar_t* field;
    bool onlyEnglish;
    const wchar_t* sent;
  } cases[] = {
      {L"Hi\r\nthere", false, L"Hithere"},
      {L"a\rb\nc\r\n\r\nd", false, L"abcd"},
      {L"Zażółć", true, L"Zazolc"},
      {L"Zażółć", false, L"Zażółć"},
      {L"Zaż\r\nółć", true, L"Zazolc"},
      {L"   ", true, L"   "},
      {L"", true, L""},
  };
  for (auto& c : cases) EXPECT_EQ(SmsTextForSending(c.field, c.onlyEnglish), c.sent) << WideToAnsi(c.field, CP_UTF8);
}

TEST(SmsText, InfoCountsCharactersAndShowsThePartsAsGiven) {
  EXPECT_EQ(SmsInfoText(7, L"1"), L"chars: 7 / SMS: 1");
  EXPECT_EQ(SmsInfoText(0, L"0"), L"chars: 0 / SMS: 0");
  // A count the phone left out shows as nothing.
  EXPECT_EQ(SmsInfoText(12, L""), L"chars: 12 / SMS: ");
}

// ---------------------------------------------------------------------------

struct Book {
  TStringList names, numbers;
  Book(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> entries) {
    for (auto& e : entries) {
      names.Add(e.first);
      numbers.Add(e.second);
    }
  }
};

TEST(ContactSearch, FindContainingIgnoresCaseAndFindsTheFirst) {
  Book b{{L"Ann Lee", L"+48600100200"}, {L"Bob", L"456"}, {L"Żaneta Łoś", L"600100"}, {L"bobby", L"4567"}};
  struct {
    const wchar_t* text;
    int index;
  } cases[] = {
      {L"bob", 1},     {L"BOBB", 3},        {L"lee", 0},   {L"żANETA", 2}, {L"łoś", 2},
      {L"nobody", -1}, {L"", -1},           {L" ", 0},     {L"Ann Lee", 0},
  };
  for (auto& c : cases) EXPECT_EQ(FindContaining(b.names, c.text), c.index) << WideToAnsi(c.text, CP_UTF8);
  TStringList empty;
  EXPECT_EQ(FindContaining(empty, L"a"), -1);
}

TEST(ContactSearch, TypedNumbersFindContactsWithOrWithoutCountryCode) {
  Book b{{L"Ann", L"+48600100200"}, {L"Bob", L"601300400"}, {L"Cyd", L"48111"}};
  struct {
    const wchar_t* typed;
    int index;
  } cases[] = {
      {L"48", 0},             // the first number that contains it
      {L"600", 0},            //
      {L"+48601300", 1},      // the code dropped on the second try
      {L"+4860010", 0},       // found as it stands: no second try
      {L"+49601300400", 1},   // any two-digit code
      {L"+1", -1},            // nothing left after the code
      {L"999", -1},           //
      {L"", -1},              //
  };
  for (auto& c : cases) EXPECT_EQ(FindNumberContaining(b.numbers, c.typed), c.index) << WideToAnsi(c.typed);
}

TEST(ContactSearch, ReceivedNumbersFindNamesByWholeNumber) {
  Book b{{L"Ann", L"+48600100200"}, {L"Bob", L"601300400"}, {L"Nameless", L""}, {L"Cat", L"abc"}};
  struct {
    const wchar_t* number;
    const wchar_t* name;
  } cases[] = {
      {L"+48600100200", L"Ann"},
      {L"600100200", L""},          // stored with its code, received without
      {L"+48601300400", L"Bob"},    // received with a code, stored without
      {L"60130040", L""},           // a part is not the number
      {L"ABC", L"Cat"},             // without regard to case
      {L"", L""},                   // no number is no one's
      {L"+48", L""},                //
  };
  for (auto& c : cases)
    EXPECT_EQ(ContactNameOf(b.names, b.numbers, c.number), c.name) << WideToAnsi(c.number);
}

// ---------------------------------------------------------------------------

TEST(TextPatterns, KeysAndDefaultTitles) {
  EXPECT_EQ(PatternTitleKey(1), L"pat1_title");
  EXPECT_EQ(PatternTextKey(2), L"pat2_text");
  EXPECT_EQ(DefaultPatternTitle(1), L"Pattern1");
  EXPECT_EQ(DefaultPatternTitle(2), L"Pattern2");
}

TEST(TextPatterns, EditorTitleAndText) {
  EXPECT_EQ(PatternTitleFromEditor(L"  Home  ", 1), L"Home");
  EXPECT_EQ(PatternTitleFromEditor(L"   ", 2), L"Pattern2");
  EXPECT_EQ(PatternTitleFromEditor(L"", 1), L"Pattern1");
  EXPECT_EQ(PatternTextFromEditor(L"first\r\nsecond"), L"first second");
  EXPECT_EQ(PatternTextFromEditor(L"a\r\n\r\nb\n"), L"a  b");
  EXPECT_EQ(PatternTextFromEditor(L"one line"), L"one line");
}

TEST(TextPatterns, InsertionAppendsTheClipboardOnlyToAText) {
  EXPECT_EQ(PatternInsertion(L"Code: ", true, L"4711"), L"Code: 4711");
  EXPECT_EQ(PatternInsertion(L"Code: ", false, L"4711"), L"Code: ");
  EXPECT_EQ(PatternInsertion(L"", true, L"4711"), L"");
  EXPECT_EQ(PatternInsertion(L"x", true, L""), L"x");
}

// ---------------------------------------------------------------------------

TEST(OutBoxStatus, PartCountsReadAsAtLeastOne) {
  struct {
    const wchar_t* text;
    int parts;
  } cases[] = {{L"3", 3}, {L"1", 1}, {L"", 1}, {L"x", 1}, {L"0", 1}, {L"-2", 1}, {L"12", 12}};
  for (auto& c : cases) EXPECT_EQ(PartCountOf(c.text), c.parts) << WideToAnsi(c.text);
}

TEST(OutBoxStatus, SentStateImageIsTheSentFractionOfElevenHalvesToEven) {
  struct {
    int sent, parts, image;
  } cases[] = {
      {0, 1, 0},  {1, 1, 11},              // one part
      {1, 3, 4},  {2, 3, 7},  {3, 3, 11},  // 3.67 and 7.33
      {1, 2, 6},                           // 5.5 goes to 6
      {3, 2, 11},                          // beyond the count: held at 11
      {5, 10, 6},                          // 5.5 goes to 6
      {1, 22, 0},                          // 0.5 goes to 0
      {3, 22, 2},                          // 1.5 goes to 2
      {5, 22, 2},                          // 2.5 goes to 2
      {1, 4, 3},                           // 2.75
  };
  for (auto& c : cases) EXPECT_EQ(SentStateImage(c.sent, c.parts), c.image) << c.sent << "/" << c.parts;
}

TEST(OutBoxStatus, RepeatedStatusesOnLongMessagesNeverReachTheFailedImage) {
  // Ten parts of eleven already give 10; a repeated status would give 12,
  // the failed image, and more would give images that do not exist.
  for (int parts = 9; parts <= 11; ++parts)
    for (int sent = parts; sent <= parts + 5; ++sent) EXPECT_EQ(SentStateImage(sent, parts), AllSentStateImage);
  EXPECT_EQ(SentStateImage(100, 1), AllSentStateImage);
}

TEST(OutBoxStatus, PartCountsOfZeroOrLessCountAsOne) {
  for (int parts : {0, -1, -7}) {
    EXPECT_EQ(SentStateImage(0, parts), 0);
    EXPECT_EQ(SentStateImage(1, parts), 11);
    EXPECT_EQ(DeliveryImage(1, parts), DeliveredImage);
    EXPECT_EQ(InitialDeliveryImage(parts), NotDeliveredImage);
    EXPECT_EQ(SendStatusWords(1, parts), L"Send OK");
    EXPECT_EQ(DeliveryWords(1, parts), L"DELIVERED");
  }
}

TEST(OutBoxStatus, DeliveryImageIsTheDeliveredFractionOfTwelvePlusTwo) {
  struct {
    int delivered, parts, image;
  } cases[] = {
      {1, 1, 1},  {5, 1, 1},                // one part: delivered
      {0, 2, 2},  {1, 2, 8},  {2, 2, 14},   // 0.5 × 12 = 6, + 2
      {1, 3, 6},  {2, 3, 10}, {3, 3, 14},   // 4 + 2
      {1, 8, 4},                            // 1.5 goes to 2, + 2
      {3, 8, 6},                            // 4.5 goes to 4, + 2
      {5, 8, 10},                           // 7.5 goes to 8, + 2
      {9, 3, 14},                           // beyond the count: held at 14
  };
  for (auto& c : cases) EXPECT_EQ(DeliveryImage(c.delivered, c.parts), c.image) << c.delivered << "/" << c.parts;
  EXPECT_EQ(InitialDeliveryImage(1), NotDeliveredImage);
  EXPECT_EQ(InitialDeliveryImage(2), FirstPartsImage);
}

TEST(OutBoxStatus, WordsSayWhetherEveryPartGotThrough) {
  EXPECT_EQ(SendStatusWords(0, 1), L"Send (partly)");
  EXPECT_EQ(SendStatusWords(1, 1), L"Send OK");
  EXPECT_EQ(SendStatusWords(2, 3), L"Send (partly)");
  EXPECT_EQ(SendStatusWords(4, 3), L"Send OK");
  EXPECT_EQ(DeliveryWords(0, 1), L"DELIVERED (partly)");
  EXPECT_EQ(DeliveryWords(2, 3), L"DELIVERED (partly)");
  EXPECT_EQ(DeliveryWords(3, 3), L"DELIVERED");
}

}  // namespace
