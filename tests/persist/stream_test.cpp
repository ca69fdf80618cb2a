#include "persist/stream.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const DL_STREAM& s) { return std::vector<uint8_t>(s.Data(), s.Data() + s.DataLength()); }

TEST(Stream, PrimitivesAreLittleEndianWithoutPadding) {
  DL_STREAM s;
  s.CreateMemory(4);  // grows by doubling
  ASSERT_TRUE(s.WriteByte(0xAB));
  ASSERT_TRUE(s.WriteInt16(0x1234));
  ASSERT_TRUE(s.WriteInt(-2));
  ASSERT_TRUE(s.WriteFloat(1.0f));
  ASSERT_TRUE(s.WriteColor(RGBA8(1, 2, 3, 4)));
  ASSERT_TRUE(s.WriteText("ab"));
  EXPECT_EQ(Bytes(s), (std::vector<uint8_t>{0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0x3F, 1, 2,
                                            3, 4, 'a', 'b', 0}));
  DL_STREAM r;
  r.OpenView(s.Data(), s.DataLength());
  uint8_t b;
  int16_t h;
  int32_t i;
  float f;
  RGBA8 c;
  char text[8];
  ASSERT_TRUE(r.ReadByte(&b) && r.ReadInt16(&h) && r.ReadInt(&i) && r.ReadFloat(&f) && r.ReadColor(&c) &&
              r.ReadText(text, sizeof text));
  EXPECT_EQ(h, 0x1234);
  EXPECT_EQ(i, -2);
  EXPECT_EQ(f, 1.0f);
  EXPECT_EQ(c, RGBA8(1, 2, 3, 4));
  EXPECT_STREQ(text, "ab");
  EXPECT_TRUE(r.AtEnd());
  EXPECT_FALSE(r.ReadByte(&b));  // nothing past the end
}

TEST(Stream, ForeignOrderReversesEveryMultiByteValue) {
  DL_STREAM s;
  s.CreateMemory(16);
  s.native_order = false;
  s.WriteInt(0x01020304);
  s.WriteColor(RGBA8(1, 2, 3, 4));
  EXPECT_EQ(Bytes(s), (std::vector<uint8_t>{1, 2, 3, 4, 4, 3, 2, 1}));
}

TEST(Stream, MathTypesAndTexts) {
  DL_STREAM s;
  s.CreateMemory(64);
  MAT44 m;
  m.RotateZ(0.5f);
  m.SetTranslation(VEC3(1, 2, 3));
  s.WriteMat44(m);
  s.WriteQuat(QUAT(1, 2, 3, 4));
  s.WriteVec2(VEC2(5, 6));
  s.WriteText(std::string(300, 'x').c_str());
  s.WriteText("\x88\x9F\x88\x9F");  // two double-byte characters
  EXPECT_EQ(s.DataLength(), 64u + 16 + 8 + 301 + 5);
  DL_STREAM r;
  r.OpenView(s.Data(), s.DataLength());
  MAT44 m2;
  QUAT q;
  VEC2 v;
  char name[256], small[4];
  ASSERT_TRUE(r.ReadMat44(&m2) && r.ReadQuat(&q) && r.ReadVec2(&v));
  EXPECT_EQ(m2, m);
  EXPECT_EQ(q, QUAT(1, 2, 3, 4));
  ASSERT_TRUE(r.ReadText(name, sizeof name));
  EXPECT_EQ(strlen(name), 255u);  // cut to the field
  ASSERT_TRUE(r.ReadText(small, sizeof small));
  EXPECT_STREQ(small, "\x88\x9F");  // never half a character
  EXPECT_TRUE(r.AtEnd());
  // A text without its terminator fails.
  const uint8_t open_text[] = {'a', 'b'};
  r.OpenView(open_text, 2);
  EXPECT_FALSE(r.ReadText(name, sizeof name));
}

TEST(Stream, ChunksCarryTheirWholeLength) {
  DL_STREAM s;
  s.CreateMemory(64);
  s.BeginChunk(7);
  s.EndChunk();
  s.BeginChunk(1);
  s.WriteInt(5);
  s.BeginChunk(2);
  s.WriteByte(9);
  s.EndChunk();
  s.EndChunk();
  std::vector<uint8_t> b = Bytes(s);
  ASSERT_EQ(b.size(), 8u + 8 + 4 + 9);
  EXPECT_EQ(b[4], 8);   // an empty chunk
  EXPECT_EQ(b[12], 21); // the outer chunk
  EXPECT_EQ(b[24], 9);  // the inner one
  DL_STREAM r;
  r.OpenView(s.Data(), s.DataLength());
  uint32_t tag;
  size_t end;
  ASSERT_TRUE(r.ReadChunkHeader(&tag, &end));
  EXPECT_EQ(tag, 7u);
  EXPECT_EQ(end, 8u);
  EXPECT_TRUE(r.SkipToChunkEnd(end));
  ASSERT_TRUE(r.ReadChunkHeader(&tag, &end));
  EXPECT_EQ(end, 29u);
  EXPECT_FALSE(r.SkipToChunkEnd(end));  // nothing follows
  EXPECT_TRUE(r.AtEnd());
  EXPECT_FALSE(r.ReadChunkHeader(&tag, &end));
  // Short tails and lengths below 8 are no chunks.
  const uint8_t bad[] = {1, 0, 0, 0, 4, 0, 0, 0, 0, 0};
  r.OpenView(bad, sizeof bad);
  EXPECT_FALSE(r.ReadChunkHeader(&tag, &end));
  r.OpenView(bad, 7);
  EXPECT_FALSE(r.ReadChunkHeader(&tag, &end));
}

TEST(Stream, FileModes) {
  char path[] = "/tmp/rigvane_stream_XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  DL_STREAM w;
  ASSERT_TRUE(w.OpenFile(path, STREAM_WRITE_BUFFERED, 8));
  EXPECT_TRUE(w.WriteInt(1));
  EXPECT_TRUE(w.WriteInt(2));
  EXPECT_FALSE(w.WriteByte(3));  // never past the buffer
  EXPECT_TRUE(w.Close());
  DL_STREAM r;
  ASSERT_TRUE(r.OpenFile(path, STREAM_READ_WHOLE));
  EXPECT_EQ(r.Size(), 8u);
  int32_t a, b;
  ASSERT_TRUE(r.ReadInt(&a) && r.ReadInt(&b));
  EXPECT_EQ(b, 2);
  EXPECT_TRUE(r.AtEnd());
  DL_STREAM line;
  ASSERT_TRUE(line.OpenFile(path, STREAM_WRITE));
  line.WriteLine("HIERARCHY %d", 3);
  line.WriteFormat("x");
  line.Close();
  DL_STREAM in;
  ASSERT_TRUE(in.OpenFile(path, STREAM_READ));
  char text[32] = {};
  EXPECT_TRUE(in.Read(text, 14));
  EXPECT_STREQ(text, "HIERARCHY 3\r\nx");
  EXPECT_FALSE(in.Read(text, 1));
  EXPECT_TRUE(in.AtEnd());
  in.Close();  // Windows deletes no open file
  remove(path);
  EXPECT_FALSE(in.OpenFile(path, STREAM_READ));
  EXPECT_FALSE(in.OpenFile("", STREAM_READ_WHOLE));
}

}  // namespace
