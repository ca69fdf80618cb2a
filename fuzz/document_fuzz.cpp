// A stored document from anywhere: XML text through the reference host's
// reader into the document schema reader, then written again.
#include <string>

#include "fuzz_support.h"
#include "persist/document_schema.h"
#include "refhost/xml_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FUZZ_WORLD world;
  DL_MODEL* m = world.Fresh();
  m->Clear();
  RH_XML_ELEMENT root;
  std::string error;
  if (!ParseXml(std::string(reinterpret_cast<const char*>(data), size), &root, &error)) return 0;
  ReadDocument(m, &root);
  m->FinishLoading();
  RH_XML_ELEMENT saved("Plugin");
  SAVE_DOC_PARAM param = {&saved, 0};
  WriteDocument(m, &param);
  return 0;
}
