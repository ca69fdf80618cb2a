#include "host/plugin_classes.h"

#include <string.h>

#include "host/host_table.h"

BOOL MQStationPlugin::SendRequest(int code, KEYVALUE* option) {
  SEND_MSG_INFO info;
  memset(&info, 0, sizeof info);
  GetPlugInID(&info.product, &info.id);
  info.index = 0;
  info.option = option;
  return MQ_SendMessage(code, &info);
}

MQObject MQStationPlugin::CreateDrawObject(MQDocument doc, int visibility, BOOL instant) {
  MQObject result = nullptr;
  KEYVALUE option[] = {
      {"document", doc}, {"visibility", &visibility}, {"instant", &instant}, {"result", &result},
      {nullptr, nullptr}};
  SendRequest(REQ_CREATE_DRAW_OBJECT, option);
  return result;
}

MQMaterial MQStationPlugin::CreateDrawMaterial(MQDocument doc, BOOL instant, int* index) {
  MQMaterial result = nullptr;
  int material_index = -1;
  KEYVALUE option[] = {{"document", doc},
                       {"index", &material_index},
                       {"instant", &instant},
                       {"result", &result},
                       {nullptr, nullptr}};
  SendRequest(REQ_CREATE_DRAW_MATERIAL, option);
  if (index != nullptr) *index = material_index;
  return result;
}

void MQStationPlugin::DeleteDrawObject(MQDocument doc, MQObject obj) {
  KEYVALUE option[] = {{"document", doc}, {"object", obj}, {nullptr, nullptr}};
  SendRequest(REQ_DELETE_DRAW_OBJECT, option);
}

void MQStationPlugin::DeleteDrawMaterial(MQDocument doc, MQMaterial mat) {
  KEYVALUE option[] = {{"document", doc}, {"material", mat}, {nullptr, nullptr}};
  SendRequest(REQ_DELETE_DRAW_MATERIAL, option);
}

void MQStationPlugin::RecordUndo() {
  KEYVALUE option[] = {{nullptr, nullptr}};
  SendRequest(REQ_RECORD_UNDO, option);
}

void MQStationPlugin::RedrawViews() {
  KEYVALUE option[] = {{nullptr, nullptr}};
  SendRequest(REQ_REDRAW_VIEWS, option);
}

VIEW_OPTIONS MQStationPlugin::GetViewOptions(MQScene scene) {
  VIEW_OPTIONS v;
  memset(&v, 0, sizeof v);
  KEYVALUE option[] = {{"scene", scene},
                       {"show_vertex", &v.show_vertex},
                       {"show_line", &v.show_line},
                       {"show_face", &v.show_face},
                       {"front_only", &v.front_only},
                       {"show_bkimg", &v.show_bkimg},
                       {nullptr, nullptr}};
  SendRequest(REQ_GET_VIEW_OPTIONS, option);
  return v;
}

namespace {

struct BRIDGE_ARG {
  MQStationPlugin* plugin;
  CALLBACK_REC* rec;
};

BOOL MQAPI StationBridge(MQDocument doc, void* option) {
  BRIDGE_ARG* arg = static_cast<BRIDGE_ARG*>(option);
  return arg->plugin->RunCallback(doc, arg->rec) ? 1 : 0;
}

}  // namespace

BOOL MQStationPlugin::RunInHost(CALLBACK_PROC proc, void* user_data) {
  CALLBACK_REC rec = {proc, user_data};
  BRIDGE_ARG arg = {this, &rec};
  return MQ_StationCallback(StationBridge, &arg);
}
