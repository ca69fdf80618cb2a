// The reference host's XML elements: a tree of named elements whose
// children keep their order and whose attributes keep their text (UTF-8).
#pragma once

#include <string>
#include <utility>
#include <vector>

struct RH_XML_ELEMENT {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;  // in order of setting
  std::vector<RH_XML_ELEMENT*> children;                        // owned
  std::string answer;  // the text last handed out, valid until the next call
  size_t next_hint = 0;  // where the child after the last one asked about is

  RH_XML_ELEMENT() = default;
  explicit RH_XML_ELEMENT(const std::string& n) : name(n) {}
  RH_XML_ELEMENT(const RH_XML_ELEMENT& other);
  RH_XML_ELEMENT& operator=(const RH_XML_ELEMENT& other);
  ~RH_XML_ELEMENT();

  RH_XML_ELEMENT* AddChild(const std::string& n);
  const std::string* Attribute(const std::string& n) const;
  void SetAttribute(const std::string& n, const std::string& value);
  void Clear();
};
