// Types shared by the plug-in and the host across the host's C interface.
#pragma once

#include <stdint.h>

typedef int BOOL;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Every host function and every export uses the plain C calling convention.
#if defined(_WIN32) && !defined(_WIN64)
#define MQAPI __cdecl
#else
#define MQAPI
#endif

// Opaque host handles.
typedef void* MQDocument;
typedef void* MQObject;
typedef void* MQMaterial;
typedef void* MQScene;
typedef void* MQXmlElement;
typedef void* MQWindow;

struct MQPoint {
  float x, y, z;
};

struct MQCoordinate {
  float u, v;
};

struct MQColor {
  float r, g, b;
};

// One pair of a key/value list; the list ends with a pair whose key is NULL.
struct KEYVALUE {
  const char* key;
  void* value;
};

// The request record handed to MQ_SendMessage.
struct SEND_MSG_INFO {
  uint32_t product;
  uint32_t id;
  int32_t index;
  KEYVALUE* option;
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(SEND_MSG_INFO) == 16, "the host reads a 16-byte request record");
#endif

// Procedure that MQ_StationCallback calls with the current document.
typedef BOOL(MQAPI* MQStationCallbackProc)(MQDocument doc, void* option);

// The records of MQXmlElem_Value, one per operation code; "out" fields are
// written by the host and start as NULL. Texts are UTF-8.
enum {
  XML_ADD_CHILD = 0x101,
  XML_FIRST_CHILD = 0x201,
  XML_NEXT_CHILD = 0x202,
  XML_NAME = 0x301,
  XML_GET_ATTR = 0x303,
  XML_SET_ATTR = 0x403,
};
struct XML_ADD_CHILD_REC { const char* name; MQXmlElement child; };
struct XML_FIRST_CHILD_REC { const char* filter; MQXmlElement child; };
struct XML_NEXT_CHILD_REC { const char* filter; MQXmlElement previous; MQXmlElement child; };
struct XML_NAME_REC { const char* text; };
struct XML_GET_ATTR_REC { const char* name; const char* text; };
struct XML_SET_ATTR_REC { const char* name; const char* value; };
