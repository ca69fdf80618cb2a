#include "host/event_dispatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records which slot each event reached and with what.
struct CALL {
  std::string slot;
  MQDocument doc = nullptr;
  void* scene = nullptr;  // scene, or the xml element of document events
  int a = 0, b = 0;       // integer parameters in order
  const char* text = nullptr;
  void* pointer = nullptr;
  MOUSE_STATE mouse = {};
};

class RECORDING_PLUGIN : public MQCommandPlugin {
 public:
  std::vector<CALL> calls;
  BOOL answer = 5;          // what the BOOL/int handlers return
  BOOL set_save_uid = FALSE;

  CALL& Add(const char* slot, MQDocument doc) {
    calls.push_back(CALL());
    calls.back().slot = slot;
    calls.back().doc = doc;
    return calls.back();
  }
  BOOL Mouse(const char* slot, MQDocument doc, MQScene scene, MOUSE_STATE* s) {
    CALL& c = Add(slot, doc);
    c.scene = scene;
    c.mouse = *s;
    return answer;
  }

  void GetPlugInID(uint32_t* p, uint32_t* i) override { *p = 1, *i = 2; }
  const char* GetPlugInName() override { return "test"; }
  const char* EnumString() override { return "test"; }
  BOOL Initialize() override { Add("Initialize", nullptr); return answer; }
  void Shutdown() override { Add("Shutdown", nullptr); }
  BOOL SetActive(MQDocument doc, BOOL on) override { Add("SetActive", doc).a = on; return answer; }
  BOOL IsActive(MQDocument doc) override { Add("IsActive", doc); return answer; }
  void OnHostMinimize(MQDocument doc, BOOL m) override { Add("OnHostMinimize", doc).a = m; }
  int OnUserMessage(MQDocument doc, int product, int id, const char* d, void* m) override {
    CALL& c = Add("OnUserMessage", doc);
    c.a = product, c.b = id, c.text = d, c.pointer = m;
    return answer;
  }
  void OnDrawView(MQDocument doc, MQScene scene, int w, int h) override {
    CALL& c = Add("OnDrawView", doc);
    c.scene = scene, c.a = w, c.b = h;
  }
  void OnNewDocument(MQDocument doc, const char* f, NEW_DOC_PARAM* p) override {
    CALL& c = Add("OnNewDocument", doc);
    c.text = f, c.scene = p->xml_elem;
  }
  void OnEndDocument(MQDocument doc) override { Add("OnEndDocument", doc); }
  void OnSaveDocument(MQDocument doc, const char* f, SAVE_DOC_PARAM* p) override {
    CALL& c = Add("OnSaveDocument", doc);
    c.text = f, c.scene = p->xml_elem, c.a = p->save_uid;
    p->save_uid = set_save_uid;
  }
  BOOL OnUndo(MQDocument doc, int s) override { Add("OnUndo", doc).a = s; return answer; }
  BOOL OnRedo(MQDocument doc, int s) override { Add("OnRedo", doc).a = s; return answer; }
  void OnUpdateUndo(MQDocument doc, int s, int size) override {
    CALL& c = Add("OnUpdateUndo", doc);
    c.a = s, c.b = size;
  }
  void OnObjectModified(MQDocument doc) override { Add("OnObjectModified", doc); }
  void OnNotify222(MQDocument doc) override { Add("OnNotify222", doc); }
  void OnUpdateObjectList(MQDocument doc) override { Add("OnUpdateObjectList", doc); }
  void OnNotify231(MQDocument doc) override { Add("OnNotify231", doc); }
  void OnNotify230(MQDocument doc) override { Add("OnNotify230", doc); }
  void OnSceneChanged(MQDocument doc, MQScene scene) override { Add("OnSceneChanged", doc).scene = scene; }
  BOOL OnLeftDown(MQDocument d, MQScene s, MOUSE_STATE* m) override { return Mouse("OnLeftDown", d, s, m); }
  BOOL OnLeftDrag(MQDocument d, MQScene s, MOUSE_STATE* m) override { return Mouse("OnLeftDrag", d, s, m); }
  BOOL OnLeftUp(MQDocument d, MQScene s, MOUSE_STATE* m) override { return Mouse("OnLeftUp", d, s, m); }
  BOOL OnMiddleDown(MQDocument d, MQScene s, MOUSE_STATE* m) override { return Mouse("OnMiddleDown", d, s, m); }
  BOOL OnMiddleDrag(MQDocument d, MQScene s, MOUSE_STATE* m) override { return Mouse("OnMiddleDrag", d, s, m); }
  BOOL OnMiddleUp(MQDocument d, MQScene s, MOUSE_STATE* m) override { return Mouse("OnMiddleUp", d, s, m); }
  BOOL OnRightDown(MQDocument d, MQScene s, MOUSE_STATE* m) override { return Mouse("OnRightDown", d, s, m); }
  BOOL OnRightDrag(MQDocument d, MQScene s, MOUSE_STATE* m) override { return Mouse("OnRightDrag", d, s, m); }
  BOOL OnRightUp(MQDocument d, MQScene s, MOUSE_STATE* m) override { return Mouse("OnRightUp", d, s, m); }
  BOOL OnMouseHover(MQDocument d, MQScene s, MOUSE_STATE* m) override { return Mouse("OnMouseHover", d, s, m); }
  BOOL OnWheel(MQDocument d, MQScene s, MOUSE_STATE* m) override { return Mouse("OnWheel", d, s, m); }
  BOOL OnKeyPress(MQDocument d, MQScene s, int key, MOUSE_STATE* m) override {
    Mouse("OnKeyPress", d, s, m);
    calls.back().a = key;
    return answer;
  }
  BOOL OnKeyRelease(MQDocument d, MQScene s, int key, MOUSE_STATE* m) override {
    Mouse("OnKeyRelease", d, s, m);
    calls.back().a = key;
    return answer;
  }
};

// A plain station plug-in: mouse and key events are not for it.
class STATION_ONLY : public MQStationPlugin {
 public:
  int calls = 0;
  void GetPlugInID(uint32_t* p, uint32_t* i) override { *p = 1, *i = 2; }
  const char* GetPlugInName() override { return "station"; }
  const char* EnumString() override { return "station"; }
  BOOL Initialize() override { ++calls; return TRUE; }
  void Shutdown() override { ++calls; }
  BOOL SetActive(MQDocument, BOOL on) override { ++calls; return on; }
  BOOL IsActive(MQDocument) override { ++calls; return TRUE; }
  bool RunCallback(MQDocument, void*) override { return true; }
};

MQDocument const kDoc = reinterpret_cast<MQDocument>(0x1000);
void* const kScene = reinterpret_cast<void*>(0x2000);

struct EVENT_CASE {
  int code;
  const char* slot;
  int result;  // with answer = 5 from every handler that answers
};

TEST(EventDispatch, EveryEventReachesItsSlotWithItsResultRule) {
  const EVENT_CASE cases[] = {
      {1, "Initialize", 5},        {2, "Shutdown", 1},         {101, "IsActive", 5},
      {103, "OnUserMessage", 1},   {110, "OnDrawView", 1},     {120, "OnLeftDown", 5},
      {121, "OnLeftDrag", 5},      {122, "OnLeftUp", 5},       {123, "OnMiddleDown", 5},
      {124, "OnMiddleDrag", 5},    {125, "OnMiddleUp", 5},     {126, "OnRightDown", 5},
      {127, "OnRightDrag", 5},     {128, "OnRightUp", 5},      {129, "OnMouseHover", 5},
      {130, "OnWheel", 5},         {140, "OnKeyPress", 5},     {141, "OnKeyRelease", 5},
      {200, "OnNewDocument", 1},   {201, "OnEndDocument", 1},  {202, "OnSaveDocument", 1},
      {210, "OnUndo", 5},          {211, "OnRedo", 5},         {212, "OnUpdateUndo", 1},
      {220, "OnUpdateObjectList", 1}, {221, "OnObjectModified", 1}, {222, "OnNotify222", 1},
      {230, "OnNotify230", 1},     {231, "OnNotify231", 1},    {240, "OnSceneChanged", 1},
  };
  for (const EVENT_CASE& c : cases) {
    RECORDING_PLUGIN p;
    KEYVALUE empty[] = {{nullptr, nullptr}};
    EXPECT_EQ(DispatchEvent(&p, kDoc, c.code, empty), c.result) << c.code;
    ASSERT_EQ(p.calls.size(), 1u) << c.code;
    EXPECT_EQ(p.calls[0].slot, c.slot) << c.code;
    if (c.code > 2) {
      EXPECT_EQ(p.calls[0].doc, kDoc) << c.code;
    }
  }
}

TEST(EventDispatch, ActivationAndMinimiseReadAnIntPointedAtDirectly) {
  RECORDING_PLUGIN p;
  int on = 1;
  EXPECT_EQ(DispatchEvent(&p, kDoc, 100, &on), 5);
  DispatchEvent(&p, kDoc, 100, nullptr);
  DispatchEvent(&p, kDoc, 102, &on);
  EXPECT_EQ(DispatchEvent(&p, kDoc, 102, nullptr), 1);
  ASSERT_EQ(p.calls.size(), 4u);
  EXPECT_EQ(p.calls[0].slot, "SetActive");
  EXPECT_EQ(p.calls[0].a, 1);
  EXPECT_EQ(p.calls[1].a, 0);
  EXPECT_EQ(p.calls[2].slot, "OnHostMinimize");
  EXPECT_EQ(p.calls[2].a, 1);
  EXPECT_EQ(p.calls[3].a, 0);
}

TEST(EventDispatch, CodesOutsideTheTableAnswerZeroAndCallNothing) {
  RECORDING_PLUGIN p;
  int one = 1;
  KEYVALUE list[] = {{"state", &one}, {nullptr, nullptr}};
  for (int code : {-1, 0, 3, 99, 104, 109, 111, 119, 131, 139, 142, 199, 203, 209, 213, 219, 223, 229, 232,
                   239, 241, 300, 1000}) {
    EXPECT_EQ(DispatchEvent(&p, kDoc, code, list), 0) << code;
  }
  EXPECT_TRUE(p.calls.empty());
}

TEST(EventDispatch, MissingListsAndKeysTakeTheirDefaults) {
  RECORDING_PLUGIN p;
  int ignored = 7;
  // Keys differing in case, and keys after the terminator, are not found.
  KEYVALUE list[] = {{"Width", &ignored}, {"STATE", &ignored}, {nullptr, nullptr}, {"width", &ignored}};
  for (KEYVALUE* option : {static_cast<KEYVALUE*>(nullptr), list}) {
    p.calls.clear();
    DispatchEvent(&p, kDoc, 110, option);
    DispatchEvent(&p, kDoc, 210, option);
    DispatchEvent(&p, kDoc, 212, option);
    DispatchEvent(&p, kDoc, 103, option);
    DispatchEvent(&p, kDoc, 200, option);
    DispatchEvent(&p, kDoc, 240, option);
    DispatchEvent(&p, kDoc, 140, option);
    ASSERT_EQ(p.calls.size(), 7u);
    EXPECT_EQ(p.calls[0].scene, nullptr);
    EXPECT_EQ(p.calls[0].a, 1);  // width
    EXPECT_EQ(p.calls[0].b, 1);  // height
    EXPECT_EQ(p.calls[1].a, 0);  // undo state
    EXPECT_EQ(p.calls[2].a, 0);
    EXPECT_EQ(p.calls[2].b, 0);
    EXPECT_EQ(p.calls[3].a, 0);
    EXPECT_EQ(p.calls[3].text, nullptr);
    EXPECT_EQ(p.calls[3].pointer, nullptr);
    EXPECT_EQ(p.calls[4].text, nullptr);
    EXPECT_EQ(p.calls[4].scene, nullptr);
    EXPECT_EQ(p.calls[5].scene, nullptr);
    EXPECT_EQ(p.calls[6].a, 0);  // key
  }
}

TEST(EventDispatch, ParametersArriveFromTheirKeys) {
  RECORDING_PLUGIN p;
  int width = 640, height = 480, state = 12, size = 345, product = 77, id = 88, key = 'A';
  int result = -1;
  char description[] = "desc";
  char filename[] = "C:\\a.mqo";
  void* message = reinterpret_cast<void*>(0x3000);
  void* xml = reinterpret_cast<void*>(0x4000);
  KEYVALUE list[] = {{"scene", kScene},       {"width", &width},         {"height", &height},
                     {"state", &state},       {"size", &size},           {"src_product", &product},
                     {"src_id", &id},         {"description", description}, {"message", message},
                     {"result", &result},     {"filename", filename},    {"xml_elem", xml},
                     {"key", &key},           {"width", &state},         {nullptr, nullptr}};
  DispatchEvent(&p, kDoc, 110, list);
  DispatchEvent(&p, kDoc, 211, list);
  DispatchEvent(&p, kDoc, 212, list);
  EXPECT_EQ(DispatchEvent(&p, kDoc, 103, list), 1);
  DispatchEvent(&p, kDoc, 200, list);
  DispatchEvent(&p, kDoc, 240, list);
  DispatchEvent(&p, kDoc, 141, list);
  ASSERT_EQ(p.calls.size(), 7u);
  EXPECT_EQ(p.calls[0].scene, kScene);
  EXPECT_EQ(p.calls[0].a, 640);  // the first "width" wins
  EXPECT_EQ(p.calls[0].b, 480);
  EXPECT_EQ(p.calls[1].a, 12);
  EXPECT_EQ(p.calls[2].a, 12);
  EXPECT_EQ(p.calls[2].b, 345);
  EXPECT_EQ(p.calls[3].a, 77);
  EXPECT_EQ(p.calls[3].b, 88);
  EXPECT_EQ(p.calls[3].text, description);
  EXPECT_EQ(p.calls[3].pointer, message);
  EXPECT_EQ(result, 5);  // the handler's answer, written through "result"
  EXPECT_EQ(p.calls[4].text, filename);
  EXPECT_EQ(p.calls[4].scene, xml);
  EXPECT_EQ(p.calls[5].scene, kScene);
  EXPECT_EQ(p.calls[6].scene, kScene);
  EXPECT_EQ(p.calls[6].a, 'A');
}

TEST(EventDispatch, SaveUidIsWrittenBackOnlyWhenAskedAndPresent) {
  struct SAVE_CASE {
    bool key_present;
    BOOL handler_sets;
    int expected;  // the int behind "save_uid" afterwards
  };
  const SAVE_CASE cases[] = {{true, TRUE, 1}, {true, FALSE, 0}, {false, TRUE, 0}, {false, FALSE, 0}};
  for (const SAVE_CASE& c : cases) {
    RECORDING_PLUGIN p;
    p.set_save_uid = c.handler_sets;
    int save_uid = 0;
    KEYVALUE with[] = {{"save_uid", &save_uid}, {nullptr, nullptr}};
    KEYVALUE without[] = {{nullptr, nullptr}};
    EXPECT_EQ(DispatchEvent(&p, kDoc, 202, c.key_present ? with : without), 1);
    ASSERT_EQ(p.calls.size(), 1u);
    EXPECT_EQ(p.calls[0].a, 0);  // save_uid starts at 0 for the handler
    EXPECT_EQ(save_uid, c.expected);
  }
}

TEST(EventDispatch, MouseStateFollowsButtonStateBits) {
  struct BITS_CASE {
    int bits;
    BOOL l, m, r, shift, ctrl, extra;
  };
  const BITS_CASE cases[] = {
      {0x00, 0, 0, 0, 0, 0, 0}, {0x01, 1, 0, 0, 0, 0, 0}, {0x02, 0, 0, 1, 0, 0, 0}, {0x04, 0, 0, 0, 1, 0, 0},
      {0x08, 0, 0, 0, 0, 1, 0}, {0x10, 0, 1, 0, 0, 0, 0}, {0x20, 0, 0, 0, 0, 0, 1}, {0x3F, 1, 1, 1, 1, 1, 1},
      {0x40, 0, 0, 0, 0, 0, 0},
  };
  for (const BITS_CASE& c : cases) {
    RECORDING_PLUGIN p;
    int x = 10, y = -20, wheel = 120, bits = c.bits;
    KEYVALUE list[] = {{"scene", kScene},    {"mouse_pos_x", &x},   {"mouse_pos_y", &y},
                       {"mouse_wheel", &wheel}, {"button_state", &bits}, {nullptr, nullptr}};
    DispatchEvent(&p, kDoc, 130, list);
    DispatchEvent(&p, kDoc, 140, list);
    ASSERT_EQ(p.calls.size(), 2u);
    const MOUSE_STATE& m = p.calls[0].mouse;
    EXPECT_EQ(m.pos_x, 10);
    EXPECT_EQ(m.pos_y, -20);
    EXPECT_EQ(m.wheel, 120);
    for (const MOUSE_STATE& s : {p.calls[0].mouse, p.calls[1].mouse}) {
      EXPECT_EQ(s.l_button, c.l) << c.bits;
      EXPECT_EQ(s.m_button, c.m) << c.bits;
      EXPECT_EQ(s.r_button, c.r) << c.bits;
      EXPECT_EQ(s.shift, c.shift) << c.bits;
      EXPECT_EQ(s.ctrl, c.ctrl) << c.bits;
      EXPECT_EQ(s.extra, c.extra) << c.bits;
    }
    // A key event carries no position or wheel, only the modifiers.
    const MOUSE_STATE& k = p.calls[1].mouse;
    EXPECT_EQ(k.pos_x, 0);
    EXPECT_EQ(k.pos_y, 0);
    EXPECT_EQ(k.wheel, 0);
  }
}

TEST(EventDispatch, MouseAndKeyEventsNeedACommandPlugin) {
  STATION_ONLY station;
  for (int code = 120; code <= 130; ++code) EXPECT_EQ(DispatchEvent(&station, kDoc, code, nullptr), 0);
  EXPECT_EQ(DispatchEvent(&station, kDoc, 140, nullptr), 0);
  EXPECT_EQ(DispatchEvent(&station, kDoc, 141, nullptr), 0);
  EXPECT_EQ(station.calls, 0);
  EXPECT_EQ(DispatchEvent(&station, kDoc, 1, nullptr), TRUE);
  EXPECT_EQ(station.calls, 1);
}

TEST(EventDispatch, BaseClassDefaults) {
  STATION_ONLY station;
  EXPECT_EQ(station.GetPlugInType(), 6);
  EXPECT_EQ(DispatchEvent(&station, kDoc, 210, nullptr), FALSE);
  EXPECT_EQ(DispatchEvent(&station, kDoc, 211, nullptr), FALSE);
  int result = -1;
  KEYVALUE list[] = {{"result", &result}, {nullptr, nullptr}};
  EXPECT_EQ(DispatchEvent(&station, kDoc, 103, list), 1);
  EXPECT_EQ(result, 0);

  // A command plug-in that overrides nothing: left button consumed, others not.
  struct PLAIN_COMMAND : MQCommandPlugin {
    void GetPlugInID(uint32_t* p, uint32_t* i) override { *p = 1, *i = 2; }
    const char* GetPlugInName() override { return "plain"; }
    const char* EnumString() override { return "plain"; }
    BOOL Initialize() override { return TRUE; }
    void Shutdown() override {}
    BOOL SetActive(MQDocument, BOOL on) override { return on; }
  } plain;
  EXPECT_EQ(plain.GetPlugInType(), 7);
  EXPECT_EQ(DispatchEvent(&plain, kDoc, 101, nullptr), TRUE);
  for (int code = 120; code <= 141; ++code) {
    if (code > 130 && code < 140) continue;
    EXPECT_EQ(DispatchEvent(&plain, kDoc, code, nullptr), code <= 122 ? TRUE : FALSE) << code;
  }
}

}  // namespace
