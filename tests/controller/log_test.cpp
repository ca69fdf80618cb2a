#include "controller/log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void Capture(const char* line, void* context) { static_cast<std::vector<std::string>*>(context)->push_back(line); }

TEST(Log, LinesGoToTheSinkWithANewlineAndAreDroppedWithoutOne) {
  DLLog("before any sink %d", 1);  // dropped, no crash
  std::vector<std::string> lines;
  SetLogSink(Capture, &lines);
  DLLog("OnNewDocument");
  DLLog("filename(%s) %d", "help\\index.html", 42);
  DLLog("Rigvane情報をロードしません");
  SetLogSink(nullptr, nullptr);
  DLLog("after");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "OnNewDocument\n");
  EXPECT_EQ(lines[1], "filename(help\\index.html) 42\n");
  EXPECT_EQ(lines[2], std::string("Rigvane情報をロードしません") + "\n");
}

struct CUT_CASE {
  const char* what;
  std::string text;
  size_t kept;
};

TEST(FormatText, LongTextIsCutToFitANewlineWithoutSplittingACharacter) {
  const std::string a1020(1020, 'a'), a1021(1021, 'a');
  std::string kanji;  // "亜" is 0x88 0x9F: its second byte also looks like a lead byte
  for (int i = 0; i < 511; ++i) kanji += "\x88\x9F";
  const CUT_CASE cases[] = {
      {"short", "abc", 3},
      {"exactly the limit", std::string(1022, 'b'), 1022},
      {"one over", std::string(1023, 'b'), 1022},
      {"far over", std::string(5000, 'b'), 1022},
      {"pair ends at the limit", a1020 + "\x88\x9F", 1022},
      {"pair straddles the limit", a1021 + "\x88\x9F", 1021},
      {"pairs whose second bytes look like lead bytes", kanji + "a", 1022},
      {"the same shifted by one", "a" + kanji, 1021},
  };
  for (const CUT_CASE& c : cases) {
    char buffer[FORMAT_BUFFER_SIZE];
    int n = FormatText(buffer, "%s", c.text.c_str());
    EXPECT_EQ(static_cast<size_t>(n), c.kept) << c.what;
    EXPECT_EQ(std::string(buffer), c.text.substr(0, c.kept)) << c.what;
  }
}

TEST(Log, ALongLineStillEndsWithItsNewline) {
  std::vector<std::string> lines;
  SetLogSink(Capture, &lines);
  DLLog("%s", std::string(3000, 'x').c_str());
  SetLogSink(nullptr, nullptr);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].size(), 1023u);
  EXPECT_EQ(lines[0].back(), '\n');
}

}  // namespace
