// The system clipboard, for real.
#include "ui/clipboard.h"

#include <gtest/gtest.h>
#include <string.h>
#include <windows.h>

namespace {

TEST(WindowsClipboard, PutAndGetUnderARegisteredFormat) {
  uint32_t format = ClipboardRegisterFormat("RIGVANE_TEST_FORMAT");
  ASSERT_NE(format, 0u);
  const char bytes[] = "\x01\x02\x03 data";
  ASSERT_TRUE(ClipboardPut(nullptr, format, bytes, sizeof bytes));
  // Put without a window of the caller's: our own window owns the data, as
  // Windows requires for SetClipboardData to succeed.
  EXPECT_NE(GetClipboardOwner(), nullptr);
  size_t size = 0;
  uint8_t* got = ClipboardGet(nullptr, format, &size);
  ASSERT_NE(got, nullptr);
  ASSERT_GE(size, sizeof bytes);
  EXPECT_EQ(memcmp(got, bytes, sizeof bytes), 0);
  for (size_t i = sizeof bytes; i < size; ++i) EXPECT_EQ(got[i], 0) << i;
  ClipboardFree(got);
  uint32_t other = ClipboardRegisterFormat("RIGVANE_TEST_OTHER");
  EXPECT_EQ(ClipboardGet(nullptr, other, &size), nullptr);
  EXPECT_EQ(size, 0u);
  // The clipboard is closed again: another opener gets it.
  ASSERT_TRUE(OpenClipboard(nullptr));
  CloseClipboard();
  ClipboardShutdown();
}

}  // namespace
