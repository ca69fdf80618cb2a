// Posing bones in the motion command: translate, inverse kinematics, twist
// and aim. Every change goes through the pose setters, so it keys the
// current motion at the current frame; non-editable bones are skipped.
#pragma once

#include "math/vector.h"

struct DL_MODEL;
struct DL_BONE;

// The start of a drag: posed targets and rolls of every bone refreshed,
// and the remembered targets of the picked bone's descendants stored.
void BeginPoseDrag(DL_MODEL* model, DL_BONE* picked);

// Turns a so that e's posed target points at g.
void RotationStep(DL_MODEL* model, DL_BONE* a, DL_BONE* e, const VEC3& g);

void PoseTranslate(DL_MODEL* model, DL_BONE* b, const VEC3& g, bool follow);
void PoseIk(DL_MODEL* model, DL_BONE* b, const VEC3& g, bool follow);
void PoseTwist(DL_MODEL* model, DL_BONE* b, const VEC3& g, bool follow);
void PoseAim(DL_MODEL* model, DL_BONE* b, const VEC3& g, bool follow);
