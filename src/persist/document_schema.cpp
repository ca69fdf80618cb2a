#include "persist/document_schema.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "anim/channel.h"
#include "anim/frame.h"
#include "anim/motion.h"
#include "controller/log.h"
#include "host/host_table.h"
#include "host/text.h"
#include "host/xml_element.h"
#include "mesh/obj.h"
#include "mesh/objvert.h"
#include "mesh/objweit.h"
#include "mesh/mtl.h"
#include "model/bone.h"
#include "model/model.h"

namespace {

const int kVersion = 10000;

// ---- text forms ----

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  char small[128];
  va_list args;
  va_start(args, format);
  int n = vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (n < 0) return std::string();
  if (static_cast<size_t>(n) < sizeof small) return small;
  std::string big(static_cast<size_t>(n) + 1, '\0');
  va_start(args, format);
  vsnprintf(&big[0], big.size(), format, args);
  va_end(args);
  big.resize(static_cast<size_t>(n));
  return big;
}

void SetInt(MQXmlElement e, const char* name, int v) { XmlSetAttr(e, name, Format("%d", v).c_str()); }
void SetFloat(MQXmlElement e, const char* name, float v) { XmlSetAttr(e, name, Format("%f", v).c_str()); }
void SetVec3(MQXmlElement e, const char* name, const VEC3& v) {
  XmlSetAttr(e, name, Format("%f %f %f", v.x, v.y, v.z).c_str());
}

std::string Text(MQXmlElement e, const char* name, bool* present = nullptr) {
  std::string t;
  bool has = XmlGetAttr(e, name, &t);
  if (present != nullptr) *present = has;
  return t;
}

// Numbers are read as the host's C library reads them (atoi, atof), with
// the same result in every build: C libraries differ in what they accept
// beyond plain decimals ("inf", "nan", hexadecimal), so only the decimal
// form is taken, and integers saturate at the int range.
const char* SkipSpace(const char* p) {
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f' || *p == '\v') ++p;
  return p;
}

// Parses one decimal number at p; false when there is none. end is set
// after it.
bool ParseDecimal(const char* p, double* v, const char** end) {
  const char* s = SkipSpace(p);
  const char* q = s;
  if (*q == '+' || *q == '-') ++q;
  const char* digits = q;
  while (*q >= '0' && *q <= '9') ++q;
  bool whole = q > digits;
  if (*q == '.') {
    ++q;
    const char* frac = q;
    while (*q >= '0' && *q <= '9') ++q;
    whole = whole || q > frac;
  }
  if (!whole) return false;
  if (*q == 'e' || *q == 'E') {
    const char* e = q + 1;
    if (*e == '+' || *e == '-') ++e;
    if (*e >= '0' && *e <= '9') {
      while (*e >= '0' && *e <= '9') ++e;
      q = e;
    }
  }
  std::string number(s, static_cast<size_t>(q - s));
  *v = strtod(number.c_str(), nullptr);
  *end = q;
  return true;
}

int ParseInt(const std::string& t) {
  const char* q = SkipSpace(t.c_str());
  bool negative = *q == '-';
  if (*q == '+' || *q == '-') ++q;
  long long v = 0;
  while (*q >= '0' && *q <= '9') {
    if (v < 2147483648LL) v = v * 10 + (*q - '0');
    ++q;
  }
  if (negative) v = -v;
  if (v > 2147483647LL) v = 2147483647LL;
  if (v < -2147483648LL) v = -2147483648LL;
  return static_cast<int>(v);
}

float ParseFloat(const std::string& t) {
  double v;
  const char* end;
  return ParseDecimal(t.c_str(), &v, &end) ? static_cast<float>(v) : 0.0f;
}

int GetInt(MQXmlElement e, const char* name, int fallback) {
  bool present;
  std::string t = Text(e, name, &present);
  return present ? ParseInt(t) : fallback;
}

float GetFloat(MQXmlElement e, const char* name, float fallback) {
  bool present;
  std::string t = Text(e, name, &present);
  return present ? ParseFloat(t) : fallback;
}

// Up to n numbers from the text; returns how many were read.
int Numbers(const std::string& t, double* out, int n) {
  const char* p = t.c_str();
  int k = 0;
  while (k < n) {
    const char* end;
    if (!ParseDecimal(p, &out[k], &end)) break;
    ++k;
    p = end;
  }
  return k;
}

// A vector attribute with fewer numbers than components counts as absent.
bool GetFloats(MQXmlElement e, const char* name, float* out, int n) {
  bool present;
  std::string t = Text(e, name, &present);
  double v[4];
  if (!present || Numbers(t, v, n) < n) return false;
  for (int i = 0; i < n; ++i) out[i] = static_cast<float>(v[i]);
  return true;
}

VEC3 GetVec3(MQXmlElement e, const char* name, const VEC3& fallback) {
  float f[3];
  return GetFloats(e, name, f, 3) ? VEC3(f[0], f[1], f[2]) : fallback;
}

int ClampByte(long v) { return v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(v); }

bool GetColour(const std::string& t, int channels, RGBA8* out) {
  long v[4] = {0, 0, 0, 255};
  double d[4];
  if (Numbers(t, d, channels) < channels) return false;
  for (int i = 0; i < channels; ++i) v[i] = d[i] < -1.0e9 ? -1000000000L : d[i] > 1.0e9 ? 1000000000L : static_cast<long>(d[i]);
  *out = RGBA8(ClampByte(v[0]), ClampByte(v[1]), ClampByte(v[2]), ClampByte(v[3]));
  return true;
}

// ---- values of keys ----

std::string ValueText(const DL_VALUE& v) {
  switch (v.tag) {
    case VALUE_FLOAT: return Format("%f", v.AsFloat());
    case VALUE_INT:
    case VALUE_STEP: return Format("%d", v.AsInt());
    case VALUE_VEC2: return Format("%f %f", v.AsVec2().x, v.AsVec2().y);
    case VALUE_VEC3: return Format("%f %f %f", v.AsVec3().x, v.AsVec3().y, v.AsVec3().z);
    case VALUE_VEC4: return Format("%f %f %f %f", v.AsVec4().x, v.AsVec4().y, v.AsVec4().z, v.AsVec4().w);
    case VALUE_QUAT: return Format("%f %f %f %f", v.AsQuat().x, v.AsQuat().y, v.AsQuat().z, v.AsQuat().w);
    case VALUE_RGBA8: {
      RGBA8 c = v.AsColor();
      return Format("%d %d %d %d", c.r, c.g, c.b, c.a);
    }
    default: return std::string();
  }
}

DL_VALUE ParseValue(int type, bool present, const std::string& t) {
  double n[4];
  switch (type) {
    case VALUE_FLOAT: return DL_VALUE::Float(present ? ParseFloat(t) : 0.0f);
    case VALUE_INT: return DL_VALUE::Int(present ? ParseInt(t) : 0);
    case VALUE_STEP: return DL_VALUE::Step(present ? ParseInt(t) : 0);
    case VALUE_VEC2:
      return present && Numbers(t, n, 2) == 2 ? DL_VALUE::Vec2(VEC2(float(n[0]), float(n[1]))) : DL_VALUE::Vec2(VEC2());
    case VALUE_VEC3:
      return present && Numbers(t, n, 3) == 3 ? DL_VALUE::Vec3(VEC3(float(n[0]), float(n[1]), float(n[2])))
                                              : DL_VALUE::Vec3(VEC3());
    case VALUE_VEC4:
      return present && Numbers(t, n, 4) == 4
                 ? DL_VALUE::Vec4(VEC4(float(n[0]), float(n[1]), float(n[2]), float(n[3])))
                 : DL_VALUE::Vec4(VEC4());
    case VALUE_QUAT:
      return present && Numbers(t, n, 4) == 4
                 ? DL_VALUE::Quat(QUAT(float(n[0]), float(n[1]), float(n[2]), float(n[3])))
                 : DL_VALUE::Quat(QUAT::Identity());
    case VALUE_RGBA8: {
      RGBA8 c(0, 0, 0, 255);
      if (present) GetColour(t, 4, &c);
      return DL_VALUE::Color(c);
    }
    default: return DL_VALUE();
  }
}

// ---- writing ----

void WriteChannelElement(MQXmlElement parent, const char* name, const DL_CHANNEL& c) {
  MQXmlElement ch = XmlAddChild(parent, name);
  SetInt(ch, "use", (c.flags & CHANNEL_USE) != 0 ? 1 : 0);
  for (const DL_KEY* k : c.keys) {
    MQXmlElement key = XmlAddChild(ch, "key");
    SetFloat(key, "frame", k->frame);
    SetInt(key, "line_type", k->line_type);
    SetInt(key, "type0", k->value.tag);
    XmlSetAttr(key, "data0", ValueText(k->value).c_str());
  }
}

}  // namespace

bool WriteDocument(const DL_MODEL* model, SAVE_DOC_PARAM* param) {
  if (model == nullptr || param == nullptr || param->xml_elem == nullptr) return false;
  MQXmlElement root = XmlAddChild(param->xml_elem, "model");
  if (root == nullptr) return false;
  SetInt(root, "ver", kVersion);
  SetInt(root, "make_bone_id", model->next_bone_id);
  SetInt(root, "make_mot_id", model->next_motion_id);

  for (const DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) {
    MQXmlElement e = XmlAddChild(root, "bone");
    XmlSetAttr(e, "name", b->name);
    SetInt(e, "ID", b->id);
    SetVec3(e, "pivot", b->pivot);
    SetVec3(e, "target", b->target);
    SetVec3(e, "roll", b->roll);
    SetInt(e, "show", b->HasFlag(BONE_SHOW) ? 1 : 0);
    SetInt(e, "connect", b->HasFlag(BONE_CONNECT) ? 1 : 0);
    SetInt(e, "ikpivot", b->HasFlag(BONE_IK_PIVOT) ? 1 : 0);
    SetInt(e, "iktarget", b->HasFlag(BONE_IK_TARGET) ? 1 : 0);
    XmlSetAttr(e, "attach_bound", Format("%f %f", b->attach_range[0], b->attach_range[1]).c_str());
    if (b->parent != nullptr) SetInt(e, "parent", b->parent->id);
    if (b->prev != nullptr) SetInt(e, "elder", b->prev->id);
  }

  for (const DL_OBJ* o : model->objects) {
    int32_t index = -1;
    MQObject source = o->FindSource(&index);
    if (source == nullptr) continue;
    MQXmlElement e = XmlAddChild(root, "obj");
    SetInt(e, "index", index);
    SetInt(e, "ID", o->object_uid);
    SetInt(e, "use_weight", o->HasFlag(OBJ_USE_WEIGHT) ? 1 : 0);
    SetInt(e, "make_objweit_id", o->next_weit_id);
    SetInt(e, "make_objweit_col", o->next_weit_col);
    if (const DL_BONE* ob = o->obj_bone.Get()) SetInt(e, "obj_bone", ob->id);
    if (o->HasFlag(OBJ_WEIGHTS_NOT_STORED)) continue;
    for (const DL_OBJWEIT* g : o->weight_groups) {
      MQXmlElement w = XmlAddChild(e, "objweit");
      SetInt(w, "ID", g->id);
      if (const DL_BONE* gb = g->bone.Get()) SetInt(w, "bone", gb->id);
      XmlSetAttr(w, "col", Format("%d %d %d", g->col.r, g->col.g, g->col.b).c_str());
      SetInt(w, "show_flg", (g->flags & OBJWEIT_SHOW) != 0 ? 1 : 0);
      SetInt(w, "auto_flg", (g->flags & OBJWEIT_AUTO) != 0 ? 1 : 0);
      SetInt(w, "auto_type", g->auto_type);
    }
    for (const DL_OBJVERT* v : o->vertices) {
      if (v->weights.entries.empty()) continue;
      int at = MQObj_GetVertexIndexFromUniqueID(source, static_cast<uint32_t>(v->vertex_uid));
      if (at < 0) continue;
      MQXmlElement ve = XmlAddChild(e, "objvert");
      SetInt(ve, "vert", at);
      for (const DL_VWEIT& entry : v->weights.entries) {
        if (entry.group == nullptr) continue;
        MQXmlElement we = XmlAddChild(ve, "vweit");
        SetInt(we, "objweit", entry.group->id);
        SetFloat(we, "per", entry.per);
      }
    }
  }

  for (const DL_MOT* m : model->motions) {
    MQXmlElement e = XmlAddChild(root, "mot");
    XmlSetAttr(e, "name", m->name);
    SetFloat(e, "start_frame", m->start_frame);
    SetFloat(e, "end_frame", m->end_frame);
    SetFloat(e, "rate", m->rate);
    SetInt(e, "loop_flg", m->Loops() ? 1 : 0);
    for (const DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) {
      const DL_MOTBONE* t = b->tracks.Find(m);
      if (t == nullptr) continue;
      MQXmlElement mb = XmlAddChild(e, "motbone");
      XmlSetAttr(mb, "bone", b->name);
      // The identifier binds the track when bone names repeat.
      SetInt(mb, "bone_id", b->id);
      WriteChannelElement(mb, "rot", t->rot);
      WriteChannelElement(mb, "trs", t->trs);
      WriteChannelElement(mb, "scl", t->scl);
    }
  }
  param->save_uid = TRUE;
  return true;
}

// ---- reading ----

namespace {

struct PENDING_WEIGHT {
  int vertex;
  int32_t group_id;
  float per;
};

struct READER {
  DL_MODEL* model;
  std::unordered_map<int32_t, DL_BONE*> by_id;  // the first bone read with each identifier
  std::vector<DL_BONE*> read;                   // in reading order
  std::unordered_map<DL_OBJ*, std::vector<PENDING_WEIGHT>> weights;

  void Bone(MQXmlElement e);
  void Object(MQXmlElement e);
  void Motion(MQXmlElement e);
  void Channel(MQXmlElement e, DL_CHANNEL* c);
  void Finish();
};

void READER::Bone(MQXmlElement e) {
  DL_BONE* b = new DL_BONE();
  b->SetName(Text(e, "name").c_str());
  b->id = GetInt(e, "ID", 0);
  b->pivot = GetVec3(e, "pivot", VEC3());
  b->target = GetVec3(e, "target", VEC3());
  b->SetFlag(BONE_SHOW, (GetInt(e, "show", 1) & 1) != 0);
  b->SetFlag(BONE_CONNECT, (GetInt(e, "connect", 0) & 1) != 0);
  b->SetFlag(BONE_IK_PIVOT, (GetInt(e, "ikpivot", 0) & 1) != 0);
  b->SetFlag(BONE_IK_TARGET, (GetInt(e, "iktarget", 0) & 1) != 0);
  bool present;
  std::string range = Text(e, "attach_bound", &present);
  double r[2];
  int n = present ? Numbers(range, r, 2) : 0;
  for (int i = 0; i < n; ++i) b->attach_range[i] = static_cast<float>(r[i]);
  int32_t parent_id = GetInt(e, "parent", 0), elder_id = GetInt(e, "elder", 0);
  auto find = [this](int32_t id) -> DL_BONE* {
    if (id == 0) return nullptr;
    auto it = by_id.find(id);
    return it != by_id.end() ? it->second : nullptr;
  };
  // Only bones read before can be named, so no link makes a cycle; an
  // elder's parent wins over a stated parent.
  DL_BONE* elder = find(elder_id);
  DL_BONE* parent = elder != nullptr ? nullptr : find(parent_id);
  b->Link(model, parent, elder);
  for (DL_MOT* m : model->motions) b->tracks.Add(b, m);
  b->tracks.Bind(model->current_motion);
  b->SetRoll(GetVec3(e, "roll", VEC3()));
  by_id.emplace(b->id, b);
  read.push_back(b);
}

void READER::Object(MQXmlElement e) {
  DL_OBJ* o = model->NewObject(0);
  int index = GetInt(e, "index", 0);
  MQObject host = model->document != nullptr && index >= 0 && index < MQDoc_GetObjectCount(model->document)
                      ? MQDoc_GetObject(model->document, index)
                      : nullptr;
  if (host == nullptr) return;  // unbound: dropped by the next synchronisation
  o->object_uid = MQObj_GetIntValue(host, 260);
  o->source = host;
  o->SetFlag(OBJ_USE_WEIGHT, (GetInt(e, "use_weight", 1) & 1) != 0);
  o->next_weit_id = GetInt(e, "make_objweit_id", 1);
  o->next_weit_col = GetInt(e, "make_objweit_col", 0);
  int32_t bone = GetInt(e, "obj_bone", 0);
  if (bone != 0) o->obj_bone.SetId(bone);
  o->RebuildVertexTable();
  if (o->HasFlag(OBJ_WEIGHTS_NOT_STORED)) return;
  std::vector<PENDING_WEIGHT>& pending = weights[o];
  for (MQXmlElement c = XmlFirstChild(e, nullptr); c != nullptr; c = XmlNextChild(e, nullptr, c)) {
    std::string name = XmlName(c);
    if (name == "objweit") {
      DL_OBJWEIT* g = new DL_OBJWEIT();
      g->owner = o;
      g->id = GetInt(c, "ID", 0);
      int32_t gb = GetInt(c, "bone", 0);
      if (gb != 0) g->bone.SetId(gb);
      RGBA8 col(255, 255, 255);
      bool has;
      std::string t = Text(c, "col", &has);
      if (has) GetColour(t, 3, &col);
      g->col = col;
      g->flags = OBJWEIT_EDITABLE;
      if (GetInt(c, "show_flg", 1) & 1) g->flags |= OBJWEIT_SHOW;
      if (GetInt(c, "auto_flg", 1) & 1) g->flags |= OBJWEIT_AUTO;
      g->auto_type = GetInt(c, "auto_type", 0);
      o->weight_groups.push_back(g);
    } else if (name == "objvert") {
      int vert = GetInt(c, "vert", 0);
      if (vert < 0 || vert >= o->VertexCount()) continue;
      for (MQXmlElement w = XmlFirstChild(c, "vweit"); w != nullptr; w = XmlNextChild(c, "vweit", w))
        pending.push_back({vert, GetInt(w, "objweit", 0), GetFloat(w, "per", 0)});
    }
  }
}

void READER::Channel(MQXmlElement e, DL_CHANNEL* c) {
  bool has_use;
  std::string use = Text(e, "use", &has_use);
  if (has_use) c->flags = (ParseInt(use) & 1) != 0 ? (c->flags | CHANNEL_USE) : (c->flags & ~CHANNEL_USE);
  for (MQXmlElement k = XmlFirstChild(e, "key"); k != nullptr; k = XmlNextChild(e, "key", k)) {
    float frame = GetFloat(k, "frame", 0);
    if (!IsFiniteFrame(frame)) continue;
    bool has_type, has_data;
    std::string type = Text(k, "type0", &has_type);
    std::string data = Text(k, "data0", &has_data);
    int tag = has_type ? ParseInt(type) : 0;
    DL_VALUE v = tag >= 1 && tag <= 8 ? ParseValue(tag, has_data, data) : DL_VALUE();
    c->SetKey(frame, v);
  }
}

void READER::Motion(MQXmlElement e) {
  DL_MOT* m = model->AddMotion();
  m->SetName(Text(e, "name").c_str());
  m->SetStartFrame(GetFloat(e, "start_frame", 0));
  m->SetEndFrame(GetFloat(e, "end_frame", 0));
  m->SetRate(GetFloat(e, "rate", 0));
  m->SetLoop((GetInt(e, "loop_flg", 0) & 1) != 0);
  std::unordered_map<std::string, DL_BONE*> by_name;
  for (DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) by_name.emplace(b->name, b);
  std::unordered_map<int32_t, DL_BONE*> ids;
  for (DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) ids.emplace(b->id, b);
  for (MQXmlElement mb = XmlFirstChild(e, "motbone"); mb != nullptr; mb = XmlNextChild(e, "motbone", mb)) {
    DL_BONE* b = nullptr;
    int32_t id = GetInt(mb, "bone_id", 0);
    if (id != 0) {
      auto it = ids.find(id);
      if (it != ids.end()) b = it->second;
    }
    if (b == nullptr) {
      auto it = by_name.find(Text(mb, "bone"));
      if (it != by_name.end()) b = it->second;
    }
    DL_MOTBONE* t = b != nullptr ? b->tracks.Find(m) : nullptr;
    if (t == nullptr) continue;
    for (MQXmlElement c = XmlFirstChild(mb, nullptr); c != nullptr; c = XmlNextChild(mb, nullptr, c)) {
      std::string name = XmlName(c);
      if (name == "rot") Channel(c, &t->rot);
      else if (name == "trs") Channel(c, &t->trs);
      else if (name == "scl") Channel(c, &t->scl);
    }
  }
}

void READER::Finish() {
  // Bones without an identifier, or with one an earlier bone has, get
  // fresh ones; references keep naming the first.
  std::unordered_set<int32_t> used;
  for (DL_BONE* b : read)
    if (b->id != 0) used.insert(b->id);
  std::unordered_set<int32_t> seen;
  for (DL_BONE* b : read) {
    if (b->id != 0 && seen.insert(b->id).second) continue;
    while (used.count(model->next_bone_id) != 0 || model->next_bone_id == 0) ++model->next_bone_id;
    b->id = model->next_bone_id++;
    used.insert(b->id);
  }
  for (DL_OBJ* o : model->objects) {
    o->obj_bone.Resolve(model);
    for (DL_OBJWEIT* g : o->weight_groups) {
      g->bone.Resolve(model);
      if (o->current_weight_group == nullptr) o->current_weight_group = g;
    }
    auto it = weights.find(o);
    if (it == weights.end()) continue;
    std::unordered_map<int32_t, DL_OBJWEIT*> groups;
    for (DL_OBJWEIT* g : o->weight_groups) groups.emplace(g->id, g);
    for (const PENDING_WEIGHT& p : it->second) {
      auto g = groups.find(p.group_id);
      DL_WEITLIST& list = o->vertices[p.vertex]->weights;
      list.entries.push_back({p.per, g != groups.end() ? g->second : nullptr, &list});
    }
    for (DL_OBJVERT* v : o->vertices) {
      v->weights.flags = 0;
      v->weights.Normalize();
      v->weights.UpdateColour();
    }
  }
  WeightsChanged();
}

}  // namespace

void ReadDocument(DL_MODEL* model, MQXmlElement element) {
  if (model == nullptr || element == nullptr) return;
  for (MQXmlElement root = XmlFirstChild(element, "model"); root != nullptr;
       root = XmlNextChild(element, "model", root)) {
    if (GetInt(root, "ver", 0) < kVersion) {
      DLLog("対応外の形式です!!");
      continue;
    }
    int make_bone = GetInt(root, "make_bone_id", 1);
    model->next_bone_id = make_bone < 1 ? 1 : make_bone;
    model->next_motion_id = GetInt(root, "make_mot_id", 1);
    READER r;
    r.model = model;
    for (MQXmlElement c = XmlFirstChild(root, nullptr); c != nullptr; c = XmlNextChild(root, nullptr, c)) {
      std::string name = XmlName(c);
      if (name == "bone") r.Bone(c);
      else if (name == "obj") r.Object(c);
      else if (name == "mtl") model->NewMaterial(GetInt(c, "ID", 0));
      else if (name == "mot") r.Motion(c);
    }
    r.Finish();
  }
}
