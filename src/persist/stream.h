// A byte stream over a file or a memory buffer: fixed encodings of the
// primitive and math types, length-prefixed tagged chunks and formatted
// text. Every operation reports success; a failed read leaves its output
// as it was.
#pragma once

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <vector>

#include "math/mat44.h"
#include "math/rgba8.h"

enum STREAM_FILE_MODE {
  STREAM_READ = 1,           // streaming read
  STREAM_WRITE = 2,          // streaming write
  STREAM_READ_WHOLE = 3,     // the whole file read into memory at open
  STREAM_WRITE_BUFFERED = 4  // into a fixed buffer, written to the file at close
};

struct DL_STREAM {
  bool native_order = true;  // multi-byte values as they are in memory (little-endian)

  DL_STREAM() = default;
  DL_STREAM(const DL_STREAM&) = delete;
  DL_STREAM& operator=(const DL_STREAM&) = delete;
  ~DL_STREAM() { Close(); }

  // Back ends.
  bool OpenFile(const char* path, STREAM_FILE_MODE mode, size_t buffer_size = 0);
  // A growable memory buffer of its own.
  void CreateMemory(size_t capacity);
  // A read-only view of the caller's bytes.
  void OpenView(const uint8_t* bytes, size_t length);
  // A read-only stream over bytes it takes over (a clipboard copy).
  void OpenOwned(std::vector<uint8_t>&& bytes);
  bool Close();

  // Raw access. Memory streams take the inline path: records are many small
  // values.
  bool Read(void* out, size_t n) {
    if (kind_ == MEMORY && position_ <= view_length_ && n <= view_length_ - position_ && !writable_) {
      memcpy(out, Bytes() + position_, n);
      position_ += n;
      return true;
    }
    return ReadSlow(out, n);
  }
  bool Write(const void* in, size_t n) {
    if (kind_ == MEMORY && writable_ && n <= capacity_ - position_) {
      memcpy(buffer_ + position_, in, n);
      position_ += n;
      if (position_ > view_length_) view_length_ = position_;
      return true;
    }
    return WriteSlow(in, n);
  }
  bool Seek(size_t position);
  size_t Tell() const;
  size_t Size() const;
  bool AtEnd() const;
  size_t Remaining() const { return Size() > Tell() ? Size() - Tell() : 0; }
  // The written bytes of a memory stream.
  const uint8_t* Data() const;
  size_t DataLength() const { return Tell(); }
  void ShrinkToFit();
  // Empties a memory stream for writing again, keeping its buffer.
  void Rewind() {
    position_ = 0;
    view_length_ = 0;
    chunks_.clear();
  }

  // Primitives.
  bool WriteByte(uint8_t v) { return Write(&v, 1); }
  bool ReadByte(uint8_t* v) { return Read(v, 1); }
  bool WriteInt16(int16_t v) { return WriteOrdered(&v, 2); }
  bool ReadInt16(int16_t* v) { return ReadOrdered(v, 2); }
  bool WriteInt(int32_t v) { return WriteOrdered(&v, 4); }
  bool ReadInt(int32_t* v) { return ReadOrdered(v, 4); }
  bool WriteUInt(uint32_t v) { return WriteOrdered(&v, 4); }
  bool ReadUInt(uint32_t* v) { return ReadOrdered(v, 4); }
  bool WriteFloat(float v) { return WriteOrdered(&v, 4); }
  bool ReadFloat(float* v) { return ReadOrdered(v, 4); }
  bool WriteVec2(const VEC2& v) { return WriteFloat(v.x) && WriteFloat(v.y); }
  bool ReadVec2(VEC2* v);
  bool WriteVec3(const VEC3& v) { return WriteFloat(v.x) && WriteFloat(v.y) && WriteFloat(v.z); }
  bool ReadVec3(VEC3* v);
  bool WriteVec4(const VEC4& v) { return WriteFloat(v.x) && WriteFloat(v.y) && WriteFloat(v.z) && WriteFloat(v.w); }
  bool ReadVec4(VEC4* v);
  bool WriteQuat(const QUAT& q) { return WriteFloat(q.x) && WriteFloat(q.y) && WriteFloat(q.z) && WriteFloat(q.w); }
  bool ReadQuat(QUAT* q);
  bool WriteMat44(const MAT44& m);
  bool ReadMat44(MAT44* m);
  bool WriteColor(const RGBA8& c);
  bool ReadColor(RGBA8* c);
  // The text and its terminator.
  bool WriteText(const char* text);
  // Reads up to and including the terminator into out[size]; a longer text
  // is cut at a character boundary. Fails when no terminator follows.
  bool ReadText(char* out, size_t size);

  // Chunks: tag, length of the whole chunk including its 8 header bytes,
  // payload.
  bool BeginChunk(uint32_t tag);
  bool EndChunk();
  // Fails at the end of the data, with fewer than 8 bytes left, or for a
  // length below 8 (what follows is then no chunk); gives the chunk's end.
  bool ReadChunkHeader(uint32_t* tag, size_t* end);
  // Moves to the chunk's end; false when no more data follows.
  bool SkipToChunkEnd(size_t end);
  bool AtOrAfter(size_t position) const { return Tell() >= position; }

  // Formatted text, expanded by the one formatting rule.
  bool WriteFormat(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;
  bool WriteLine(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;

 private:
  enum KIND { NONE, MEMORY, FILE_STREAM } kind_ = NONE;
  // Memory (also the whole-file read and the buffered write). Written
  // bytes live in a block that grows by realloc, so that growing neither
  // zero-fills nor, for large blocks, copies.
  uint8_t* buffer_ = nullptr;
  size_t capacity_ = 0;
  std::vector<uint8_t> owned_;  // bytes read from a file or the clipboard
  const uint8_t* view_ = nullptr;
  size_t view_length_ = 0;
  size_t position_ = 0;
  size_t limit_ = 0;  // fixed capacity of a buffered write; 0 = grows
  bool writable_ = false;
  // File.
  FILE* file_ = nullptr;
  STREAM_FILE_MODE mode_ = STREAM_READ;
  char path_[1024] = {};
  std::vector<size_t> chunks_;

  bool ReadSlow(void* out, size_t n);
  bool WriteSlow(const void* in, size_t n);
  bool WriteOrdered(const void* in, size_t n) { return native_order ? Write(in, n) : WriteReversed(in, n); }
  bool ReadOrdered(void* out, size_t n) { return native_order ? Read(out, n) : ReadReversed(out, n); }
  bool WriteReversed(const void* in, size_t n);
  bool ReadReversed(void* out, size_t n);
  const uint8_t* Bytes() const { return view_ != nullptr ? view_ : buffer_ != nullptr ? buffer_ : owned_.data(); }
  bool Reserve(size_t capacity);
};
