#include "host/xml_element.h"

#include "host/codepage.h"
#include "host/host_table.h"

MQXmlElement XmlAddChild(MQXmlElement element, const char* name) {
  if (element == nullptr) return nullptr;
  std::string n = AnsiToUtf8(name);
  XML_ADD_CHILD_REC rec = {n.c_str(), nullptr};
  MQXmlElem_Value(element, XML_ADD_CHILD, &rec);
  return rec.child;
}

MQXmlElement XmlFirstChild(MQXmlElement element, const char* filter) {
  if (element == nullptr) return nullptr;
  std::string f = filter != nullptr ? AnsiToUtf8(filter) : std::string();
  XML_FIRST_CHILD_REC rec = {filter != nullptr ? f.c_str() : nullptr, nullptr};
  MQXmlElem_Value(element, XML_FIRST_CHILD, &rec);
  return rec.child;
}

MQXmlElement XmlNextChild(MQXmlElement element, const char* filter, MQXmlElement previous) {
  if (element == nullptr || previous == nullptr) return nullptr;
  std::string f = filter != nullptr ? AnsiToUtf8(filter) : std::string();
  XML_NEXT_CHILD_REC rec = {filter != nullptr ? f.c_str() : nullptr, previous, nullptr};
  MQXmlElem_Value(element, XML_NEXT_CHILD, &rec);
  return rec.child;
}

std::string XmlName(MQXmlElement element) {
  if (element == nullptr) return std::string();
  XML_NAME_REC rec = {nullptr};
  MQXmlElem_Value(element, XML_NAME, &rec);
  return Utf8ToAnsi(rec.text);
}

bool XmlGetAttr(MQXmlElement element, const char* name, std::string* text) {
  text->clear();
  if (element == nullptr) return false;
  std::string n = AnsiToUtf8(name);
  XML_GET_ATTR_REC rec = {n.c_str(), nullptr};
  if (!MQXmlElem_Value(element, XML_GET_ATTR, &rec) || rec.text == nullptr) return false;
  *text = Utf8ToAnsi(rec.text);
  return true;
}

void XmlSetAttr(MQXmlElement element, const char* name, const char* value) {
  if (element == nullptr) return;
  std::string n = AnsiToUtf8(name), v = AnsiToUtf8(value);
  XML_SET_ATTR_REC rec = {n.c_str(), v.c_str()};
  MQXmlElem_Value(element, XML_SET_ATTR, &rec);
}
