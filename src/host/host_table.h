// The plug-in's table of host functions, one global entry per function,
// named as the host names it. Filled once by BindHostFunctions.
#pragma once

#include "host/host_functions.h"

#define MQ_HOST_FUNCTION_ENTRY(ret, name, params, args) extern name##_FN name;
MQ_HOST_FUNCTIONS(MQ_HOST_FUNCTION_ENTRY)
#undef MQ_HOST_FUNCTION_ENTRY

// Finds the address of a host function by name; NULL when it is missing.
typedef void* (*HOST_LOOKUP)(void* context, const char* name);

// Binds every host function in order through lookup. Stops at the first
// missing name and returns FALSE; entries bound before it keep their values.
BOOL BindHostFunctions(HOST_LOOKUP lookup, void* context);
