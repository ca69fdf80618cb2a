// The host document's XML elements, through the host's one entry point.
// Names and texts are the plug-in's ANSI text here and UTF-8 at the host.
#pragma once

#include <string>

#include "host/host_types.h"

MQXmlElement XmlAddChild(MQXmlElement element, const char* name);
// filter: a child name, or NULL for any.
MQXmlElement XmlFirstChild(MQXmlElement element, const char* filter);
MQXmlElement XmlNextChild(MQXmlElement element, const char* filter, MQXmlElement previous);
std::string XmlName(MQXmlElement element);
// False and an empty text when the attribute is absent.
bool XmlGetAttr(MQXmlElement element, const char* name, std::string* text);
void XmlSetAttr(MQXmlElement element, const char* name, const char* value);
