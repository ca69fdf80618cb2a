#include "refhost/xml_store.h"

#include <string.h>

#include "refhost/refhost.h"

RH_XML_ELEMENT::RH_XML_ELEMENT(const RH_XML_ELEMENT& other) { *this = other; }

RH_XML_ELEMENT& RH_XML_ELEMENT::operator=(const RH_XML_ELEMENT& other) {
  if (this == &other) return *this;
  Clear();
  name = other.name;
  attributes = other.attributes;
  // Deep trees are copied without recursion.
  std::vector<std::pair<const RH_XML_ELEMENT*, RH_XML_ELEMENT*>> work = {{&other, this}};
  while (!work.empty()) {
    auto job = work.back();
    work.pop_back();
    for (const RH_XML_ELEMENT* c : job.first->children) {
      RH_XML_ELEMENT* copy = job.second->AddChild(c->name);
      copy->attributes = c->attributes;
      work.push_back({c, copy});
    }
  }
  return *this;
}

RH_XML_ELEMENT::~RH_XML_ELEMENT() { Clear(); }

void RH_XML_ELEMENT::Clear() {
  // Children are freed without recursion, however deep the tree.
  std::vector<RH_XML_ELEMENT*> doomed;
  doomed.swap(children);
  while (!doomed.empty()) {
    RH_XML_ELEMENT* e = doomed.back();
    doomed.pop_back();
    for (RH_XML_ELEMENT* c : e->children) doomed.push_back(c);
    e->children.clear();
    delete e;
  }
  attributes.clear();
}

RH_XML_ELEMENT* RH_XML_ELEMENT::AddChild(const std::string& n) {
  children.push_back(new RH_XML_ELEMENT(n));
  return children.back();
}

const std::string* RH_XML_ELEMENT::Attribute(const std::string& n) const {
  for (const auto& a : attributes)
    if (a.first == n) return &a.second;
  return nullptr;
}

void RH_XML_ELEMENT::SetAttribute(const std::string& n, const std::string& value) {
  for (auto& a : attributes)
    if (a.first == n) {
      a.second = value;
      return;
    }
  attributes.push_back({n, value});
}

namespace {

RH_XML_ELEMENT* Child(RH_XML_ELEMENT* e, const char* filter, size_t from) {
  for (size_t i = from; i < e->children.size(); ++i)
    if (filter == nullptr || e->children[i]->name == filter) return e->children[i];
  return nullptr;
}

}  // namespace

BOOL MQAPI RH_MQXmlElem_Value(MQXmlElement element, int code, void* values) {
  RH_XML_ELEMENT* e = static_cast<RH_XML_ELEMENT*>(element);
  if (e == nullptr || values == nullptr) return FALSE;
  switch (code) {
    case XML_ADD_CHILD: {
      auto* rec = static_cast<XML_ADD_CHILD_REC*>(values);
      rec->child = e->AddChild(rec->name != nullptr ? rec->name : "");
      return TRUE;
    }
    case XML_FIRST_CHILD: {
      auto* rec = static_cast<XML_FIRST_CHILD_REC*>(values);
      rec->child = Child(e, rec->filter, 0);
      for (size_t i = 0; i < e->children.size(); ++i)
        if (e->children[i] == rec->child) {
          e->next_hint = i;
          break;
        }
      return rec->child != nullptr;
    }
    case XML_NEXT_CHILD: {
      auto* rec = static_cast<XML_NEXT_CHILD_REC*>(values);
      rec->child = nullptr;
      // Iterations ask for the child after the one they had last: look there
      // first.
      size_t at = e->next_hint < e->children.size() && e->children[e->next_hint] == rec->previous
                      ? e->next_hint
                      : e->children.size();
      for (size_t i = 0; at == e->children.size() && i < e->children.size(); ++i)
        if (e->children[i] == rec->previous) at = i;
      if (at == e->children.size()) return FALSE;
      rec->child = Child(e, rec->filter, at + 1);
      for (size_t i = at + 1; i < e->children.size(); ++i)
        if (e->children[i] == rec->child) {
          e->next_hint = i;
          break;
        }
      return rec->child != nullptr;
    }
    case XML_NAME: {
      auto* rec = static_cast<XML_NAME_REC*>(values);
      e->answer = e->name;
      rec->text = e->answer.c_str();
      return TRUE;
    }
    case XML_GET_ATTR: {
      auto* rec = static_cast<XML_GET_ATTR_REC*>(values);
      const std::string* v = rec->name != nullptr ? e->Attribute(rec->name) : nullptr;
      e->answer = v != nullptr ? *v : std::string();
      rec->text = e->answer.c_str();
      return v != nullptr;
    }
    case XML_SET_ATTR: {
      auto* rec = static_cast<XML_SET_ATTR_REC*>(values);
      if (rec->name == nullptr) return FALSE;
      e->SetAttribute(rec->name, rec->value != nullptr ? rec->value : "");
      return TRUE;
    }
    default:
      return FALSE;
  }
}
