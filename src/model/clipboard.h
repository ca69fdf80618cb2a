// Bones with their tracks, and selected keys, through the clipboard under
// private formats, between documents and running instances of the plug-in.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

struct DL_MODEL;
struct DL_BONE;

struct CLIPBOARD_FORMATS {
  uint32_t bone = 0;       // "CF_UPL_BONE"
  uint32_t morphvert = 0;  // "CF_UPL_MORPHVERT", registered only
  uint32_t key = 0;        // "CF_UPL_KEY"
};

// Registered once, in this order.
const CLIPBOARD_FORMATS& ClipboardFormats();

// The bytes of each format, as other instances read them.
bool WriteBoneClipboard(const DL_MODEL* model, std::vector<uint8_t>* bytes);
bool WriteKeyClipboard(const DL_MODEL* model, std::vector<uint8_t>* bytes);
// Reads the bytes into the model; bytes that do not parse change nothing.
bool ReadBoneClipboard(DL_MODEL* model, const uint8_t* bytes, size_t size, DL_BONE* parent, bool mirror);
bool ReadKeyClipboard(DL_MODEL* model, const uint8_t* bytes, size_t size, float frame);

// The commands. Bone copy, cut and paste do nothing while the motion
// command is active; paste goes under the current bone.
bool CopyBones(DL_MODEL* model);
bool CutBones(DL_MODEL* model);
bool PasteBones(DL_MODEL* model, bool mirror);
bool CopyKeys(DL_MODEL* model);
bool CutKeys(DL_MODEL* model);
// Keys land shifted so that the earliest copied one is at frame.
bool PasteKeys(DL_MODEL* model, float frame);
