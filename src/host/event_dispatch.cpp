#include "host/event_dispatch.h"

#include "host/keyvalue.h"

namespace {

MOUSE_STATE ReadMouseState(const KEYVALUE* list, bool with_position) {
  MOUSE_STATE state = {};
  if (with_position) {
    state.pos_x = GetIntValue(list, "mouse_pos_x", 0);
    state.pos_y = GetIntValue(list, "mouse_pos_y", 0);
    state.wheel = GetIntValue(list, "mouse_wheel", 0);
  }
  int buttons = GetIntValue(list, "button_state", 0);
  state.l_button = (buttons & BUTTON_LEFT) != 0;
  state.m_button = (buttons & BUTTON_MIDDLE) != 0;
  state.r_button = (buttons & BUTTON_RIGHT) != 0;
  state.shift = (buttons & BUTTON_SHIFT) != 0;
  state.ctrl = (buttons & BUTTON_CTRL) != 0;
  state.extra = (buttons & BUTTON_EXTRA) != 0;
  return state;
}

int DispatchMouse(MQCommandPlugin* p, MQDocument doc, int code, const KEYVALUE* list) {
  MQScene scene = GetPointerValue(list, "scene");
  MOUSE_STATE state = ReadMouseState(list, true);
  switch (code) {
    case EV_LBUTTON_DOWN: return p->OnLeftDown(doc, scene, &state);
    case EV_LBUTTON_MOVE: return p->OnLeftDrag(doc, scene, &state);
    case EV_LBUTTON_UP: return p->OnLeftUp(doc, scene, &state);
    case EV_MBUTTON_DOWN: return p->OnMiddleDown(doc, scene, &state);
    case EV_MBUTTON_MOVE: return p->OnMiddleDrag(doc, scene, &state);
    case EV_MBUTTON_UP: return p->OnMiddleUp(doc, scene, &state);
    case EV_RBUTTON_DOWN: return p->OnRightDown(doc, scene, &state);
    case EV_RBUTTON_MOVE: return p->OnRightDrag(doc, scene, &state);
    case EV_RBUTTON_UP: return p->OnRightUp(doc, scene, &state);
    case EV_MOUSE_MOVE: return p->OnMouseHover(doc, scene, &state);
    default: return p->OnWheel(doc, scene, &state);
  }
}

int DispatchKey(MQCommandPlugin* p, MQDocument doc, int code, const KEYVALUE* list) {
  MQScene scene = GetPointerValue(list, "scene");
  int key = GetIntValue(list, "key", 0);
  MOUSE_STATE state = ReadMouseState(list, false);
  if (code == EV_KEY_DOWN) return p->OnKeyPress(doc, scene, key, &state);
  return p->OnKeyRelease(doc, scene, key, &state);
}

// Events 100 and 102 pass a pointer straight at an int; NULL reads as 0.
int ReadDirectInt(void* option) { return option != nullptr ? *static_cast<int*>(option) : 0; }

}  // namespace

int DispatchEvent(MQBasePlugin* plugin, MQDocument doc, int code, void* option) {
  MQStationPlugin* p = dynamic_cast<MQStationPlugin*>(plugin);
  if (p == nullptr) return 0;
  const KEYVALUE* list = static_cast<const KEYVALUE*>(option);

  if ((code >= EV_LBUTTON_DOWN && code <= EV_MOUSE_WHEEL) || code == EV_KEY_DOWN || code == EV_KEY_UP) {
    MQCommandPlugin* command = dynamic_cast<MQCommandPlugin*>(plugin);
    if (command == nullptr) return 0;
    if (code <= EV_MOUSE_WHEEL) return DispatchMouse(command, doc, code, list);
    return DispatchKey(command, doc, code, list);
  }

  switch (code) {
    case EV_INITIALIZE:
      return p->Initialize();
    case EV_SHUTDOWN:
      p->Shutdown();
      return 1;
    case EV_ACTIVATE:
      return p->SetActive(doc, ReadDirectInt(option));
    case EV_IS_ACTIVATED:
      return p->IsActive(doc);
    case EV_MINIMIZE:
      p->OnHostMinimize(doc, ReadDirectInt(option));
      return 1;
    case EV_USER_MESSAGE: {
      int result = p->OnUserMessage(doc, GetIntValue(list, "src_product", 0), GetIntValue(list, "src_id", 0),
                                    static_cast<const char*>(GetPointerValue(list, "description")),
                                    GetPointerValue(list, "message"));
      int* out = static_cast<int*>(GetPointerValue(list, "result"));
      if (out != nullptr) *out = result;
      return 1;
    }
    case EV_DRAW:
      p->OnDrawView(doc, GetPointerValue(list, "scene"), GetIntValue(list, "width", 1),
                    GetIntValue(list, "height", 1));
      return 1;
    case EV_NEW_DOCUMENT: {
      NEW_DOC_PARAM param = {GetPointerValue(list, "xml_elem")};
      p->OnNewDocument(doc, static_cast<const char*>(GetPointerValue(list, "filename")), &param);
      return 1;
    }
    case EV_END_DOCUMENT:
      p->OnEndDocument(doc);
      return 1;
    case EV_SAVE_DOCUMENT: {
      SAVE_DOC_PARAM param = {GetPointerValue(list, "xml_elem"), FALSE};
      p->OnSaveDocument(doc, static_cast<const char*>(GetPointerValue(list, "filename")), &param);
      int* save_uid = static_cast<int*>(GetPointerValue(list, "save_uid"));
      if (param.save_uid && save_uid != nullptr) *save_uid = 1;
      return 1;
    }
    case EV_UNDO:
      return p->OnUndo(doc, GetIntValue(list, "state", 0));
    case EV_REDO:
      return p->OnRedo(doc, GetIntValue(list, "state", 0));
    case EV_UNDO_UPDATED:
      p->OnUpdateUndo(doc, GetIntValue(list, "state", 0), GetIntValue(list, "size", 0));
      return 1;
    case EV_OBJECT_LIST:
      p->OnUpdateObjectList(doc);
      return 1;
    case EV_OBJECT_MODIFIED:
      p->OnObjectModified(doc);
      return 1;
    case EV_OBJECT_SELECTED:
      p->OnNotify222(doc);
      return 1;
    case EV_UPDATE_230:
      p->OnNotify230(doc);
      return 1;
    case EV_UPDATE_231:
      p->OnNotify231(doc);
      return 1;
    case EV_SCENE_CHANGED:
      p->OnSceneChanged(doc, GetPointerValue(list, "scene"));
      return 1;
    default:
      return 0;
  }
}
