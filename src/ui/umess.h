// A text sink: whoever binds a callback receives the texts sent to it.
#pragma once

typedef void (*UMESS_CALLBACK)(void* user_data, const char* text);

struct UMESS {
  void* user_data = nullptr;
  UMESS_CALLBACK callback = nullptr;

  void Bind(void* data, UMESS_CALLBACK cb) {
    user_data = data;
    callback = cb;
  }
  // Nothing happens without a callback.
  void Send(const char* text) const {
    if (callback != nullptr) callback(user_data, text);
  }
};
