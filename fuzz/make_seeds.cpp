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
  return 0;
}
