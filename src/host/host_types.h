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
