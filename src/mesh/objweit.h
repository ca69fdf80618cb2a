// A weight group of an object: one bone's influence, with its colour.
#pragma once

#include <stdint.h>

#include "math/rgba8.h"
#include "mesh/boneref.h"

struct DL_OBJ;

enum : uint32_t {
  OBJWEIT_SHOW = 0x1,      // the group's colour is shown
  OBJWEIT_AUTO = 0x2,      // stored property "自動計算"
  OBJWEIT_EDITABLE = 0x8,  // its weights may change
};

struct DL_OBJWEIT {
  uint32_t flags = OBJWEIT_SHOW | OBJWEIT_AUTO | OBJWEIT_EDITABLE;
  int32_t id = 0;
  RGBA8 col = RGBA8(0, 0, 0, 255);
  int32_t auto_type = 0;
  DL_BONEREF bone;
  DL_OBJ* owner = nullptr;
};

// The name shown for a group: its bone's name, else "- weit%03d -" with its ID.
void GroupName(const DL_OBJWEIT* g, char (&buffer)[256]);
