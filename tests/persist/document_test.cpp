#include "persist/document_schema.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <vector>

#include "../mesh/mesh_fixture.h"
#include "../model/tree_check.h"
#include "host/xml_element.h"
#include "refhost/xml_file.h"

namespace {

class DocumentTest : public MeshTest {
 protected:
  // Saves the model, then reads the saved element into a fresh model.
  DL_MODEL* SaveAndReload() {
    RH_XML_ELEMENT saved("Plugin");
    SAVE_DOC_PARAM param = {&saved, FALSE};
    EXPECT_TRUE(WriteDocument(model, &param));
    EXPECT_TRUE(param.save_uid);
    // Through our file format and back, as a document on disk would be.
    std::string text = WriteXml(saved);
    RH_XML_ELEMENT parsed;
    std::string error;
    EXPECT_TRUE(ParseXml(text, &parsed, &error)) << error;
    doc()->plugin_data = parsed;
    DL_MODEL* loaded = new DL_MODEL();
    loaded->document = doc();
    loaded->controller = &plugin;
    ReadDocument(loaded, &doc()->plugin_data);
    loaded->FinishLoading();
    return loaded;
  }
};

TEST_F(DocumentTest, SavingAndReloadingRestoresWhatTheDocumentStores) {
  AddGrid("g", 2);
  DL_MOT* mot = model->NewNamedMotion();
  mot->SetRate(24);
  mot->SetEndFrame(50);
  mot->SetLoop(false);
  model->Synchronize();
  DL_BONE* root = AddBone(nullptr, VEC3(0, 0, 0), VEC3(0, 1, 0));
  root->SetName("腰");
  root->SetFlag(BONE_IK_PIVOT | BONE_CONNECT, true);
  root->SetFlag(BONE_EXPANDED | BONE_EDIT_ALLOWED, false);
  root->attach_range[1] = 0.5f;
  DL_BONE* arm = AddBone(root, VEC3(0, 1, 0), VEC3(1, 1, 0));
  arm->SetName("腕①");
  DL_BONE* last = AddBone(nullptr, VEC3(3, 0, 0), VEC3(3, 1, 0));
  last->SetName("last");
  arm->mirror.Set(last);
  DL_OBJ* obj = model->objects[0];
  obj->SetObjBone(last);
  obj->SetVertexWeightForBone(0, root, 0.25f);
  obj->SetVertexWeightForBone(0, arm, 0.75f);
  obj->SetVertexWeightForBone(3, arm, 1.0f);
  arm->tracks.current->rot.SetKey(5, DL_VALUE::Quat(QUAT::FromAxisAngle(VEC3(0, 0, 1), 0.5f)));
  root->tracks.current->trs.SetKey(6, DL_VALUE::Vec3(VEC3(1, 2, 3)));  // kept now: translation keys
  root->tracks.current->scl.SetKey(7, DL_VALUE::Vec3(VEC3(2, 2, 2)));
  model->next_bone_id = 9;

  DL_MODEL* loaded = SaveAndReload();
  EXPECT_TRUE(TreeIsConsistent(*loaded));
  EXPECT_EQ(TreeShape(*loaded), TreeShape(*model));  // names byte for byte, and the tree order
  EXPECT_EQ(loaded->next_bone_id, 9);
  DL_BONE* r2 = loaded->FindBoneById(root->id);
  DL_BONE* a2 = loaded->FindBoneById(arm->id);
  ASSERT_NE(r2, nullptr);
  ASSERT_NE(a2, nullptr);
  EXPECT_TRUE(r2->HasFlag(BONE_IK_PIVOT));
  EXPECT_TRUE(r2->HasFlag(BONE_CONNECT));
  EXPECT_TRUE(r2->HasFlag(BONE_EXPANDED));      // back to its default
  EXPECT_TRUE(r2->HasFlag(BONE_EDIT_ALLOWED));  // back to its default
  EXPECT_EQ(r2->attach_range[1], 0.5f);
  EXPECT_EQ(a2->mirror.Get(), nullptr);  // not stored
  EXPECT_EQ(a2->pivot, arm->pivot);
  ASSERT_EQ(loaded->motions.size(), 1u);
  DL_MOT* m2 = loaded->motions[0];
  EXPECT_STREQ(m2->name, "mot1");
  EXPECT_EQ(m2->rate, 24.0f);
  EXPECT_FALSE(m2->Loops());
  DL_MOTBONE* t = a2->tracks.Find(m2);
  ASSERT_EQ(t->rot.KeyCount(), 1);
  EXPECT_NEAR(t->rot.keys[0]->value.AsQuat().z, QUAT::FromAxisAngle(VEC3(0, 0, 1), 0.5f).z, 1e-6f);
  EXPECT_EQ(r2->tracks.Find(m2)->trs.keys[0]->value.AsVec3(), VEC3(1, 2, 3));
  EXPECT_EQ(r2->tracks.Find(m2)->scl.keys[0]->frame, 7.0f);
  ASSERT_EQ(loaded->objects.size(), 1u);
  DL_OBJ* o2 = loaded->objects[0];
  EXPECT_EQ(o2->obj_bone.Get(), loaded->FindBoneById(last->id));
  EXPECT_FLOAT_EQ(o2->GetVertexWeightForBone(0, a2), 0.75f);
  EXPECT_FLOAT_EQ(o2->GetVertexWeightForBone(3, a2), 1.0f);
  EXPECT_EQ(o2->current_weight_group, o2->weight_groups[0]);
  delete loaded;
}

TEST_F(DocumentTest, RepeatedBoneNamesKeepTheirOwnTracks) {
  model->NewNamedMotion();
  DL_BONE* a = AddBone(nullptr, VEC3(), VEC3(0, 1, 0));
  DL_BONE* b = AddBone(nullptr, VEC3(), VEC3(0, 1, 0));
  a->SetName("hip");
  b->SetName("hip");
  b->tracks.current->rot.SetKey(3, DL_VALUE::Quat(QUAT(0, 1, 0, 0)));
  DL_MODEL* loaded = SaveAndReload();
  EXPECT_EQ(loaded->FindBoneById(a->id)->tracks.tracks[0]->rot.KeyCount(), 0);
  EXPECT_EQ(loaded->FindBoneById(b->id)->tracks.tracks[0]->rot.KeyCount(), 1);
  delete loaded;
}

// Builds a document element by hand, as another program might.
RH_XML_ELEMENT* ModelElement(RH_XML_ELEMENT* plugin, const char* version) {
  RH_XML_ELEMENT* m = plugin->AddChild("model");
  if (version != nullptr) m->SetAttribute("ver", version);
  return m;
}

TEST_F(DocumentTest, ReaderRulesAndDefensiveReading) {
  std::vector<std::string> lines;
  RH_XML_ELEMENT plugin("Plugin");
  ModelElement(&plugin, "9999")->AddChild("bone")->SetAttribute("name", "old");
  ModelElement(&plugin, nullptr)->AddChild("bone")->SetAttribute("name", "none");
  RH_XML_ELEMENT* m = ModelElement(&plugin, "10000");
  m->SetAttribute("make_bone_id", "-4");
  RH_XML_ELEMENT* b1 = m->AddChild("bone");
  b1->SetAttribute("name", "a");
  b1->SetAttribute("ID", "3");
  b1->SetAttribute("attach_bound", "0.1");  // one number: the end stays 0.8
  b1->SetAttribute("pivot", "1 2");         // too few numbers: absent
  RH_XML_ELEMENT* b2 = m->AddChild("bone");
  b2->SetAttribute("name", std::string(300, 'n'));
  b2->SetAttribute("ID", "3");  // repeated
  b2->SetAttribute("parent", "3");
  b2->SetAttribute("elder", "0");
  RH_XML_ELEMENT* b3 = m->AddChild("bone");
  b3->SetAttribute("name", "c");
  b3->SetAttribute("parent", "77");  // names nothing read before
  RH_XML_ELEMENT* b4 = m->AddChild("bone");
  b4->SetAttribute("name", "d");
  b4->SetAttribute("ID", "5");
  b4->SetAttribute("elder", "3");  // the elder's parent wins over this one
  b4->SetAttribute("parent", "5");
  RH_XML_ELEMENT* mot = m->AddChild("mot");
  RH_XML_ELEMENT* mb = mot->AddChild("motbone");
  mb->SetAttribute("bone", "a");
  RH_XML_ELEMENT* rot = mb->AddChild("rot");
  RH_XML_ELEMENT* k1 = rot->AddChild("key");
  k1->SetAttribute("frame", "1e999");  // beyond float: not finite
  k1->SetAttribute("type0", "7");
  RH_XML_ELEMENT* k2 = rot->AddChild("key");
  k2->SetAttribute("frame", "4");
  k2->SetAttribute("type0", "12");  // unknown type: an empty value
  RH_XML_ELEMENT* trs = mb->AddChild("trs");
  RH_XML_ELEMENT* k3 = trs->AddChild("key");
  k3->SetAttribute("frame", "2");
  k3->SetAttribute("type0", "5");
  k3->SetAttribute("data0", "1 2 3");
  mot->AddChild("motbone")->SetAttribute("bone", "nobody");
  doc()->plugin_data = plugin;
  ReadDocument(model, &doc()->plugin_data);
  EXPECT_EQ(model->bone_count, 4);
  EXPECT_TRUE(TreeIsConsistent(*model));
  EXPECT_EQ(model->next_bone_id >= 1, true);
  DL_BONE* a = model->FindBoneByName("a");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->id, 3);
  EXPECT_EQ(a->attach_range[0], 0.1f);
  EXPECT_EQ(a->attach_range[1], 0.8f);
  EXPECT_EQ(a->pivot, VEC3(0, 0, 0));
  DL_BONE* long_name = a->first_child;
  ASSERT_NE(long_name, nullptr);
  EXPECT_EQ(strlen(long_name->name), 255u);
  EXPECT_NE(long_name->id, 3);  // the repeat got a fresh identifier
  DL_BONE* d = model->FindBoneByName("d");
  EXPECT_EQ(d->parent, nullptr);  // after a, at the top level
  EXPECT_EQ(d->prev, a);
  DL_BONE* c = model->FindBoneByName("c");
  EXPECT_NE(c->id, 0);
  ASSERT_EQ(model->motions.size(), 1u);
  DL_MOTBONE* t = a->tracks.tracks[0];
  ASSERT_EQ(t->rot.KeyCount(), 1);  // the infinite frame was dropped
  EXPECT_EQ(t->rot.keys[0]->value, DL_VALUE());
  ASSERT_EQ(t->trs.KeyCount(), 1);
  EXPECT_EQ(t->trs.keys[0]->value.AsVec3(), VEC3(1, 2, 3));
}

TEST_F(DocumentTest, WeightsAndObjectsFromStoredPositions) {
  AddGrid("g", 2);
  RH_XML_ELEMENT plugin("Plugin");
  RH_XML_ELEMENT* m = ModelElement(&plugin, "10000");
  RH_XML_ELEMENT* bone = m->AddChild("bone");
  bone->SetAttribute("ID", "1");
  RH_XML_ELEMENT* obj = m->AddChild("obj");
  obj->SetAttribute("index", "0");
  RH_XML_ELEMENT* vert = obj->AddChild("objvert");  // before its groups, as another writer may order them
  vert->SetAttribute("vert", "2");
  RH_XML_ELEMENT* w1 = vert->AddChild("vweit");
  w1->SetAttribute("objweit", "7");
  w1->SetAttribute("per", "0.2");
  RH_XML_ELEMENT* w2 = vert->AddChild("vweit");
  w2->SetAttribute("objweit", "8");  // no such group
  w2->SetAttribute("per", "0.2");
  obj->AddChild("objvert")->SetAttribute("vert", "99");  // beyond the vertices: skipped
  RH_XML_ELEMENT* g = obj->AddChild("objweit");
  g->SetAttribute("ID", "7");
  g->SetAttribute("bone", "1");
  g->SetAttribute("col", "300 -2 7");
  m->AddChild("obj")->SetAttribute("index", "5");  // no such host object: unbound
  m->AddChild("mtl")->SetAttribute("ID", "42");
  doc()->plugin_data = plugin;
  ReadDocument(model, &doc()->plugin_data);
  ASSERT_EQ(model->objects.size(), 2u);
  DL_OBJ* o = model->objects[0];
  ASSERT_EQ(o->weight_groups.size(), 1u);
  EXPECT_EQ(o->weight_groups[0]->col, RGBA8(255, 0, 7));
  EXPECT_EQ(o->weight_groups[0]->bone.Get(), model->FindBoneById(1));
  DL_WEITLIST& w = o->vertices[2]->weights;
  ASSERT_EQ(w.Count(), 2);
  EXPECT_EQ(w.entries[1].group, nullptr);
  EXPECT_TRUE(w.IsNormalized());
  EXPECT_EQ(w.entries[0].per, 0.5f);
  ASSERT_EQ(model->materials.size(), 1u);
  EXPECT_EQ(model->materials[0]->material_id, 42);
  model->FinishLoading();
  EXPECT_EQ(model->objects.size(), 1u);  // the unbound record went
  EXPECT_TRUE(model->materials.empty()); // no material 42 in the document
}

TEST(XmlFile, WriterAndReaderAgree) {
  RH_XML_ELEMENT top("document");
  top.SetAttribute("text", u8"ボーン & \"quotes\" <tags>\n");
  RH_XML_ELEMENT* c = top.AddChild("child");
  c->AddChild("leaf")->SetAttribute("a", "1");
  c->AddChild("leaf");
  std::string text = WriteXml(top);
  RH_XML_ELEMENT back;
  std::string error;
  ASSERT_TRUE(ParseXml(text, &back, &error)) << error;
  EXPECT_EQ(WriteXml(back), text);
  EXPECT_EQ(*back.Attribute("text"), u8"ボーン & \"quotes\" <tags>\n");
  const char* bad[] = {"", "<a", "<a b=c/>", "<a></b>", "<a/><b/>", "<a x='1' x='2'/>", "<a t='&bogus;'/>",
                       "<a t='&#0;'/>", "<a><!-- open </a>"};
  for (const char* b : bad) {
    RH_XML_ELEMENT e;
    EXPECT_FALSE(ParseXml(b, &e, &error)) << b;
    EXPECT_TRUE(e.children.empty());
  }
  RH_XML_ELEMENT ok;
  EXPECT_TRUE(ParseXml("<?xml version='1.0'?><!-- c --><a t='&#x41;&lt;'><b/>text</a>", &ok, &error)) << error;
  EXPECT_EQ(*ok.Attribute("t"), "A<");
  // Deep nesting needs no recursion.
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<e>";
  for (int i = 0; i < 100000; ++i) deep += "</e>";
  RH_XML_ELEMENT d;
  EXPECT_TRUE(ParseXml(deep, &d, &error));
}

TEST_F(DocumentTest, DocumentFilesKeepObjectsMaterialsAndThePluginData) {
  RH_OBJECT* o = AddGrid("グリッド", 2, 0);
  doc()->AddMaterial("赤");
  doc()->plugin_data.AddChild("model")->SetAttribute("ver", "10000");
  char path[] = "/tmp/rigvane_doc_XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  ASSERT_TRUE(SaveDocumentFile(*doc(), path));
  RH_DOCUMENT loaded;
  std::string error;
  ASSERT_TRUE(LoadDocumentFile(&loaded, path, &error)) << error;
  remove(path);
  ASSERT_EQ(loaded.objects.size(), 1u);
  EXPECT_EQ(loaded.objects[0]->name, o->name);
  EXPECT_EQ(loaded.objects[0]->identity, o->identity);
  EXPECT_EQ(loaded.objects[0]->vertices[3].uid, o->vertices[3].uid);
  EXPECT_EQ(loaded.objects[0]->faces[0].points, o->faces[0].points);
  EXPECT_EQ(loaded.materials[0]->name, "赤");
  ASSERT_EQ(loaded.plugin_data.children.size(), 1u);
  EXPECT_EQ(*loaded.plugin_data.children[0]->Attribute("ver"), "10000");
}

TEST_F(DocumentTest, ElementAccessConvertsTheCodePage) {
  RH_XML_ELEMENT root("r");
  MQXmlElement child = XmlAddChild(&root, "骨");
  ASSERT_NE(child, nullptr);
  XmlSetAttr(child, "name", "腕①");
  EXPECT_EQ(static_cast<RH_XML_ELEMENT*>(child)->name, u8"骨");
  EXPECT_EQ(*static_cast<RH_XML_ELEMENT*>(child)->Attribute("name"), u8"腕①");
  std::string text;
  EXPECT_TRUE(XmlGetAttr(child, "name", &text));
  EXPECT_EQ(text, "腕①");  // the same code page 932 bytes back
  EXPECT_FALSE(XmlGetAttr(child, "none", &text));
  EXPECT_EQ(text, "");
  EXPECT_EQ(XmlName(child), "骨");
  MQXmlElement second = XmlAddChild(&root, "b");
  EXPECT_EQ(XmlFirstChild(&root, nullptr), child);
  EXPECT_EQ(XmlFirstChild(&root, "b"), second);
  EXPECT_EQ(XmlNextChild(&root, nullptr, child), second);
  EXPECT_EQ(XmlNextChild(&root, nullptr, second), nullptr);
  EXPECT_EQ(XmlFirstChild(&root, "none"), nullptr);
}

}  // namespace
