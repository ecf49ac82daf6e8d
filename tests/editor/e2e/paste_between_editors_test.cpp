// Paste between two running editors: this test's editor copies a frame with its keys, a second
// editor (the real program, on a document of another folder) pastes it with Ctrl+V, typed into
// its window through X, and saves with Ctrl+S. The saved document holds the frame with the
// module and texture it needs.
#include "tests/editor/support/app_fixture.h"

#include <xcb/xcb.h>

#include <QProcess>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/anim/actor_file.h"
#include "tests/editor/support/sprite_files.h"

namespace {

constexpr uint32_t kControlMask = XCB_MOD_MASK_CONTROL;

// Types keys into another program's top-level window as the X server would deliver them.
class XKeyboard {
 public:
  XKeyboard() : m_Connection(xcb_connect(nullptr, nullptr)) {}
  ~XKeyboard() { xcb_disconnect(m_Connection); }

  // The top-level window of process `pid`, 0 while it has none.
  xcb_window_t WindowOf(qint64 pid) {
    const xcb_window_t root = Root();
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(m_Connection, xcb_query_tree(m_Connection, root), nullptr);
    xcb_window_t found = 0;
    const xcb_atom_t wm_pid = Atom("_NET_WM_PID");
    for (int i = 0; tree != nullptr && i < xcb_query_tree_children_length(tree); ++i) {
      const xcb_window_t window = xcb_query_tree_children(tree)[i];
      xcb_get_property_reply_t* property = xcb_get_property_reply(
          m_Connection, xcb_get_property(m_Connection, 0, window, wm_pid, XCB_ATOM_CARDINAL, 0, 1),
          nullptr);
      if (property != nullptr && xcb_get_property_value_length(property) == 4 &&
          *static_cast<uint32_t*>(xcb_get_property_value(property)) == pid) {
        found = window;
      }
      std::free(property);
    }
    std::free(tree);
    return found;
  }

  // The window's title as X holds it.
  std::string Title(xcb_window_t window) {
    xcb_get_property_reply_t* property = xcb_get_property_reply(
        m_Connection,
        xcb_get_property(m_Connection, 0, window, XCB_ATOM_WM_NAME, XCB_ATOM_ANY, 0, 256), nullptr);
    std::string title;
    if (property != nullptr) {
      title.assign(static_cast<const char*>(xcb_get_property_value(property)),
                   static_cast<size_t>(xcb_get_property_value_length(property)));
    }
    std::free(property);
    return title;
  }

  void Focus(xcb_window_t window) {
    xcb_set_input_focus(m_Connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    xcb_flush(m_Connection);
  }

  // Ctrl and the key of the letter `keysym` (lower case), pressed and released.
  void ControlKey(xcb_window_t window, uint32_t keysym) {
    for (const int type : {XCB_KEY_PRESS, XCB_KEY_RELEASE}) {
      xcb_key_press_event_t key = {};
      key.response_type = static_cast<uint8_t>(type);
      key.detail = Keycode(keysym);
      key.root = Root();
      key.event = window;
      key.state = kControlMask;
      key.same_screen = 1;
      xcb_send_event(m_Connection, 0, window,
                     type == XCB_KEY_PRESS ? XCB_EVENT_MASK_KEY_PRESS : XCB_EVENT_MASK_KEY_RELEASE,
                     reinterpret_cast<const char*>(&key));
    }
    xcb_flush(m_Connection);
  }

 private:
  xcb_window_t Root() const {
    return xcb_setup_roots_iterator(xcb_get_setup(m_Connection)).data->root;
  }
  xcb_atom_t Atom(const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        m_Connection,
        xcb_intern_atom(m_Connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
  }
  xcb_keycode_t Keycode(uint32_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(m_Connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* mapping = xcb_get_keyboard_mapping_reply(
        m_Connection,
        xcb_get_keyboard_mapping(m_Connection, setup->min_keycode, static_cast<uint8_t>(count)),
        nullptr);
    xcb_keycode_t code = 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(mapping);
    for (int i = 0; code == 0 && i < count * mapping->keysyms_per_keycode; ++i) {
      if (syms[i] == keysym) {
        code = static_cast<xcb_keycode_t>(setup->min_keycode + i / mapping->keysyms_per_keycode);
      }
    }
    std::free(mapping);
    return code;
  }

  xcb_connection_t* m_Connection;
};

TEST_F(AppTest, AFrameCopiedHereIsPastedIntoAnotherEditorsDocumentWithItsTexture) {
  ASSERT_TRUE(WriteSpriteDocument(dir.path(), "sprite.an1"));
  StartApp(dir.File("sprite.an1"));
  Frame().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  Editor().SelectFrame(1);
  QWidget* frames = Frame().findChild<QWidget*>("frameList");
  frames->setFocus();
  QTest::keySequence(frames, QKeySequence::Copy);

  // The other editor works on an empty document in a folder without the texture.
  const std::string other = dir.File("other");
  std::filesystem::create_directory(other);
  UObjActor empty;
  empty.Init();
  ASSERT_TRUE(SaveActorFile((other + "/empty.an1").c_str(), empty));
  std::ofstream(other + "/answers") << other << "/pasted.an1\n";
  QProcess editor;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("XDG_DATA_HOME", QString::fromStdString(other + "/data"));
  environment.insert("XDG_CONFIG_HOME", QString::fromStdString(other + "/config"));
  environment.insert("QUILLET_PROMPT_SCRIPT", QString::fromStdString(other + "/answers"));
  editor.setProcessEnvironment(environment);
  editor.setWorkingDirectory(QString::fromStdString(other));
  editor.start(QUILLET_EDITOR, {QString::fromStdString(other + "/empty.an1")});
  ASSERT_TRUE(editor.waitForStarted());

  XKeyboard keyboard;
  xcb_window_t window = 0;
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return (window = keyboard.WindowOf(editor.processId())); }, 30000));
  // Its document opens once its view has started.
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return keyboard.Title(window).find("empty.an1") != std::string::npos; }, 30000));
  keyboard.Focus(window);
  QTest::qWait(300);
  // This process answers the other one's request for the clipboard while it waits.
  keyboard.ControlKey(window, 'v');
  QTest::qWait(1000);
  keyboard.ControlKey(window, 's');
  const std::string pasted = other + "/pasted.an1";
  EXPECT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(pasted); }, 30000));
  editor.kill();
  editor.waitForFinished();

  UObjActor saved;
  ASSERT_TRUE(LoadActorFile(pasted.c_str(), saved));
  ASSERT_EQ(saved.textures.Num(), 1);
  EXPECT_STREQ(saved.textures[0].name, "sprite.png");
  ASSERT_EQ(saved.modules.Num(), 1);
  EXPECT_EQ(saved.modules[0]->left, kHalf);
  ASSERT_EQ(saved.frames.Num(), 1);
  EXPECT_STREQ(saved.frames[0]->name.GetString(), "blue");
  ASSERT_EQ(saved.frames[0]->placements.Num(), 1);
  EXPECT_EQ(saved.frames[0]->placements[0].module, 0);
}

}  // namespace
