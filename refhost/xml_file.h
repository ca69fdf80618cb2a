// Documents saved as XML files of our own format, which standard XML tools
// read: the objects, the materials and the plug-in's element tree. The file
// is UTF-8; object and material names are the host's ANSI text in memory.
#pragma once

#include <string>

#include "refhost/refhost.h"

// The XML text of an element tree.
std::string WriteXml(const RH_XML_ELEMENT& root);
// Parses XML text into root (its single top element). On malformed input
// returns false with a message and leaves root empty.
bool ParseXml(const std::string& text, RH_XML_ELEMENT* root, std::string* error);

bool SaveDocumentFile(const RH_DOCUMENT& doc, const char* path);
// Replaces the document's objects, materials and plug-in data.
bool LoadDocumentFile(RH_DOCUMENT* doc, const char* path, std::string* error);
