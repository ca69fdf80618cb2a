#include "refhost/xml_file.h"

#include "host/codepage.h"

#include <stdio.h>
#include <stdlib.h>

#include <string.h>

#include <algorithm>
#include <sstream>

namespace {

void Escape(const std::string& in, std::string* out) {
  for (char c : in) {
    switch (c) {
      case '&': *out += "&amp;"; break;
      case '<': *out += "&lt;"; break;
      case '>': *out += "&gt;"; break;
      case '"': *out += "&quot;"; break;
      case '\n': *out += "&#10;"; break;
      case '\r': *out += "&#13;"; break;
      case '\t': *out += "&#9;"; break;
      default: *out += c;
    }
  }
}

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
         c == '.' || c == ':' || static_cast<unsigned char>(c) >= 0x80;
}

void AppendUtf8(uint32_t c, std::string* out) {
  if (c < 0x80) {
    *out += static_cast<char>(c);
  } else if (c < 0x800) {
    *out += static_cast<char>(0xC0 | c >> 6);
    *out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out += static_cast<char>(0xE0 | c >> 12);
    *out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | c >> 18);
    *out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

struct PARSER {
  const std::string& t;
  size_t p = 0;
  std::string error;

  explicit PARSER(const std::string& text) : t(text) {}
  bool Fail(const char* why) {
    if (error.empty()) error = std::string(why) + " at byte " + std::to_string(p);
    return false;
  }
  void Space() {
    while (p < t.size() && (t[p] == ' ' || t[p] == '\t' || t[p] == '\r' || t[p] == '\n')) ++p;
  }
  bool Starts(const char* s) const { return t.compare(p, strlen(s), s) == 0; }
  bool SkipPast(const char* s) {
    size_t at = t.find(s, p);
    if (at == std::string::npos) return Fail("unterminated markup");
    p = at + strlen(s);
    return true;
  }
  // Declarations, comments, processing instructions and text between tags.
  bool Misc() {
    for (;;) {
      while (p < t.size() && t[p] != '<') ++p;
      if (Starts("<?")) {
        if (!SkipPast("?>")) return false;
      } else if (Starts("<!--")) {
        if (!SkipPast("-->")) return false;
      } else if (Starts("<!")) {
        if (!SkipPast(">")) return false;
      } else {
        return true;
      }
    }
  }
  bool Name(std::string* n) {
    size_t start = p;
    while (p < t.size() && IsNameChar(t[p])) ++p;
    if (p == start) return Fail("expected a name");
    n->assign(t, start, p - start);
    return true;
  }
  bool Value(std::string* v) {
    if (p >= t.size() || (t[p] != '"' && t[p] != '\'')) return Fail("expected a quoted value");
    char q = t[p++];
    v->clear();
    while (p < t.size() && t[p] != q) {
      if (t[p] == '<') return Fail("'<' in a value");
      if (t[p] != '&') {
        *v += t[p++];
        continue;
      }
      size_t semi = t.find(';', p);
      if (semi == std::string::npos || semi - p > 12) return Fail("bad entity");
      std::string e(t, p + 1, semi - p - 1);
      p = semi + 1;
      if (e == "amp") *v += '&';
      else if (e == "lt") *v += '<';
      else if (e == "gt") *v += '>';
      else if (e == "quot") *v += '"';
      else if (e == "apos") *v += '\'';
      else if (e.size() > 1 && e[0] == '#') {
        char* end;
        unsigned long c = e[1] == 'x' ? strtoul(e.c_str() + 2, &end, 16) : strtoul(e.c_str() + 1, &end, 10);
        if (*end != '\0' || c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return Fail("bad character reference");
        AppendUtf8(static_cast<uint32_t>(c), v);
      } else {
        return Fail("unknown entity");
      }
    }
    if (p >= t.size()) return Fail("unterminated value");
    ++p;
    return true;
  }
  // One element and everything inside it, without recursion.
  bool Element(RH_XML_ELEMENT* root) {
    std::vector<RH_XML_ELEMENT*> open;
    bool first = true;
    for (;;) {
      if (!Misc()) return false;
      if (p >= t.size()) return Fail("unexpected end");
      ++p;  // '<'
      if (p < t.size() && t[p] == '/') {
        ++p;
        std::string n;
        if (!Name(&n)) return false;
        Space();
        if (p >= t.size() || t[p] != '>') return Fail("expected '>'");
        ++p;
        if (open.empty() || open.back()->name != n) return Fail("mismatched end tag");
        open.pop_back();
        if (open.empty()) return true;
        continue;
      }
      std::string n;
      if (!Name(&n)) return false;
      RH_XML_ELEMENT* e;
      if (first) {
        root->Clear();
        root->name = n;
        e = root;
        first = false;
      } else {
        if (open.empty()) return Fail("content after the top element");
        e = open.back()->AddChild(n);
      }
      for (;;) {
        Space();
        if (p >= t.size()) return Fail("unterminated tag");
        if (t[p] == '/') {
          if (p + 1 >= t.size() || t[p + 1] != '>') return Fail("expected '/>'");
          p += 2;
          if (open.empty()) return true;
          break;
        }
        if (t[p] == '>') {
          ++p;
          open.push_back(e);
          break;
        }
        std::string a, v;
        if (!Name(&a)) return false;
        Space();
        if (p >= t.size() || t[p] != '=') return Fail("expected '='");
        ++p;
        Space();
        if (!Value(&v)) return false;
        if (e->Attribute(a) != nullptr) return Fail("repeated attribute");
        e->attributes.push_back({a, v});
      }
    }
  }
};

std::string Floats(const float* v, int n) {
  std::string s;
  char b[64];
  for (int i = 0; i < n; ++i) {
    snprintf(b, sizeof b, i == 0 ? "%.9g" : " %.9g", v[i]);
    s += b;
  }
  return s;
}

int ParseFloats(const std::string* s, float* out, int n) {
  if (s == nullptr) return 0;
  const char* p = s->c_str();
  int k = 0;
  while (k < n) {
    char* end;
    float v = strtof(p, &end);
    if (end == p) break;
    out[k++] = v;
    p = end;
  }
  return k;
}

long Int(const RH_XML_ELEMENT& e, const char* name, long fallback) {
  const std::string* v = e.Attribute(name);
  return v != nullptr ? strtol(v->c_str(), nullptr, 0) : fallback;
}

}  // namespace

std::string WriteXml(const RH_XML_ELEMENT& root) {
  std::string out;
  // (element, depth); a closing tag is a null element.
  std::vector<std::pair<const RH_XML_ELEMENT*, size_t>> work = {{&root, 0}};
  std::vector<const RH_XML_ELEMENT*> closing;
  while (!work.empty()) {
    auto item = work.back();
    work.pop_back();
    const RH_XML_ELEMENT* e = item.first;
    if (e == nullptr) {
      out.append(item.second * 2, ' ');
      out += "</" + closing.back()->name + ">\n";
      closing.pop_back();
      continue;
    }
    out.append(item.second * 2, ' ');
    out += "<" + e->name;
    for (const auto& a : e->attributes) {
      out += " " + a.first + "=\"";
      Escape(a.second, &out);
      out += "\"";
    }
    if (e->children.empty()) {
      out += "/>\n";
      continue;
    }
    out += ">\n";
    closing.push_back(e);
    work.push_back({nullptr, item.second});
    for (size_t i = e->children.size(); i-- > 0;) work.push_back({e->children[i], item.second + 1});
  }
  return out;
}

bool ParseXml(const std::string& text, RH_XML_ELEMENT* root, std::string* error) {
  PARSER parser(text);
  bool ok = parser.Element(root);
  if (ok && (!parser.Misc() || parser.p < text.size())) ok = parser.Fail("content after the top element");
  if (!ok) {
    root->Clear();
    root->name.clear();
    if (error != nullptr) *error = parser.error;
  }
  return ok;
}

bool SaveDocumentFile(const RH_DOCUMENT& doc, const char* path) {
  RH_XML_ELEMENT top("document");
  top.SetAttribute("next_object_identity", std::to_string(doc.next_object_identity));
  top.SetAttribute("next_material_identity", std::to_string(doc.next_material_identity));
  top.SetAttribute("current_object", std::to_string(doc.current_object));
  for (const RH_MATERIAL* m : doc.materials) {
    RH_XML_ELEMENT* e = top.AddChild("material");
    e->SetAttribute("name", AnsiToUtf8(m->name.c_str()));
    e->SetAttribute("identity", std::to_string(m->identity));
    float c[3] = {m->colour.r, m->colour.g, m->colour.b};
    e->SetAttribute("colour", Floats(c, 3));
    float f[6] = {m->alpha, m->diffuse, m->ambient, m->emission, m->specular, m->power};
    e->SetAttribute("alpha_diffuse_ambient_emission_specular_power", Floats(f, 6));
  }
  for (const RH_OBJECT* o : doc.objects) {
    RH_XML_ELEMENT* e = top.AddChild("object");
    e->SetAttribute("name", AnsiToUtf8(o->name.c_str()));
    e->SetAttribute("identity", std::to_string(o->identity));
    e->SetAttribute("visible", std::to_string(o->visible));
    e->SetAttribute("next_vertex_uid", std::to_string(o->next_vertex_uid));
    for (const RH_VERTEX& v : o->vertices) {
      RH_XML_ELEMENT* ve = e->AddChild("vertex");
      ve->SetAttribute("uid", std::to_string(v.uid));
      float p[3] = {v.pos.x, v.pos.y, v.pos.z};
      ve->SetAttribute("pos", Floats(p, 3));
    }
    for (const RH_FACE& f : o->faces) {
      RH_XML_ELEMENT* fe = e->AddChild("face");
      std::string points;
      for (size_t i = 0; i < f.points.size(); ++i) points += (i ? " " : "") + std::to_string(f.points[i]);
      fe->SetAttribute("points", points);
      fe->SetAttribute("material", std::to_string(f.material));
    }
  }
  RH_XML_ELEMENT* plugin = top.AddChild("plugin");
  RH_XML_ELEMENT* data = plugin->AddChild("");
  *data = doc.plugin_data;
  if (data->name.empty()) data->name = "Plugin";
  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + WriteXml(top);
  FILE* f = fopen(path, "wb");
  if (f == nullptr) return false;
  bool ok = fwrite(text.data(), 1, text.size(), f) == text.size();
  return fclose(f) == 0 && ok;
}

bool LoadDocumentFile(RH_DOCUMENT* doc, const char* path, std::string* error) {
  FILE* f = fopen(path, "rb");
  if (f == nullptr) {
    if (error != nullptr) *error = "cannot open the file";
    return false;
  }
  std::string text;
  char buffer[65536];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
  fclose(f);
  RH_XML_ELEMENT top;
  if (!ParseXml(text, &top, error)) return false;
  if (top.name != "document") {
    if (error != nullptr) *error = "not a document";
    return false;
  }
  while (!doc->objects.empty()) doc->DeleteObject(0);
  while (!doc->materials.empty()) doc->DeleteMaterial(0);
  for (const RH_XML_ELEMENT* e : top.children) {
    if (e->name == "material") {
      RH_MATERIAL* m = doc->AddMaterial(Utf8ToAnsi(e->Attribute("name") != nullptr ? e->Attribute("name")->c_str() : "").c_str());
      m->identity = static_cast<int32_t>(Int(*e, "identity", m->identity));
      float c[3] = {1, 1, 1};
      ParseFloats(e->Attribute("colour"), c, 3);
      m->colour = MQColor{c[0], c[1], c[2]};
      float v[6] = {m->alpha, m->diffuse, m->ambient, m->emission, m->specular, m->power};
      ParseFloats(e->Attribute("alpha_diffuse_ambient_emission_specular_power"), v, 6);
      m->alpha = v[0], m->diffuse = v[1], m->ambient = v[2], m->emission = v[3], m->specular = v[4], m->power = v[5];
    } else if (e->name == "object") {
      RH_OBJECT* o = doc->AddObject(Utf8ToAnsi(e->Attribute("name") != nullptr ? e->Attribute("name")->c_str() : "").c_str());
      o->identity = static_cast<int32_t>(Int(*e, "identity", o->identity));
      o->visible = static_cast<uint32_t>(Int(*e, "visible", 0xFFFFFFFF));
      for (const RH_XML_ELEMENT* c : e->children) {
        if (c->name == "vertex") {
          float p[3] = {0, 0, 0};
          ParseFloats(c->Attribute("pos"), p, 3);
          o->vertices.push_back({MQPoint{p[0], p[1], p[2]}, static_cast<uint32_t>(Int(*c, "uid", 0))});
        } else if (c->name == "face") {
          std::vector<int> points;
          if (const std::string* s = c->Attribute("points")) {
            std::istringstream in(*s);
            int k;
            while (in >> k) points.push_back(k);
          }
          o->AddFace(points, static_cast<int>(Int(*c, "material", -1)));
        }
      }
      uint32_t highest = 0;
      for (const RH_VERTEX& v : o->vertices) highest = v.uid > highest ? v.uid : highest;
      o->next_vertex_uid = static_cast<uint32_t>(Int(*e, "next_vertex_uid", highest + 1));
      if (o->next_vertex_uid <= highest) o->next_vertex_uid = highest + 1;
    } else if (e->name == "plugin" && !e->children.empty()) {
      doc->plugin_data = *e->children[0];
    }
  }
  int32_t highest_object = 0, highest_material = 0;
  for (const RH_OBJECT* o : doc->objects) highest_object = o->identity > highest_object ? o->identity : highest_object;
  for (const RH_MATERIAL* m : doc->materials)
    highest_material = m->identity > highest_material ? m->identity : highest_material;
  doc->next_object_identity = std::max<int32_t>(static_cast<int32_t>(Int(top, "next_object_identity", 1)), highest_object + 1);
  doc->next_material_identity =
      std::max<int32_t>(static_cast<int32_t>(Int(top, "next_material_identity", 1)), highest_material + 1);
  doc->current_object = static_cast<int>(Int(top, "current_object", doc->objects.empty() ? -1 : 0));
  if (doc->current_object >= static_cast<int>(doc->objects.size())) doc->current_object = -1;
  return true;
}
