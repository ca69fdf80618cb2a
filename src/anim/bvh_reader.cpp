#include "anim/bvh_reader.h"

#include <string.h>

#include <charconv>
#include <cmath>

#include "controller/log.h"
#include "host/text.h"
#include "persist/stream.h"

BVH_NODE* BVH_NODE::NextInPreorder() const {
  if (first_child != nullptr) return first_child;
  for (const BVH_NODE* n = this; n != nullptr; n = n->parent)
    if (n->next != nullptr) return n->next;
  return nullptr;
}

BVH_DOC::~BVH_DOC() {
  std::vector<BVH_NODE*> doomed;
  if (root != nullptr) doomed.push_back(root);
  while (!doomed.empty()) {
    BVH_NODE* n = doomed.back();
    doomed.pop_back();
    if (n->first_child != nullptr) doomed.push_back(n->first_child);
    if (n->next != nullptr) doomed.push_back(n->next);
    delete n;
  }
}

namespace {

const int kEnd = -1;

bool IsBlank(int c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }
bool IsLead(int c) { return (c >= 0x80 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFF); }

bool SameWord(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    char x = *a >= 'a' && *a <= 'z' ? static_cast<char>(*a - 32) : *a;
    char y = *b >= 'a' && *b <= 'z' ? static_cast<char>(*b - 32) : *b;
    if (x != y) return false;
  }
  return *a == *b;
}

// A bounded piece of text read from the file: what does not fit is cut.
struct WORD {
  char text[1024];
  size_t length = 0;
  WORD() { text[0] = '\0'; }
  void Add(int c) {
    if (length + 1 < sizeof text) {
      text[length++] = static_cast<char>(c);
      text[length] = '\0';
    }
  }
};

struct BVH_READER {
  BVH_DOC* doc;
  const uint8_t* data;
  size_t size;
  size_t pos = 0;
  bool last_was_end = false;
  const UMESS& sink;
  char path[1024];
  int32_t line = 1;

  BVH_READER(BVH_DOC* d, const uint8_t* bytes, size_t n, const char* p, const UMESS& s)
      : doc(d), data(bytes), size(n), sink(s) {
    CopyText(path, sizeof path, p);
  }

  void Message(const char* format, ...) __attribute__((format(printf, 2, 3)));

  int Get() {
    if (pos >= size) {
      last_was_end = true;
      return kEnd;
    }
    last_was_end = false;
    int c = data[pos++];
    if (c == '\n') ++line;
    return c;
  }
  // Gives back the byte last read; after the end there is nothing to give.
  void PushBack() {
    if (last_was_end || pos == 0) return;
    --pos;
    if (data[pos] == '\n') --line;
  }
  bool AtEnd() const { return pos >= size; }
  void SkipBlanks() {
    while (pos < size && IsBlank(data[pos])) Get();
  }
  void SkipLine() {
    for (;;) {
      int c = Get();
      if (c == kEnd || c == '\n' || c == 0 || c == 0x1A) return;
    }
  }

  bool Token(WORD* w);
  bool Name(WORD* w);
  // false when nothing was consumed (the byte stays unread); *refused for a
  // value that is not finite.
  bool Number(double* v, bool* refused);
  int Integer();
  bool ExpectBrace();

  bool Read();
  bool Joint();
  bool EndSite(BVH_NODE* node);
  bool Motion();
  bool Offset(VEC3* out);
};

void BVH_READER::Message(const char* format, ...) {
  char buffer[FORMAT_BUFFER_SIZE];
  va_list args;
  va_start(args, format);
  int n = FormatTextV(buffer, format, args);
  va_end(args);
  buffer[n] = '\n';
  buffer[n + 1] = '\0';
  sink.Send(buffer);
}

bool BVH_READER::Token(WORD* w) {
  SkipBlanks();
  int c = Get();
  if (c == kEnd || c == 0 || c == 0x1A) return false;
  w->Add(c);
  if (IsLead(c)) {
    int t = Get();
    if (t == kEnd) return true;
    w->Add(t);
  }
  for (;;) {
    c = Get();
    if (c == kEnd) return true;
    if (c == 0 || IsBlank(c) || c == 0x1A || c == '(' || c == ')' || c == ',' || c == '{' || c == '}') {
      PushBack();
      return true;
    }
    w->Add(c);
    if (IsLead(c)) {
      int t = Get();
      if (t == kEnd) return true;
      w->Add(t);
    }
  }
}

bool BVH_READER::Name(WORD* w) {
  SkipBlanks();
  int c = Get();
  if (c == kEnd || c == 0 || c == 0x1A) return false;
  PushBack();
  for (;;) {
    c = Get();
    if (c == kEnd) return false;  // the file ended inside the name
    if (c < 0x21 || c == '{' || c == '}' || c == '(' || c == ')' || c == ',') {
      PushBack();
      return true;
    }
    w->Add(c);
    if (IsLead(c)) {
      int t = Get();
      if (t == kEnd) return false;
      w->Add(t);
    }
  }
}

bool BVH_READER::Number(double* v, bool* refused) {
  *refused = false;
  *v = 0;
  SkipBlanks();
  // Scanned in place: a capture holds hundreds of thousands of numbers.
  size_t p = pos;
  if (p >= size) {
    last_was_end = true;
    return false;
  }
  int c = data[p];
  bool digits = c >= '0' && c <= '9';
  if (c != '+' && c != '-' && c != '.' && !digits) return false;  // the byte stays unread
  ++p;
  while (p < size && ((data[p] >= '0' && data[p] <= '9') || data[p] == '.')) {
    digits = digits || data[p] != '.';
    ++p;
  }
  // An exponent, when digits came first and a digit (after an optional
  // sign) follows the letter.
  if (digits && p < size && (data[p] == 'e' || data[p] == 'E')) {
    size_t q = p + 1;
    if (q < size && (data[q] == '+' || data[q] == '-')) ++q;
    if (q < size && data[q] >= '0' && data[q] <= '9') {
      while (q < size && data[q] >= '0' && data[q] <= '9') ++q;
      p = q;
    }
  }
  const char* first = reinterpret_cast<const char*>(data + pos);
  const char* last = reinterpret_cast<const char*>(data + p);
  pos = p;
  last_was_end = p >= size;
  if (*first == '+') ++first;
  double value = 0;
  auto result = std::from_chars(first, last, value);
  if (result.ec == std::errc::result_out_of_range || !std::isfinite(value)) *refused = true;
  else if (result.ec == std::errc()) *v = value;  // a sign or point without digits is 0
  return true;
}

int BVH_READER::Integer() {
  SkipBlanks();
  bool negative = false;
  int c = Get();
  if (c == '+' || c == '-') {
    negative = c == '-';
    c = Get();
  }
  long long v = 0;
  while (c >= '0' && c <= '9') {
    if (v < 2147483648LL) v = v * 10 + (c - '0');
    c = Get();
  }
  PushBack();
  if (negative) v = -v;
  if (v > 2147483647LL) v = 2147483647LL;
  if (v < -2147483648LL) v = -2147483648LL;
  return static_cast<int>(v);
}

bool BVH_READER::ExpectBrace() {
  SkipBlanks();
  int c = Get();
  if (c == '{') return true;
  Message("%s (%d):[%c] {がありません", path, line, c == kEnd ? ' ' : static_cast<char>(c));
  return false;
}

bool BVH_READER::Offset(VEC3* out) {
  double v[3];
  for (double& x : v) {
    bool refused;
    Number(&x, &refused);
    if (refused) return false;
  }
  *out = VEC3(static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2]));
  return true;
}

// The root's section and all joints inside it, without recursion.
bool BVH_READER::Joint() {
  struct OPEN {
    BVH_NODE* node;
    BVH_NODE* last_child;
  };
  std::vector<OPEN> open;
  for (;;) {
    // A new joint: its name, its node, its brace.
    WORD name;
    if (!Name(&name)) {
      Message("[%s]名前ではありません", name.text);
      return false;
    }
    if (static_cast<int>(open.size()) >= BVH_MAX_DEPTH) {
      Message("%s (%d):[%s]階層が深すぎます", path, line, name.text);
      return false;
    }
    BVH_NODE* node = new BVH_NODE();
    node->document = doc;
    CopyText(node->name, sizeof node->name, name.text);
    ++doc->node_count;
    if (open.empty()) {
      doc->root = node;
    } else {
      // The last child of the joint whose section is open.
      OPEN& up = open.back();
      node->parent = up.node;
      if (up.last_child != nullptr) up.last_child->next = node;
      else up.node->first_child = node;
      up.last_child = node;
    }
    if (!ExpectBrace()) return false;
    open.push_back({node, nullptr});
    // Its contents, until a nested joint starts or the section closes.
    bool nested = false;
    while (!nested) {
      WORD t;
      if (!Token(&t)) return false;
      BVH_NODE* n = open.back().node;
      if (SameWord(t.text, "}")) {
        open.pop_back();
        if (open.empty()) return true;
      } else if (SameWord(t.text, "OFFSET")) {
        if (!Offset(&n->offset)) return false;
      } else if (SameWord(t.text, "CHANNELS")) {
        int count = Integer();
        for (int i = 0; i < count; ++i) {
          WORD c;
          if (!Name(&c)) return false;
          // A name that takes nothing leaves the position where it was, so
          // every further one would be empty too: a huge count ends here
          // with the same result instead of looping for billions of names.
          if (c.length == 0) break;
          static const char* const kNames[6] = {"Xposition", "Yposition", "Zposition",
                                                "Xrotation", "Yrotation", "Zrotation"};
          for (uint8_t k = 0; k < 6; ++k)
            if (SameWord(c.text, kNames[k])) n->channels.push_back(k);
        }
      } else if (SameWord(t.text, "End")) {
        if (!EndSite(n)) return false;
      } else if (SameWord(t.text, "JOINT")) {
        nested = true;
      } else {
        WORD shown;
        for (size_t i = 0; i < t.length; ++i) {
          unsigned char b = static_cast<unsigned char>(t.text[i]);
          if (b < 0x20) {
            char hex[8];
            snprintf(hex, sizeof hex, "0x%02x", b);
            for (const char* h = hex; *h != '\0'; ++h) shown.Add(*h);
          } else {
            shown.Add(b);
          }
        }
        Message("%s(%d) : [%s]対応外のチャンクです", path, line, shown.text);
        SkipLine();
        return false;
      }
    }
  }
}

bool BVH_READER::EndSite(BVH_NODE* node) {
  WORD name;
  if (!Name(&name)) {
    Message("[%s]名前ではありません", name.text);
    return false;
  }
  if (!SameWord(name.text, "Site")) return false;
  node->has_end_site = true;
  if (!ExpectBrace()) return false;
  for (;;) {
    WORD t;
    if (!Token(&t)) return false;
    if (SameWord(t.text, "}")) return true;
    if (SameWord(t.text, "OFFSET")) {
      if (!Offset(&node->end_offset)) return false;
      node->end_offset_set = true;
    } else {
      Message("%s(%d) : [%s]対応外のチャンクです", path, line, t.text);
      SkipLine();
    }
  }
}

bool BVH_READER::Motion() {
  if (doc->root == nullptr) {
    Message("%s (%d):ROOTの前のMOTIONです", path, line);
    return false;
  }
  WORD t;
  if (!Token(&t) || !SameWord(t.text, "Frames:")) return false;
  doc->frame_count = Integer();
  WORD frame, time;
  if (!Token(&frame) || !SameWord(frame.text, "Frame") || !Token(&time) || !SameWord(time.text, "Time:")) return false;
  double ft;
  bool refused;
  Number(&ft, &refused);
  if (refused) return false;
  doc->frame_time = static_cast<float>(ft);
  if (doc->frame_count <= 0) return true;
  float rate = 1.0f / doc->frame_time;
  if (!(doc->frame_time > 0) || !std::isfinite(rate)) {
    Message("%s (%d):Frame Time(%f)が正しくありません", path, line, doc->frame_time);
    return false;
  }
  // Without a single channel the frames hold nothing: no key could come of
  // them, and a huge frame count would only fill memory.
  bool any = false;
  for (BVH_NODE* n = doc->root; n != nullptr && !any; n = n->NextInPreorder()) any = !n->channels.empty();
  if (!any) return true;
  for (int32_t f = 0; f < doc->frame_count; ++f) {
    for (BVH_NODE* n = doc->root; n != nullptr; n = n->NextInPreorder()) {
      BVH_FRAME record = {{0, 0, 0, 0, 0, 0}};
      for (uint8_t c : n->channels) {
        if (AtEnd()) return true;
        double v;
        // A byte that starts no number ends the data (and is read again
        // at the top level).
        if (!Number(&v, &refused)) return true;
        if (refused) return false;
        int slot = c <= BVH_ZPOS ? c : c == BVH_XROT ? 3 : c == BVH_YROT ? 4 : 5;
        record.v[slot] = static_cast<float>(v);
      }
      n->frames.push_back(record);
    }
    if (AtEnd()) return true;
  }
  return true;
}

bool BVH_READER::Read() {
  // The first word of the first line.
  WORD first;
  bool in_word = false, word_done = false;
  for (;;) {
    int c = Get();
    if (c == kEnd || c == '\n') break;
    if (word_done) continue;
    if (IsBlank(c) || c == 0) {
      if (in_word) word_done = true;
      continue;
    }
    in_word = true;
    if (first.length < 255) first.Add(c);
  }
  if (!SameWord(first.text, "HIERARCHY")) {
    Message("%s はBVHファイルではありません", path);
    int last = first.length > 0 ? static_cast<signed char>(first.text[first.length - 1]) : 0;
    Message("head「%s」%d", first.text, last);
    return false;
  }
  for (;;) {
    SkipBlanks();
    if (AtEnd()) break;
    int c = data[pos];
    if (c == 0 || c == 0x1A) {
      if (pos + 1 == size) break;
      return false;
    }
    WORD t;
    if (!Token(&t)) return false;
    if (SameWord(t.text, "ROOT")) {
      if (doc->root != nullptr) {
        Message("%s (%d):二つ目のROOTです", path, line);
        return false;
      }
      if (!Joint()) return false;
    } else if (SameWord(t.text, "MOTION")) {
      if (!Motion()) return false;
    } else {
      Message("%s (%d):[%s]対応外のチャンクです", path, line, t.text);
      return false;
    }
  }
  Message("bone(%d),frame(%d),frame_time(%f):%s", doc->node_count, doc->frame_count, doc->frame_time, path);
  return true;
}

}  // namespace

bool ReadBvhBytes(const uint8_t* bytes, size_t size, const char* path, BVH_DOC* doc, const UMESS& sink) {
  doc->messages = sink;
  BVH_READER reader(doc, bytes, size, path != nullptr ? path : "", sink);
  return reader.Read();
}

bool ReadBvhFile(const char* path, BVH_DOC* doc, const UMESS& sink) {
  DL_STREAM s;
  if (!s.OpenFile(path, STREAM_READ_WHOLE)) return false;
  return ReadBvhBytes(s.Data(), s.Size(), path, doc, sink);
}
