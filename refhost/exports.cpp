// Exports the reference host's functions under the host's names, so that a
// plug-in loaded by this program binds them with GetProcAddress.
#include "refhost/refhost.h"

#define RH_EXPORT(ret, name, params, args) \
  extern "C" __declspec(dllexport) ret MQAPI name params { return RH_##name args; }
MQ_HOST_FUNCTIONS(RH_EXPORT)
#undef RH_EXPORT
