// refhost.exe: loads the plug-in the way the host does and reports, as
// UTF-8, what it answered.
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include <string>

#include "refhost/refhost.h"

namespace {

const uint32_t kHostVersion = 0x4710;

typedef DWORD(MQAPI* CHECK_VERSION_FN)(DWORD);
typedef BOOL(MQAPI* INIT_FN)(const char*);
typedef void(MQAPI* GET_ID_FN)(DWORD*, DWORD*);
typedef const char*(MQAPI* GET_NAME_FN)(void);
typedef int(MQAPI* GET_TYPE_FN)(void);
typedef const char*(MQAPI* ENUM_STRING_FN)(int);
typedef int(MQAPI* ON_EVENT_FN)(MQDocument, int, void*);

const char* const kExports[] = {"MQCheckVersion", "MQInit",         "MQGetPlugInID",  "MQGetPlugInName",
                                "MQGetPlugInType", "MQEnumString",  "MQOnEvent",      "MQEnumFileType",
                                "MQEnumFileExt",  "MQImportFile",   "MQExportFile",   "MQCreate",
                                "MQModifySelect", "MQModifyObject"};

// Text from the plug-in is in the ANSI code page; the report is UTF-8.
std::string ToUtf8(const char* ansi) {
  if (ansi == nullptr) return "(NULL)";
  int wide_len = MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0);
  std::wstring wide(wide_len, L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi, -1, &wide[0], wide_len);
  int len = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(len, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &out[0], len, nullptr, nullptr);
  out.resize(len > 0 ? len - 1 : 0);
  return out;
}

template <typename T>
T Export(HMODULE module, const char* name) {
  return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcA(hwnd, msg, wp, lp);
}

HWND CreateMainWindow() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "RefHostMainWindow";
  RegisterClassA(&wc);
  return CreateWindowExA(0, wc.lpszClassName, "Reference host", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                         nullptr, wc.hInstance, nullptr);
}

std::string DefaultPluginPath() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = strrchr(path, '\\');
  if (slash != nullptr) slash[1] = '\0';
  return std::string(path) + "Rigvane.dll";
}

}  // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  std::string plugin_path = argc > 1 ? argv[1] : DefaultPluginPath();

  RefHost().main_window = CreateMainWindow();
  HMODULE plugin = LoadLibraryA(plugin_path.c_str());
  if (plugin == nullptr) {
    printf("cannot load %s (error %lu)\n", plugin_path.c_str(), GetLastError());
    return 1;
  }
  printf("plug-in: %s\n", plugin_path.c_str());
  int found = 0;
  for (const char* name : kExports) {
    if (GetProcAddress(plugin, name) != nullptr) ++found;
    else printf("missing export: %s\n", name);
  }
  printf("exports found: %d of %d\n", found, static_cast<int>(sizeof kExports / sizeof kExports[0]));
  if (found != static_cast<int>(sizeof kExports / sizeof kExports[0])) return 1;

  auto check_version = Export<CHECK_VERSION_FN>(plugin, "MQCheckVersion");
  auto init = Export<INIT_FN>(plugin, "MQInit");
  auto get_id = Export<GET_ID_FN>(plugin, "MQGetPlugInID");
  auto get_name = Export<GET_NAME_FN>(plugin, "MQGetPlugInName");
  auto get_type = Export<GET_TYPE_FN>(plugin, "MQGetPlugInType");
  auto enum_string = Export<ENUM_STRING_FN>(plugin, "MQEnumString");
  auto on_event = Export<ON_EVENT_FN>(plugin, "MQOnEvent");

  RefHost().plugin_event = on_event;

  DWORD version = check_version(kHostVersion);
  printf("MQCheckVersion(0x%X): 0x%lX\n", static_cast<unsigned>(kHostVersion), version);
  if (version == 0) return 1;

  char exe_path[MAX_PATH];
  GetModuleFileNameA(nullptr, exe_path, MAX_PATH);
  BOOL bound = init(exe_path);
  printf("MQInit: %s (%d host functions %s)\n", bound ? "TRUE" : "FALSE", MQ_HOST_FUNCTION_COUNT,
         bound ? "all bound" : "not all bound");
  if (!bound) return 1;

  DWORD product = 0, id = 0;
  get_id(&product, &id);
  printf("identity: product 0x%08lX, ID 0x%08lX\n", product, id);
  printf("name: %s\n", ToUtf8(get_name()).c_str());
  printf("type: %d\n", get_type());
  printf("menu string: %s; index 1: %s\n", ToUtf8(enum_string(0)).c_str(), ToUtf8(enum_string(1)).c_str());

  MQDocument doc = RefHost().document;
  printf("event 1 (Initialize): %d\n", on_event(doc, 1, nullptr));
  printf("event 101 (IsActive): %d\n", on_event(doc, 101, nullptr));
  int on = 1;
  printf("event 100 (SetActive on): %d\n", on_event(doc, 100, &on));
  printf("event 101 (IsActive): %d\n", on_event(doc, 101, nullptr));
  int off = 0;
  printf("event 100 (SetActive off): %d\n", on_event(doc, 100, &off));
  printf("event 131 (not an event): %d\n", on_event(doc, 131, nullptr));
  printf("event 2 (Shutdown): %d\n", on_event(doc, 2, nullptr));

  FreeLibrary(plugin);
  printf("plug-in unloaded\n");
  return 0;
}
