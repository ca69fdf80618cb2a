// rigvane: the plug-in's core on the command line.
//   rigvane bvh FILE [--frame R]   import a BVH capture, print it as JSON
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "anim/bvh_import.h"
#include "anim/bvh_reader.h"
#include "anim/motion.h"
#include "host/codepage.h"
#include "model/bone.h"
#include "model/model.h"

namespace {

const char kHelp[] =
    "usage: rigvane bvh FILE [--frame R]\n"
    "       rigvane --help\n"
    "\n"
    "Imports the BVH capture FILE into an empty model exactly as the plug-in's\n"
    "BVH import does (scale 5) and prints one JSON object on standard output:\n"
    "  frames       the declared frame count\n"
    "  frame_time   the declared frame time, seconds\n"
    "  bones        in preorder: name (UTF-8), parent (index in this list or -1),\n"
    "               pivot, target and roll [x, y, z]\n"
    "  motion       {start_frame, end_frame, rate}, or null when the file has no frames\n"
    "With --frame R it adds \"pose\": {frame, bones: [{pivot, target}, ...]}: each\n"
    "bone's rest pivot and target carried by its deformation matrix after a full\n"
    "pose update of the imported motion at frame R (0 <= R <= frames - 1).\n"
    "\n"
    "Exit status: 0 success; 1 the file was refused (the reader's messages go to\n"
    "standard error, nothing to standard output); 2 a usage error, or a frame out\n"
    "of range or without a motion.\n";

// The reader's messages, shown only when the file is refused.
void Collect(void* user, const char* text) { *static_cast<std::string*>(user) += AnsiToUtf8(text); }

std::string Json(const std::string& utf8) {
  std::string out = "\"";
  for (unsigned char c : utf8) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char b[8];
      snprintf(b, sizeof b, "\\u%04x", c);
      out += b;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Number(float v) {
  char b[32];
  snprintf(b, sizeof b, "%.9g", static_cast<double>(v));
  return b;
}

std::string Vec(const VEC3& v) { return "[" + Number(v.x) + ", " + Number(v.y) + ", " + Number(v.z) + "]"; }

int Usage(const char* why) {
  fprintf(stderr, "rigvane: %s\n\n%s", why, kHelp);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (strcmp(argv[1], "--help") == 0 || strcmp(argv[1], "-h") == 0)) {
    fputs(kHelp, stdout);
    return 0;
  }
  if (argc < 3 || strcmp(argv[1], "bvh") != 0) return Usage("expected: bvh FILE [--frame R]");
  const char* path = argv[2];
  bool posed = false;
  double frame = 0;
  for (int i = 3; i < argc; ++i) {
    if (strcmp(argv[i], "--frame") == 0 && i + 1 < argc) {
      char* end;
      frame = strtod(argv[++i], &end);
      if (*end != '\0' || end == argv[i] || !isfinite(frame)) return Usage("--frame takes a number");
      posed = true;
    } else {
      return Usage("unknown argument");
    }
  }

  std::string messages;
  UMESS sink;
  sink.Bind(&messages, Collect);
  BVH_DOC doc;
  if (!ReadBvhFile(path, &doc, sink)) {
    fputs(messages.c_str(), stderr);
    fprintf(stderr, "rigvane: %s: refused\n", path);
    return 1;
  }
  DL_MODEL model;
  DL_MOT* motion = ApplyBvh(&model, doc, BVH_SCALE);
  if (posed) {
    if (motion == nullptr) {
      fprintf(stderr, "rigvane: %s has no motion to pose\n", path);
      return 2;
    }
    if (frame < 0 || frame > doc.frame_count - 1) {
      fprintf(stderr, "rigvane: frame %g is outside 0 ... %d\n", frame, doc.frame_count - 1);
      return 2;
    }
    motion->SetCurrentFrame(static_cast<float>(frame));
    model.FullPoseUpdate();
  }

  std::vector<const DL_BONE*> bones;
  for (const DL_BONE* b = model.first_bone; b != nullptr; b = b->NextInPreorder()) bones.push_back(b);
  auto index_of = [&bones](const DL_BONE* b) {
    for (size_t i = 0; i < bones.size(); ++i)
      if (bones[i] == b) return static_cast<int>(i);
    return -1;
  };
  std::string out = "{\"frames\": " + std::to_string(doc.frame_count) + ", \"frame_time\": " + Number(doc.frame_time) +
                    ", \"bones\": [";
  for (size_t i = 0; i < bones.size(); ++i) {
    const DL_BONE* b = bones[i];
    out += (i ? ", " : "") + std::string("{\"name\": ") + Json(AnsiToUtf8(b->name)) +
           ", \"parent\": " + std::to_string(b->parent != nullptr ? index_of(b->parent) : -1) +
           ", \"pivot\": " + Vec(b->pivot) + ", \"target\": " + Vec(b->target) + ", \"roll\": " + Vec(b->roll) + "}";
  }
  out += "], \"motion\": ";
  if (motion == nullptr) {
    out += "null";
  } else {
    out += "{\"start_frame\": " + Number(motion->start_frame) + ", \"end_frame\": " + Number(motion->end_frame) +
           ", \"rate\": " + Number(motion->rate) + "}";
  }
  if (posed) {
    char f[32];
    snprintf(f, sizeof f, "%.9g", frame);
    out += ", \"pose\": {\"frame\": " + std::string(f) + ", \"bones\": [";
    for (size_t i = 0; i < bones.size(); ++i)
      out += (i ? ", " : "") + std::string("{\"pivot\": ") + Vec(bones[i]->PosedPivot()) +
             ", \"target\": " + Vec(bones[i]->PosedTarget()) + "}";
    out += "]}";
  }
  out += "}\n";
  fputs(out.c_str(), stdout);
  return 0;
}
