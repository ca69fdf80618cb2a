// One table of texts, run in both trees: the native conversion must give
// the bytes the Windows functions give.
#include "host/codepage.h"

#include <gtest/gtest.h>

namespace {

struct TEXT_CASE {
  const char* what;
  const char* utf8;
  const char* ansi;  // code page 932 bytes
  bool round_trip;   // ansi converts back to utf8
};

const TEXT_CASE kCases[] = {
    {"ASCII and a backslash", u8"arm_L\\1", "arm_L\\1", true},
    {"katakana", u8"ボーン", "\x83\x7B\x81\x5B\x83\x93", true},
    {"kanji", u8"腕", "\x98\x72", true},
    {"circled one (NEC row)", u8"①", "\x87\x40", true},
    {"fullwidth tilde", u8"～", "\x81\x60", true},
    {"half-width katakana", u8"ｷｬﾝｾﾙ", "\xB7\xAC\xDD\xBE\xD9", true},
    {"wave dash has no code", u8"〜", "?", false},
    {"yen sign has no code", u8"¥", "?", false},
    {"e acute has no code", u8"é", "?", false},
    {"the other eight iconv maps", u8"¢£¬—‖‾−", "???????", false},
    {"mixed", u8"x〜y①z", "x?y\x87\x40z", false},
    {"empty", u8"", "", true},
};

TEST(CodePage, Utf8ToAnsi) {
  for (const TEXT_CASE& c : kCases) EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi) << c.what;
}

TEST(CodePage, AnsiToUtf8) {
  for (const TEXT_CASE& c : kCases) {
    if (c.round_trip) {
      EXPECT_EQ(AnsiToUtf8(c.ansi), c.utf8) << c.what;
    }
  }
  EXPECT_EQ(AnsiToUtf8(nullptr), "");
  EXPECT_EQ(Utf8ToAnsi(nullptr), "");
}

}  // namespace
