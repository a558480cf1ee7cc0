#include <gtest/gtest.h>

#include <thread>

#include "base/Clipboard.h"

namespace {

TEST(Clipboard, TextRoundTrip) {
  const String texts[] = {L"Zażółć gęślą jaźń\r\nline 2", L"", L"x"};
  for (const String& t : texts) {
    Clipboard()->SetAsText(t);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_UNICODETEXT));
    EXPECT_EQ(Clipboard()->AsText(), t);
  }
  // Another clipboard object sees the same text, and what the system holds
  // is the text.
  TClipboard other;
  other.SetAsText(L"from another");
  EXPECT_EQ(Clipboard()->AsText(), L"from another");
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE h = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(h, nullptr);
  EXPECT_STREQ(static_cast<const wchar_t*>(GlobalLock(h)), L"from another");
  GlobalUnlock(h);
  CloseClipboard();
}

TEST(Clipboard, EmptyClipboardHasNoText) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_FALSE(Clipboard()->HasFormat(CF_UNICODETEXT));
  EXPECT_EQ(Clipboard()->AsText(), L"");
}

// Another thread holds the clipboard open until told to let go, or for a
// given time.
class Holder {
 public:
  explicit Holder(DWORD holdMs) {
    opened_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, holdMs] {
      HWND wnd = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
      ok_ = OpenClipboard(wnd);
      SetEvent(opened_);
      WaitForSingleObject(release_, holdMs);
      if (ok_) CloseClipboard();
      DestroyWindow(wnd);
    });
    WaitForSingleObject(opened_, 5000);
  }
  ~Holder() {
    SetEvent(release_);
    thread_.join();
    CloseHandle(opened_);
    CloseHandle(release_);
  }
  bool ok_ = false;

 private:
  HANDLE opened_, release_;
  std::thread thread_;
};

TEST(Clipboard, OpeningWaitsBrieflyForAnotherHolder) {
  {
    Holder holder(20);
    ASSERT_TRUE(holder.ok_);
    Clipboard()->SetAsText(L"after a short wait");
  }
  EXPECT_EQ(Clipboard()->AsText(), L"after a short wait");

  Holder holder(INFINITE);
  ASSERT_TRUE(holder.ok_);
  DWORD start = GetTickCount();
  EXPECT_THROW(Clipboard()->SetAsText(L"never"), Exception);
  EXPECT_LT(GetTickCount() - start, 1000u);
}

}  // namespace
