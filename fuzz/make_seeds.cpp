// Writes the fuzzers' seed inputs: real data of each format, made by the
// plug-in's own writers from a small model, into <dir>/<target>/.
#include <stdio.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "fuzz_support.h"
#include "model/clipboard.h"
#include "persist/document_schema.h"
#include "persist/records.h"
#include "refhost/xml_file.h"

namespace {

void Save(const std::string& dir, const char* name, const std::vector<uint8_t>& bytes) {
  mkdir(dir.c_str(), 0755);
  FILE* f = fopen((dir + "/" + name).c_str(), "wb");
  if (f == nullptr) return;
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string root = argv[1];
  mkdir(root.c_str(), 0755);
  FUZZ_WORLD world;
  DL_MODEL* m = world.Fresh();
  DL_BONE* a = m->first_bone;
  DL_BONE* b = a->first_child;
  a->SetFlag(BONE_SELECTED, true);
  b->SetFlag(BONE_SELECTED, true);
  b->tracks.current->rot.SetKey(3, DL_VALUE::Quat(QUAT(0, 0, 1, 0)));
  a->tracks.current->trs.SetKey(5, DL_VALUE::Vec3(VEC3(1, 2, 3)));
  DL_OBJ* o = m->objects[0];
  o->SetVertexWeightForBone(1, a, 0.5f);
  o->SetVertexWeightForBone(1, b, 0.5f);
  o->tracks.current->visibility.SetKey(2, DL_VALUE::Step(0));
  m->current_motion->key_table.SelectAll();

  std::vector<uint8_t> bytes;
  WriteBoneClipboard(m, &bytes);
  Save(root + "/clipboard_bone", "two_bones", bytes);
  WriteKeyClipboard(m, &bytes);
  Save(root + "/clipboard_key", "keys", bytes);
  DL_STREAM s;
  s.CreateMemory(4096);
  WriteModel(s, m);
  Save(root + "/snapshot", "model", std::vector<uint8_t>(s.Data(), s.Data() + s.DataLength()));
  RH_XML_ELEMENT saved("Plugin");
  SAVE_DOC_PARAM param = {&saved, 0};
  WriteDocument(m, &param);
  std::string xml = WriteXml(saved);
  Save(root + "/document", "model.xml", std::vector<uint8_t>(xml.begin(), xml.end()));

  // BVH: a small capture of our own in the usual form, and a few variants.
  const std::string bvh =
      "HIERARCHY\nROOT hip\n{\n\tOFFSET 0 90 0\n"
      "\tCHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n"
      "\tJOINT leg\n\t{\n\t\tOFFSET 1.5e-01 -10 0\n\t\tCHANNELS 3 Zrotation Xrotation Yrotation\n"
      "\t\tEnd Site\n\t\t{\n\t\t\tOFFSET 0 -8 0\n\t\t}\n\t}\n"
      "\tJOINT arm{\n\t\tOFFSET 0 12 0\n\t\tCHANNELS 3 Xrotation Yrotation Zrotation\n\t}\n}\n"
      "MOTION\nFrames: 3\nFrame Time: 0.0333333\n"
      "0 0 0 0 0 0 10 20 30 1 2 3\n1 2 3 4 5 6 7 8 9 -1 -2 -3\n0.5 0.5 0.5 90 0 0 0 90 0 0 0 90\n";
  Save(root + "/bvh", "capture.bvh", std::vector<uint8_t>(bvh.begin(), bvh.end()));
  const std::string still = "hierarchy\nROOT a{\nEnd Site\n{\nOFFSET 0 0 1\n}\n}\nMOTION\nFrames: 0\nFrame Time: 1\n";
  Save(root + "/bvh", "still.bvh", std::vector<uint8_t>(still.begin(), still.end()));
  const std::string cut = bvh.substr(0, bvh.size() - 20);
  Save(root + "/bvh", "cut.bvh", std::vector<uint8_t>(cut.begin(), cut.end()));
  return 0;
}
