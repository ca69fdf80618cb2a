#include "ui/clipboard.h"

#include <stdlib.h>
#include <string.h>

#ifdef _WIN32
#include <windows.h>

namespace {

HWND g_owner = nullptr;

HWND OwnerWindow(void* owner) {
  if (owner != nullptr) return static_cast<HWND>(owner);
  if (g_owner == nullptr)
    g_owner = CreateWindowExA(0, "STATIC", "Rigvane clipboard", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  return g_owner;
}

}  // namespace

uint32_t ClipboardRegisterFormat(const char* name) { return RegisterClipboardFormatA(name); }

bool ClipboardPut(void* owner, uint32_t format, const void* bytes, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (block == nullptr) return false;
  void* p = GlobalLock(block);
  if (p == nullptr) {
    GlobalFree(block);
    return false;
  }
  memcpy(p, bytes, size);
  GlobalUnlock(block);
  if (!OpenClipboard(OwnerWindow(owner))) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  bool ok = SetClipboardData(format, block) != nullptr;
  if (!ok) GlobalFree(block);
  CloseClipboard();
  return ok;
}

uint8_t* ClipboardGet(void* owner, uint32_t format, size_t* size) {
  *size = 0;
  if (!OpenClipboard(OwnerWindow(owner))) return nullptr;
  uint8_t* copy = nullptr;
  HANDLE block = GetClipboardData(format);
  if (block != nullptr) {
    SIZE_T n = GlobalSize(block);
    const void* p = GlobalLock(block);
    if (p != nullptr) {
      copy = static_cast<uint8_t*>(malloc(n > 0 ? n : 1));
      if (copy != nullptr) {
        memcpy(copy, p, n);
        *size = n;
      }
      GlobalUnlock(block);
    }
  }
  CloseClipboard();
  return copy;
}

void ClipboardShutdown() {
  if (g_owner != nullptr) DestroyWindow(g_owner);
  g_owner = nullptr;
}

#else
#include <map>
#include <string>
#include <vector>

namespace {

struct MEMORY_CLIPBOARD {
  std::map<std::string, uint32_t> formats;
  uint32_t format = 0;
  std::vector<uint8_t> bytes;
};

MEMORY_CLIPBOARD& Board() {
  static MEMORY_CLIPBOARD board;
  return board;
}

}  // namespace

uint32_t ClipboardRegisterFormat(const char* name) {
  MEMORY_CLIPBOARD& b = Board();
  auto it = b.formats.find(name);
  if (it != b.formats.end()) return it->second;
  uint32_t id = 0xC000u + static_cast<uint32_t>(b.formats.size());
  b.formats[name] = id;
  return id;
}

bool ClipboardPut(void*, uint32_t format, const void* bytes, size_t size) {
  MEMORY_CLIPBOARD& b = Board();
  // A system block comes back rounded up and zero filled.
  b.bytes.assign((size / 16 + 1) * 16, 0);
  if (size > 0) memcpy(b.bytes.data(), bytes, size);
  b.format = format;
  return true;
}

uint8_t* ClipboardGet(void*, uint32_t format, size_t* size) {
  MEMORY_CLIPBOARD& b = Board();
  *size = 0;
  if (format == 0 || b.format != format) return nullptr;
  uint8_t* copy = static_cast<uint8_t*>(malloc(b.bytes.size()));
  memcpy(copy, b.bytes.data(), b.bytes.size());
  *size = b.bytes.size();
  return copy;
}

void ClipboardShutdown() {}

#endif

void ClipboardFree(uint8_t* bytes) { free(bytes); }
