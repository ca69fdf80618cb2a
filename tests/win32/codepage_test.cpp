#include <gtest/gtest.h>
#include <windows.h>

TEST(CodePage, AnsiCodePageIs932) { EXPECT_EQ(GetACP(), 932u); }

TEST(CodePage, PluginLiteralsAreShiftJisText) {
  // Compiled from UTF-8 source into code page 932 bytes; the system's own
  // conversion must read them back as the same characters.
  const char* text = "ボーンプラグイン";
  wchar_t wide[32] = {};
  int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, -1, wide, 32);
  ASSERT_GT(n, 0);
  EXPECT_STREQ(wide, L"\u30DC\u30FC\u30F3\u30D7\u30E9\u30B0\u30A4\u30F3");
}
