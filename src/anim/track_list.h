// The tracks of one animatable record: one per motion of the model, in
// step with the motion list, and the one of the current motion.
#pragma once

#include <vector>

struct DL_MOT;

template <typename TRACK>
struct TRACK_LIST {
  TRACK* current = nullptr;
  std::vector<TRACK*> tracks;  // owned

  TRACK_LIST() = default;
  TRACK_LIST(const TRACK_LIST&) = delete;
  TRACK_LIST& operator=(const TRACK_LIST&) = delete;
  ~TRACK_LIST() { Clear(); }

  // The first track of motion m, or none (none for no motion).
  TRACK* Find(const DL_MOT* m) const {
    if (m == nullptr) return nullptr;
    for (TRACK* t : tracks)
      if (t->motion == m) return t;
    return nullptr;
  }
  template <typename OWNER>
  TRACK* Add(OWNER* owner, DL_MOT* m) {
    TRACK* t = new TRACK(owner, m);
    tracks.push_back(t);
    return t;
  }
  // Destroys the track of motion m.
  void Remove(const DL_MOT* m) {
    for (size_t i = 0; i < tracks.size(); ++i) {
      if (tracks[i]->motion != m) continue;
      if (current == tracks[i]) current = nullptr;
      delete tracks[i];
      tracks.erase(tracks.begin() + static_cast<long>(i));
      return;
    }
  }
  void Bind(const DL_MOT* current_motion) { current = Find(current_motion); }
  void Clear() {
    for (TRACK* t : tracks) delete t;
    tracks.clear();
    current = nullptr;
  }
};
