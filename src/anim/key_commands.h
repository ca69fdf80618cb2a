// The key commands of the timeline, on the model's current motion. Each
// returns whether it acted, so the caller knows whether to refresh.
#pragma once

struct DL_MODEL;

// Every editable bone keys its enabled channels at the current frame.
bool CreateKeys(DL_MODEL* model);
bool DeleteSelectedKeys(DL_MODEL* model);
bool SelectAllKeys(DL_MODEL* model);
bool DeselectAllKeys(DL_MODEL* model);
bool InvertKeySelection(DL_MODEL* model);
// Changes no key: the pose is evaluated again at the current frame.
bool MotionReset(DL_MODEL* model);
// When a timeline drag ends: one key per integer frame in every channel of
// the current motion, and the key frame table in order again.
bool FinishKeyDrag(DL_MODEL* model);
