// The weight pen: painting dabs, picking weights up, the palette and the
// pen menu's object commands. Each returns whether it acted.
#pragma once

#include "host/host_types.h"

struct DL_MODEL;
struct DL_OBJ;

// One dab at screen point (x, y) of the view, on the current object.
bool PaintWeights(DL_MODEL* model, MQScene scene, float x, float y);
// Takes the weight (or the whole list, in palette mode) of the nearest vertex.
bool PickUpWeights(DL_MODEL* model, MQScene scene, float x, float y);

// The current palette slot's entry i: its weight, or the current entry.
bool SetPaletteEntryWeight(DL_OBJ* obj, int i, float w);
bool SelectPaletteEntry(DL_OBJ* obj, int i);

enum PEN_COMMAND { PEN_NORMALIZE, PEN_CLEAR_ALL, PEN_CLEAR_CURRENT, PEN_FILL };
// On the current object, then every colour is recomputed and written.
bool RunPenCommand(DL_MODEL* model, PEN_COMMAND command);
