#include "host/codepage.h"

#include <string.h>

namespace {

// Plain ASCII is the same in both encodings: most names and every number.
bool IsAscii(const char* text) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p)
    if (*p >= 0x80) return false;
  return true;
}

}  // namespace

#ifdef _WIN32
#include <windows.h>

namespace {

std::wstring Widen(UINT page, const char* text) {
  int n = MultiByteToWideChar(page, 0, text, -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(n) + 1, L'\0');
  MultiByteToWideChar(page, 0, text, -1, &wide[0], n + 1);
  wide.resize(wcslen(wide.c_str()));
  return wide;
}

std::string Narrow(UINT page, const std::wstring& wide) {
  DWORD flags = page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  int n = WideCharToMultiByte(page, flags, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n) + 1, '\0');
  WideCharToMultiByte(page, flags, wide.c_str(), -1, &out[0], n + 1, nullptr, nullptr);
  out.resize(strlen(out.c_str()));
  return out;
}

}  // namespace

std::string AnsiToUtf8(const char* ansi) {
  if (ansi == nullptr) return "";
  if (IsAscii(ansi)) return ansi;
  return Narrow(CP_UTF8, Widen(CP_ACP, ansi));
}

std::string Utf8ToAnsi(const char* utf8) {
  if (utf8 == nullptr) return "";
  if (IsAscii(utf8)) return utf8;
  return Narrow(CP_ACP, Widen(CP_UTF8, utf8));
}

#else
#include <iconv.h>

#include <vector>

namespace {

// iconv's CP932 maps these from Unicode where Windows has no mapping.
bool WindowsLacks(uint32_t c) {
  switch (c) {
    case 0x00A2: case 0x00A3: case 0x00A5: case 0x00AC: case 0x2014:
    case 0x2016: case 0x203E: case 0x2212: case 0x301C:
      return true;
    default:
      return false;
  }
}

// The code points of UTF-8 text; a malformed sequence gives U+FFFD, as the
// Windows decoder does.
std::vector<uint32_t> Decode(const char* text) {
  std::vector<uint32_t> out;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (*p != 0) {
    unsigned c = *p;
    int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0) {
      out.push_back(0xFFFD);
      ++p;
      continue;
    }
    uint32_t v = extra == 0 ? c : c & (0x3F >> extra);
    int i = 1;
    for (; i <= extra; ++i) {
      if ((p[i] & 0xC0) != 0x80) break;
      v = v << 6 | (p[i] & 0x3F);
    }
    bool bad = i <= extra || (extra == 1 && v < 0x80) || (extra == 2 && v < 0x800) || (extra == 3 && v < 0x10000) ||
               v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF);
    out.push_back(bad ? 0xFFFD : v);
    p += bad && i <= extra ? i : extra + 1;
  }
  return out;
}

}  // namespace

// Opened once: opening costs far more than converting a name.
iconv_t Converter(const char* to, const char* from) { return iconv_open(to, from); }

std::string AnsiToUtf8(const char* ansi) {
  if (ansi == nullptr) return "";
  if (IsAscii(ansi)) return ansi;
  std::string out;
  static iconv_t cd = Converter("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  size_t left = strlen(ansi);
  char* in = const_cast<char*>(ansi);
  while (left > 0) {
    char buffer[16];
    char* o = buffer;
    size_t room = sizeof buffer;
    // One character at a time, so that a byte iconv refuses becomes '?'.
    size_t width = (static_cast<unsigned char>(*in) >= 0x81 && static_cast<unsigned char>(*in) <= 0x9F) ||
                           (static_cast<unsigned char>(*in) >= 0xE0 && static_cast<unsigned char>(*in) <= 0xFC)
                       ? 2
                       : 1;
    if (width > left) width = left;
    size_t take = width;
    char* from = in;
    if (iconv(cd, &from, &take, &o, &room) == static_cast<size_t>(-1)) {
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      out += '?';
    } else {
      out.append(buffer, o);
    }
    in += width;
    left -= width;
  }
  return out;
}

std::string Utf8ToAnsi(const char* utf8) {
  if (utf8 == nullptr) return "";
  if (IsAscii(utf8)) return utf8;
  std::string out;
  static iconv_t cd = Converter("CP932", "UTF-32LE");
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  for (uint32_t c : Decode(utf8)) {
    if (WindowsLacks(c)) {
      out += '?';
      continue;
    }
    char buffer[8];
    char* o = buffer;
    size_t room = sizeof buffer;
    uint32_t code = c;
    char* in = reinterpret_cast<char*>(&code);
    size_t take = 4;
    if (iconv(cd, &in, &take, &o, &room) == static_cast<size_t>(-1) || o == buffer) {
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      out += '?';
    } else {
      out.append(buffer, o);
    }
  }
  return out;
}

#endif
