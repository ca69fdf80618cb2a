// The plug-in's data in the host document: the "model" element tree.
#pragma once

#include "host/plugin_classes.h"

struct DL_MODEL;

// Appends one "model" element to the save event's element and asks the
// host to keep unique identifiers (save_uid).
bool WriteDocument(const DL_MODEL* model, SAVE_DOC_PARAM* param);
// Reads every "model" child of element into the model. The caller then
// finishes loading and makes a motion current.
void ReadDocument(DL_MODEL* model, MQXmlElement element);
