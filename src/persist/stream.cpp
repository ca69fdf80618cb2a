#include "persist/stream.h"

#include <stdarg.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

#include "controller/log.h"
#include "host/text.h"

bool DL_STREAM::OpenFile(const char* path, STREAM_FILE_MODE mode, size_t buffer_size) {
  Close();
  if (path == nullptr || path[0] == '\0') return false;
  CopyText(path_, sizeof path_, path);
  mode_ = mode;
  if (mode == STREAM_READ || mode == STREAM_WRITE) {
    file_ = fopen(path, mode == STREAM_READ ? "rb" : "wb");
    if (file_ == nullptr) return false;
    kind_ = FILE_STREAM;
    writable_ = mode == STREAM_WRITE;
    return true;
  }
  if (mode == STREAM_READ_WHOLE) {
    FILE* f = fopen(path, "rb");
    if (f == nullptr) return false;
    bool ok = fseek(f, 0, SEEK_END) == 0;
    long length = ok ? ftell(f) : -1;
    ok = ok && length >= 0 && fseek(f, 0, SEEK_SET) == 0;
    std::vector<uint8_t> bytes(ok ? static_cast<size_t>(length) : 0);
    ok = ok && fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
    fclose(f);
    if (!ok) return false;
    OpenOwned(std::move(bytes));
    mode_ = mode;
    return true;
  }
  // Buffered write: the file is opened now and gets the bytes at close.
  file_ = fopen(path, "wb");
  if (file_ == nullptr) return false;
  kind_ = MEMORY;
  if (!Reserve(buffer_size > 0 ? buffer_size : 1)) return false;
  limit_ = buffer_size;
  position_ = 0;
  view_length_ = 0;
  writable_ = true;
  return true;
}

bool DL_STREAM::Reserve(size_t capacity) {
  uint8_t* grown = static_cast<uint8_t*>(realloc(buffer_, capacity));
  if (grown == nullptr) return false;
  buffer_ = grown;
  capacity_ = capacity;
  return true;
}

void DL_STREAM::CreateMemory(size_t capacity) {
  Close();
  kind_ = MEMORY;
  writable_ = Reserve(capacity > 0 ? capacity : 1);
}

void DL_STREAM::OpenView(const uint8_t* bytes, size_t length) {
  Close();
  kind_ = MEMORY;
  view_ = bytes;
  view_length_ = bytes != nullptr ? length : 0;
}

void DL_STREAM::OpenOwned(std::vector<uint8_t>&& bytes) {
  Close();
  kind_ = MEMORY;
  owned_ = std::move(bytes);
  view_length_ = owned_.size();
}

bool DL_STREAM::Close() {
  bool ok = true;
  if (file_ != nullptr) {
    if (kind_ == MEMORY && writable_) ok = fwrite(buffer_, 1, position_, file_) == position_;
    ok = fclose(file_) == 0 && ok;
    file_ = nullptr;
  }
  kind_ = NONE;
  free(buffer_);
  buffer_ = nullptr;
  capacity_ = 0;
  owned_.clear();
  view_ = nullptr;
  view_length_ = 0;
  position_ = 0;
  limit_ = 0;
  writable_ = false;
  chunks_.clear();
  return ok;
}

size_t DL_STREAM::Size() const {
  if (kind_ == FILE_STREAM) {
    long here = ftell(file_);
    if (here < 0 || fseek(file_, 0, SEEK_END) != 0) return 0;
    long end = ftell(file_);
    fseek(file_, here, SEEK_SET);
    return end < 0 ? 0 : static_cast<size_t>(end);
  }
  if (kind_ != MEMORY) return 0;
  return writable_ ? std::max(view_length_, position_) : view_length_;
}

size_t DL_STREAM::Tell() const {
  if (kind_ == FILE_STREAM) {
    long here = ftell(file_);
    return here < 0 ? 0 : static_cast<size_t>(here);
  }
  return position_;
}

bool DL_STREAM::AtEnd() const {
  if (kind_ == FILE_STREAM) return feof(file_) != 0;
  return Tell() >= Size();
}

const uint8_t* DL_STREAM::Data() const { return kind_ == MEMORY ? Bytes() : nullptr; }

void DL_STREAM::ShrinkToFit() {
  if (kind_ != MEMORY || !writable_ || file_ != nullptr) return;
  Reserve(position_ > 0 ? position_ : 1);
}

bool DL_STREAM::Seek(size_t position) {
  if (kind_ == FILE_STREAM) return fseek(file_, static_cast<long>(position), SEEK_SET) == 0;
  if (kind_ != MEMORY) return false;
  if (writable_) {
    // A written stream remembers how far it was written.
    view_length_ = std::max(view_length_, position_);
    if (position > view_length_) return false;
  } else if (position > view_length_) {
    return false;
  }
  position_ = position;
  return true;
}

bool DL_STREAM::ReadSlow(void* out, size_t n) {
  if (n == 0) return kind_ != NONE;
  if (kind_ == FILE_STREAM) return !writable_ && fread(out, 1, n, file_) == n;
  if (kind_ != MEMORY) return false;
  size_t size = Size();
  if (position_ > size || n > size - position_) return false;
  memcpy(out, Bytes() + position_, n);
  position_ += n;
  return true;
}

bool DL_STREAM::WriteSlow(const void* in, size_t n) {
  if (!writable_) return false;
  if (kind_ == FILE_STREAM) return fwrite(in, 1, n, file_) == n;
  if (kind_ != MEMORY) return false;
  if (n > capacity_ - position_) {
    if (limit_ > 0) return false;  // a buffered write never goes past its buffer
    size_t capacity = capacity_ > 0 ? capacity_ : 1;
    while (n > capacity - position_) capacity *= 2;
    if (!Reserve(capacity)) return false;
  }
  memcpy(buffer_ + position_, in, n);
  position_ += n;
  view_length_ = std::max(view_length_, position_);
  return true;
}

bool DL_STREAM::WriteReversed(const void* in, size_t n) {
  uint8_t b[8];
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<const uint8_t*>(in)[n - 1 - i];
  return Write(b, n);
}

bool DL_STREAM::ReadReversed(void* out, size_t n) {
  uint8_t b[8];
  if (!Read(b, n)) return false;
  for (size_t i = 0; i < n; ++i) static_cast<uint8_t*>(out)[i] = b[n - 1 - i];
  return true;
}

bool DL_STREAM::ReadVec2(VEC2* v) {
  VEC2 t;
  if (!ReadFloat(&t.x) || !ReadFloat(&t.y)) return false;
  *v = t;
  return true;
}

bool DL_STREAM::ReadVec3(VEC3* v) {
  float f[3];
  if (native_order) {
    if (!Read(f, sizeof f)) return false;
  } else if (!ReadFloat(&f[0]) || !ReadFloat(&f[1]) || !ReadFloat(&f[2])) {
    return false;
  }
  *v = VEC3(f[0], f[1], f[2]);
  return true;
}

bool DL_STREAM::ReadVec4(VEC4* v) {
  VEC4 t;
  if (!ReadFloat(&t.x) || !ReadFloat(&t.y) || !ReadFloat(&t.z) || !ReadFloat(&t.w)) return false;
  *v = t;
  return true;
}

bool DL_STREAM::ReadQuat(QUAT* q) {
  QUAT t;
  if (!ReadFloat(&t.x) || !ReadFloat(&t.y) || !ReadFloat(&t.z) || !ReadFloat(&t.w)) return false;
  *q = t;
  return true;
}

bool DL_STREAM::WriteMat44(const MAT44& m) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (!WriteFloat(m.m[r][c])) return false;
  return true;
}

bool DL_STREAM::ReadMat44(MAT44* m) {
  MAT44 t;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (!ReadFloat(&t.m[r][c])) return false;
  *m = t;
  return true;
}

bool DL_STREAM::WriteColor(const RGBA8& c) {
  uint8_t b[4] = {c.r, c.g, c.b, c.a};
  return WriteOrdered(b, 4);
}

bool DL_STREAM::ReadColor(RGBA8* c) {
  uint8_t b[4];
  if (!ReadOrdered(b, 4)) return false;
  c->r = b[0], c->g = b[1], c->b = b[2], c->a = b[3];
  return true;
}

bool DL_STREAM::WriteText(const char* text) {
  if (text == nullptr) text = "";
  return Write(text, strlen(text) + 1);
}

bool DL_STREAM::ReadText(char* out, size_t size) {
  std::vector<char> text;
  for (;;) {
    char c;
    if (!Read(&c, 1)) return false;
    if (c == '\0') break;
    // Beyond the field nothing more is kept; reading goes on to the terminator.
    if (text.size() < size) text.push_back(c);
  }
  text.push_back('\0');
  CopyText(out, size, text.data());
  return true;
}

bool DL_STREAM::BeginChunk(uint32_t tag) {
  if (!WriteUInt(tag)) return false;
  chunks_.push_back(Tell());
  return WriteUInt(0);
}

bool DL_STREAM::EndChunk() {
  if (chunks_.empty()) return false;
  size_t p = chunks_.back();
  chunks_.pop_back();
  size_t e = Tell();
  return Seek(p) && WriteUInt(static_cast<uint32_t>(e - p + 4)) && Seek(e);
}

bool DL_STREAM::ReadChunkHeader(uint32_t* tag, size_t* end) {
  if (AtEnd() || Remaining() < 8) return false;
  size_t start = Tell();
  uint32_t t, length;
  if (!ReadUInt(&t) || !ReadUInt(&length)) return false;
  if (length < 8) return false;
  *tag = t;
  *end = start + length;
  return true;
}

bool DL_STREAM::SkipToChunkEnd(size_t end) {
  size_t size = Size();
  if (end < size) return Seek(end);
  if (size == 0) return false;
  // Past the data: read the last byte so that the end is reached.
  uint8_t last;
  if (Seek(size - 1)) Read(&last, 1);
  return false;
}

bool DL_STREAM::WriteFormat(const char* format, ...) {
  char buffer[FORMAT_BUFFER_SIZE];
  va_list args;
  va_start(args, format);
  int n = FormatTextV(buffer, format, args);
  va_end(args);
  return Write(buffer, static_cast<size_t>(n));
}

bool DL_STREAM::WriteLine(const char* format, ...) {
  char buffer[FORMAT_BUFFER_SIZE];
  va_list args;
  va_start(args, format);
  int n = FormatTextV(buffer, format, args);
  va_end(args);
  return Write(buffer, static_cast<size_t>(n)) && Write("\r\n", 2);
}
