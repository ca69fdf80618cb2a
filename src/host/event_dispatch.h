// Turns one host event (MQOnEvent) into a call on the plug-in object.
#pragma once

#include "host/plugin_classes.h"

// Host event codes.
enum {
  EV_INITIALIZE = 1,
  EV_SHUTDOWN = 2,
  EV_ACTIVATE = 100,
  EV_IS_ACTIVATED = 101,
  EV_MINIMIZE = 102,
  EV_USER_MESSAGE = 103,
  EV_DRAW = 110,
  EV_LBUTTON_DOWN = 120,
  EV_LBUTTON_MOVE = 121,
  EV_LBUTTON_UP = 122,
  EV_MBUTTON_DOWN = 123,
  EV_MBUTTON_MOVE = 124,
  EV_MBUTTON_UP = 125,
  EV_RBUTTON_DOWN = 126,
  EV_RBUTTON_MOVE = 127,
  EV_RBUTTON_UP = 128,
  EV_MOUSE_MOVE = 129,
  EV_MOUSE_WHEEL = 130,
  EV_KEY_DOWN = 140,
  EV_KEY_UP = 141,
  EV_NEW_DOCUMENT = 200,
  EV_END_DOCUMENT = 201,
  EV_SAVE_DOCUMENT = 202,
  EV_UNDO = 210,
  EV_REDO = 211,
  EV_UNDO_UPDATED = 212,
  EV_OBJECT_LIST = 220,
  EV_OBJECT_MODIFIED = 221,
  EV_OBJECT_SELECTED = 222,
  EV_UPDATE_230 = 230,
  EV_UPDATE_231 = 231,
  EV_SCENE_CHANGED = 240,
};

// Button and modifier bits of "button_state".
enum {
  BUTTON_LEFT = 0x1,
  BUTTON_RIGHT = 0x2,
  BUTTON_SHIFT = 0x4,
  BUTTON_CTRL = 0x8,
  BUTTON_MIDDLE = 0x10,
  BUTTON_EXTRA = 0x20,
};

// Reads the event's parameters with their defaults and calls the handler.
// Codes outside the table answer 0 and touch nothing.
int DispatchEvent(MQBasePlugin* plugin, MQDocument doc, int code, void* option);
