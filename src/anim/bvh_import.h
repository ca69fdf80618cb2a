// A BVH document applied to the model: a further bone tree, and a motion
// keyed from the capture.
#pragma once

#include "ui/umess.h"

struct DL_MODEL;
struct DL_MOT;
struct BVH_DOC;

// The scale from file units to model units.
const float BVH_SCALE = 5.0f;

// Adds the bones (after the existing top-level bones) and, when the file
// has frames, a new current motion. Returns the motion, or none.
DL_MOT* ApplyBvh(DL_MODEL* model, const BVH_DOC& doc, float scale);
// Reads the file and applies it; a refused file changes nothing.
bool ImportBvhFile(DL_MODEL* model, const char* path, const UMESS& sink);
