// The plug-in class hierarchy that receives the host's events, the records
// the dispatcher builds for the handlers, and the requests to the host.
// The virtual operations are declared in the host's slot order.
#pragma once

#include "host/host_types.h"

struct MOUSE_STATE {
  int32_t pos_x;
  int32_t pos_y;
  int32_t wheel;
  BOOL l_button;
  BOOL m_button;
  BOOL r_button;
  BOOL shift;
  BOOL ctrl;
  BOOL extra;
};

struct NEW_DOC_PARAM {
  MQXmlElement xml_elem;
};

struct SAVE_DOC_PARAM {
  MQXmlElement xml_elem;
  BOOL save_uid;  // set by the handler: the host should save its unique IDs
};

typedef void (*CALLBACK_PROC)(MQDocument doc, void* user_data);

struct CALLBACK_REC {
  CALLBACK_PROC proc;
  void* user_data;
};

// Display switches of one view, as answered by the GetViewOptions request.
struct VIEW_OPTIONS {
  int show_vertex;
  int show_line;
  int show_face;
  int front_only;
  int show_bkimg;
};

// Request codes understood by the host.
enum {
  REQ_CREATE_DRAW_OBJECT = 200,
  REQ_CREATE_DRAW_MATERIAL = 201,
  REQ_DELETE_DRAW_OBJECT = 210,
  REQ_DELETE_DRAW_MATERIAL = 211,
  REQ_RECORD_UNDO = 301,
  REQ_REDRAW_VIEWS = 401,
  REQ_GET_VIEW_OPTIONS = 410,
};

// Visibility flags of a drawing object.
enum { DRAW_VERTICES = 1, DRAW_EDGES = 2, DRAW_FACES = 4 };

class MQBasePlugin {
 public:
  virtual ~MQBasePlugin() {}                                       // 0
  virtual void GetPlugInID(uint32_t* product, uint32_t* id) = 0;   // 1
  virtual const char* GetPlugInName() = 0;                         // 2
  virtual int GetPlugInType() = 0;                                 // 3
};

class MQStationPlugin : public MQBasePlugin {
 public:
  int GetPlugInType() override { return 6; }
  virtual const char* EnumString() = 0;                            // 4
  virtual BOOL Initialize() = 0;                                   // 5
  virtual void Shutdown() = 0;                                     // 6
  virtual BOOL SetActive(MQDocument doc, BOOL on) = 0;             // 7
  virtual BOOL IsActive(MQDocument doc) = 0;                       // 8
  virtual void OnHostMinimize(MQDocument, BOOL) {}                 // 9
  virtual int OnUserMessage(MQDocument, int /*src_product*/, int /*src_id*/,
                            const char* /*description*/, void* /*message*/) {  // 10
    return 0;
  }
  virtual void OnDrawView(MQDocument, MQScene, int /*width*/, int /*height*/) {}  // 11
  virtual void OnNewDocument(MQDocument, const char* /*filename*/, NEW_DOC_PARAM*) {}    // 12
  virtual void OnEndDocument(MQDocument) {}                                              // 13
  virtual void OnSaveDocument(MQDocument, const char* /*filename*/, SAVE_DOC_PARAM*) {}  // 14
  virtual BOOL OnUndo(MQDocument, int /*state*/) { return FALSE; }                       // 15
  virtual BOOL OnRedo(MQDocument, int /*state*/) { return FALSE; }                       // 16
  virtual void OnUpdateUndo(MQDocument, int /*state*/, int /*size*/) {}                  // 17
  virtual void OnObjectModified(MQDocument) {}                                           // 18
  virtual void OnNotify222(MQDocument) {}                                                // 19
  virtual void OnUpdateObjectList(MQDocument) {}                                         // 20
  virtual void OnNotify231(MQDocument) {}                                                // 21
  virtual void OnNotify230(MQDocument) {}                                                // 22
  virtual void OnSceneChanged(MQDocument, MQScene) {}                                    // 23
  virtual bool RunCallback(MQDocument doc, void* option) = 0;                            // 24

  // Requests to the host (MQ_SendMessage).
  MQObject CreateDrawObject(MQDocument doc, int visibility, BOOL instant);
  MQMaterial CreateDrawMaterial(MQDocument doc, BOOL instant, int* index);
  void DeleteDrawObject(MQDocument doc, MQObject obj);
  void DeleteDrawMaterial(MQDocument doc, MQMaterial mat);
  void RecordUndo();
  void RedrawViews();
  VIEW_OPTIONS GetViewOptions(MQScene scene);

  // Runs proc(document, user_data) inside the host's station callback, so
  // that work started outside a host event happens in a document context.
  BOOL RunInHost(CALLBACK_PROC proc, void* user_data);

 private:
  BOOL SendRequest(int code, KEYVALUE* option);
};

class MQCommandPlugin : public MQStationPlugin {
 public:
  int GetPlugInType() override { return 7; }
  BOOL IsActive(MQDocument) override { return TRUE; }
  bool RunCallback(MQDocument, void*) override { return true; }

  virtual BOOL OnLeftDown(MQDocument, MQScene, MOUSE_STATE*) { return TRUE; }     // 25
  virtual BOOL OnLeftDrag(MQDocument, MQScene, MOUSE_STATE*) { return TRUE; }     // 26
  virtual BOOL OnLeftUp(MQDocument, MQScene, MOUSE_STATE*) { return TRUE; }       // 27
  virtual BOOL OnMiddleDown(MQDocument, MQScene, MOUSE_STATE*) { return FALSE; }  // 28
  virtual BOOL OnMiddleDrag(MQDocument, MQScene, MOUSE_STATE*) { return FALSE; }  // 29
  virtual BOOL OnMiddleUp(MQDocument, MQScene, MOUSE_STATE*) { return FALSE; }    // 30
  virtual BOOL OnRightDown(MQDocument, MQScene, MOUSE_STATE*) { return FALSE; }   // 31
  virtual BOOL OnRightDrag(MQDocument, MQScene, MOUSE_STATE*) { return FALSE; }   // 32
  virtual BOOL OnRightUp(MQDocument, MQScene, MOUSE_STATE*) { return FALSE; }     // 33
  virtual BOOL OnMouseHover(MQDocument, MQScene, MOUSE_STATE*) { return FALSE; }  // 34
  virtual BOOL OnWheel(MQDocument, MQScene, MOUSE_STATE*) { return FALSE; }       // 35
  virtual BOOL OnKeyPress(MQDocument, MQScene, int /*key*/, MOUSE_STATE*) { return FALSE; }    // 36
  virtual BOOL OnKeyRelease(MQDocument, MQScene, int /*key*/, MOUSE_STATE*) { return FALSE; }  // 37
};
