#include "host/host_table.h"

#define MQ_HOST_FUNCTION_DEFINE(ret, name, params, args) name##_FN name = nullptr;
MQ_HOST_FUNCTIONS(MQ_HOST_FUNCTION_DEFINE)
#undef MQ_HOST_FUNCTION_DEFINE

BOOL BindHostFunctions(HOST_LOOKUP lookup, void* context) {
  void* address;
#define MQ_HOST_FUNCTION_BIND(ret, name, params, args) \
  address = lookup(context, #name);                    \
  if (address == nullptr) return FALSE;                \
  name = reinterpret_cast<name##_FN>(address);
  MQ_HOST_FUNCTIONS(MQ_HOST_FUNCTION_BIND)
#undef MQ_HOST_FUNCTION_BIND
  return TRUE;
}
