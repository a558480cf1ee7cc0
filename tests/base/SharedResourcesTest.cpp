#include <gtest/gtest.h>

#include <thread>

#include "base/SharedResources.h"

namespace {

TEST(SharedResources, SystemCursorsAndIconsAreTheSystemsOwnHandles) {
  const LPCWSTR cursors[] = {IDC_ARROW, IDC_IBEAM, IDC_HAND, IDC_SIZEWE, IDC_SIZENS, IDC_WAIT, IDC_NO};
  for (LPCWSTR id : cursors) {
    SCOPED_TRACE(reinterpret_cast<ULONG_PTR>(id));
    HCURSOR first = SharedCursor(nullptr, id);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, LoadCursorW(nullptr, id));
    EXPECT_EQ(SharedCursor(nullptr, id), first);
  }
  EXPECT_NE(SharedCursor(nullptr, IDC_ARROW), SharedCursor(nullptr, IDC_IBEAM));
  HICON icon = SharedIcon(nullptr, IDI_APPLICATION);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon, LoadIconW(nullptr, IDI_APPLICATION));
  // A cursor and an icon of the same number are different things.
  EXPECT_NE(static_cast<HANDLE>(SharedIcon(nullptr, MAKEINTRESOURCEW(32512))),
            static_cast<HANDLE>(SharedCursor(nullptr, MAKEINTRESOURCEW(32512))));
}

TEST(SharedResources, NamedResourcesAreFoundByTheirNameNotItsAddress) {
  HINSTANCE self = GetModuleHandleW(nullptr);
  wchar_t a[] = L"NO_SUCH_ICON";
  EXPECT_EQ(SharedIcon(self, a), nullptr);
  EXPECT_EQ(SharedIcon(self, a), nullptr);  // missing stays missing
  // The same text in another buffer is the same resource; the buffer that
  // first held the name may change afterwards.
  wchar_t b[] = L"NO_SUCH_ICON";
  a[0] = L'X';
  EXPECT_EQ(SharedIcon(self, b), nullptr);
  // A missing named cursor leaves the system's cursors as they were.
  EXPECT_EQ(SharedCursor(nullptr, L"NO_SUCH_CURSOR"), nullptr);
  EXPECT_EQ(SharedCursor(nullptr, IDC_ARROW), LoadCursorW(nullptr, IDC_ARROW));
}

int IconWidth(HICON Icon) {
  ICONINFO info{};
  if (!GetIconInfo(Icon, &info)) return -1;
  BITMAP bm{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return bm.bmWidth;
}

TEST(SharedResources, AnIconsSmallVersionIsLoadedOnceAtTheSmallSize) {
  HICON icon = SharedIcon(nullptr, IDI_APPLICATION);
  HICON small = SharedSmallIcon(icon);
  ASSERT_NE(small, nullptr);
  EXPECT_NE(small, icon);
  EXPECT_EQ(SharedSmallIcon(icon), small);
  EXPECT_EQ(IconWidth(small), GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(IconWidth(icon), GetSystemMetrics(SM_CXICON));
  // Another icon's small version is the system's business.
  HICON own = CopyIcon(icon);
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(SharedSmallIcon(own), nullptr);
  DestroyIcon(own);
  EXPECT_EQ(SharedSmallIcon(nullptr), nullptr);
}

TEST(SharedResources, ThreadsAskingAtOnceGetTheSameHandle) {
  HCURSOR seen[8] = {};
  std::thread threads[8];
  for (int i = 0; i < 8; ++i)
    threads[i] = std::thread([&seen, i] {
      for (int n = 0; n < 50; ++n) seen[i] = SharedCursor(nullptr, IDC_CROSS);
    });
  for (std::thread& t : threads) t.join();
  for (HCURSOR h : seen) EXPECT_EQ(h, LoadCursorW(nullptr, IDC_CROSS));
}

}  // namespace
