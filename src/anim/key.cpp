#include "anim/key.h"

#include "anim/channel.h"
#include "anim/keytable.h"

DL_KEY::~DL_KEY() {
  if (key_frame != nullptr) key_frame->table->KeyDestroyed(this);
}

void DL_KEY::SetFrame(float f) {
  frame = f;
  if (channel != nullptr && channel->key_table != nullptr) channel->key_table->KeyFrameChanged(this);
}
