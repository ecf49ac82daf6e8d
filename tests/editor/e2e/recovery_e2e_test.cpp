// Recovery after a crash, end to end: an editor edits the example and is killed with SIGKILL
// once its recovery copy is on the disk; a second editor running meanwhile is not offered that
// live copy; the next start restores it and saves, and the saved document is the edited actor.
//
// The editor that is killed is this program itself, started with "--edited-instance FOLDER": it
// runs the application in-process on FOLDER/hero.an1, edits through the editor context, writes
// the edited actor's stored form to FOLDER/expected.an1 and "ready" once its copy is written,
// then waits to be killed. The other editors are the real program, answering from a prompt
// script; the test closes its window as a window manager would.
// The application's header brings in libepoxy's GL declarations, which must come before Qt's.
#include "editor/app/vello_app.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QCoreApplication>
#include <QProcess>
#include <QSurfaceFormat>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/app/file_script_prompts.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

constexpr char kEditedInstanceFlag[] = "--edited-instance";
constexpr int kWaitMs = 60000;

std::string ReadText(const std::string& path) {
  const std::vector<unsigned char> bytes = ReadFileBytes(path);
  return {bytes.begin(), bytes.end()};
}

void WriteText(const std::string& path, const std::string& text) {
  WriteFileBytes(path, std::vector<unsigned char>(text.begin(), text.end()));
}

// ---- the edited instance (a child process)

int RunEditedInstance(int argc, char** argv, const std::string& folder) {
  QSurfaceFormat format;
  format.setVersion(3, 3);
  format.setProfile(QSurfaceFormat::CoreProfile);
  QSurfaceFormat::setDefaultFormat(format);
  QApplication application(argc, argv);
  fs::current_path(folder);
  // As the program does: questions are answered from the script.
  const std::unique_ptr<CFileScriptPrompts> scripted = CFileScriptPrompts::FromEnvironment();
  std::optional<CPromptScope> scripted_scope;
  if (scripted) {
    scripted_scope.emplace(*scripted);
  }
  CVelloApp app;
  app.Recovery().SetDelay(std::chrono::milliseconds(100));
  const std::string document = folder + "/hero.an1";
  app.InitInstance({QString::fromStdString(document)});

  bool edited = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!edited && app.Doc().Path() == document) {
      CVelloEditor& editor = app.Editor();
      editor.CreateFrame("恢复测试");
      editor.SetActorName("hero2");
      edited = true;
      return;
    }
    const CRecoveryCopy* copy = app.Recovery().Copy();
    if (!edited || copy == nullptr) {
      return;
    }
    app.Recovery().WaitForWrites();
    const std::vector<unsigned char> stored = app.Editor().StoredActor();
    if (ReadFileBytes(copy->CopyPath()) != stored) {
      return;
    }
    poll.stop();
    WriteFileBytes(folder + "/expected.an1", stored);
    WriteText(folder + "/ready", copy->Id().toStdString());
  });
  poll.start(20);
  return QApplication::exec();
}

// ---- the test

bool WaitFor(const std::function<bool()>& condition, int ms = kWaitMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) {
      return false;
    }
    QThread::msleep(20);
  }
  return true;
}

// The recovery files under `dataHome`, by name.
std::vector<std::string> RecoveryFiles(const fs::path& dataHome) {
  std::vector<std::string> names;
  if (!fs::exists(dataHome)) {
    return names;
  }
  for (const auto& entry : fs::recursive_directory_iterator(dataHome)) {
    if (entry.is_regular_file() && entry.path().parent_path().filename() == "recovery") {
      names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The recovery folder under `dataHome`.
QString RecoveryFolderUnder(const fs::path& dataHome) {
  for (const auto& entry : fs::recursive_directory_iterator(dataHome)) {
    if (entry.is_directory() && entry.path().filename() == "recovery") {
      return QString::fromStdString(entry.path().string());
    }
  }
  return {};
}

// Asks every shown top-level window of process `pid` to close, as a window manager's close
// button does. Returns how many were asked.
int CloseWindowsOf(qint64 pid) {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection) != 0) {
    xcb_disconnect(connection);
    return 0;
  }
  const auto atom = [connection](const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t value = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    free(reply);
    return value;
  };
  const xcb_atom_t wm_pid = atom("_NET_WM_PID");
  const xcb_atom_t wm_protocols = atom("WM_PROTOCOLS");
  const xcb_atom_t wm_delete = atom("WM_DELETE_WINDOW");
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  xcb_query_tree_reply_t* tree =
      xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr);
  int asked = 0;
  if (tree != nullptr) {
    const xcb_window_t* windows = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
      xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
          connection, xcb_get_window_attributes(connection, windows[i]), nullptr);
      const bool shown = attributes != nullptr && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
      free(attributes);
      xcb_get_property_reply_t* property = xcb_get_property_reply(
          connection, xcb_get_property(connection, 0, windows[i], wm_pid, XCB_ATOM_CARDINAL, 0, 1),
          nullptr);
      const bool owned = property != nullptr && xcb_get_property_value_length(property) == 4 &&
                         *static_cast<uint32_t*>(xcb_get_property_value(property)) == pid;
      free(property);
      if (!shown || !owned) {
        continue;
      }
      xcb_client_message_event_t event = {};
      event.response_type = XCB_CLIENT_MESSAGE;
      event.format = 32;
      event.window = windows[i];
      event.type = wm_protocols;
      event.data.data32[0] = wm_delete;
      event.data.data32[1] = XCB_CURRENT_TIME;
      xcb_send_event(connection, 0, windows[i], XCB_EVENT_MASK_NO_EVENT,
                     reinterpret_cast<const char*>(&event));
      ++asked;
    }
    free(tree);
  }
  xcb_flush(connection);
  xcb_disconnect(connection);
  return asked;
}

std::string Dump(const std::string& document) {
  QProcess cli;
  cli.start(QUILLET_CLI, {"dump", QString::fromStdString(document)});
  if (!cli.waitForFinished(kWaitMs) || cli.exitCode() != 0) {
    return "quillet-cli failed on " + document;
  }
  return cli.readAllStandardOutput().toStdString();
}

class RecoveryEndToEnd : public ::testing::Test {
 protected:
  RecoveryEndToEnd() {
    fs::copy_file(fs::path(QUILLET_EXAMPLES_DIR) / "hero.an1", dir.path() / "hero.an1");
    fs::copy_file(fs::path(QUILLET_EXAMPLES_DIR) / "hero.png", dir.path() / "hero.png");
  }
  ~RecoveryEndToEnd() override {
    for (QProcess* process : {&edited, &other, &restoring}) {
      if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished();
      }
    }
  }

  // Starts `process` in the test's folder with the test's data folder, answering questions
  // from `script` and logging them to "<name>.log".
  void Start(QProcess& process, const QString& program, const QStringList& arguments,
             const std::string& name, const std::string& script) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", QString::fromStdString(dataHome.string()));
    WriteText(dir.File(name + ".script"), script);
    environment.insert("QUILLET_PROMPT_SCRIPT", QString::fromStdString(dir.File(name + ".script")));
    environment.insert("QUILLET_PROMPT_LOG", QString::fromStdString(dir.File(name + ".log")));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(dir.path().string()));
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
  }

  std::string Log(const std::string& name) const {
    const std::string path = dir.File(name + ".log");
    return fs::exists(path) ? ReadText(path) : std::string();
  }

  TempDir dir;
  fs::path dataHome = dir.path() / "data";
  QProcess edited;
  QProcess other;
  QProcess restoring;
};

TEST_F(RecoveryEndToEnd, ACopyOutlivesSigkillStaysWithItsEditorAndRestoresTheEdits) {
  const QString hero = QString::fromStdString(dir.File("hero.an1"));

  // The first editor edits and has its copy written.
  Start(edited, QCoreApplication::applicationFilePath(),
        {kEditedInstanceFlag, QString::fromStdString(dir.path().string())}, "edited", "");
  ASSERT_TRUE(WaitFor(
      [&] { return fs::exists(dir.File("ready")) || edited.state() == QProcess::NotRunning; }));
  ASSERT_TRUE(fs::exists(dir.File("ready"))) << "the edited editor ended early";
  const std::string id = ReadText(dir.File("ready"));
  const std::vector<std::string> live = {id + ".an1", id + ".lock", id + ".note"};
  ASSERT_EQ(RecoveryFiles(dataHome), live);
  const QString folder = RecoveryFolderUnder(dataHome);
  EXPECT_TRUE(FindRecoveryCopies(folder).empty());

  // A second editor starting meanwhile is not offered the live copy and leaves it alone. Its
  // document does not exist: the message saying so comes after the recovery question would have.
  Start(other, QUILLET_EDITOR, {QString::fromStdString(dir.File("missing.an1"))}, "other", "");
  ASSERT_TRUE(WaitFor([&] { return Log("other").find("message: ") != std::string::npos; }))
      << Log("other");
  EXPECT_EQ(Log("other").find("recovery: "), std::string::npos) << Log("other");
  other.kill();
  other.waitForFinished();
  EXPECT_EQ(RecoveryFiles(dataHome), live);

  // The first editor dies; its copy stays.
  ::kill(static_cast<pid_t>(edited.processId()), SIGKILL);
  ASSERT_TRUE(edited.waitForFinished(kWaitMs));
  EXPECT_EQ(edited.exitStatus(), QProcess::CrashExit);
  EXPECT_EQ(RecoveryFiles(dataHome), live);

  // The next start offers it, restores it over the document of the command line, and keeps it
  // until the document is saved: closing asks to save, which writes to the original path.
  Start(restoring, QUILLET_EDITOR, {hero}, "restoring", "restore\nyes\n");
  ASSERT_TRUE(WaitFor([&] { return Log("restoring").find("recovery: ") != std::string::npos; }));
  const std::string offered = Log("restoring");
  EXPECT_EQ(offered.rfind("recovery: hero.an1 | " + hero.toStdString() + " | ", 0), 0u) << offered;
  EXPECT_EQ(offered.find("| readable\n"), offered.size() - 11) << offered;
  EXPECT_EQ(RecoveryFiles(dataHome), live);
  EXPECT_TRUE(FindRecoveryCopies(folder).empty());
  ASSERT_GT(CloseWindowsOf(restoring.processId()), 0);
  ASSERT_TRUE(restoring.waitForFinished(kWaitMs));
  EXPECT_EQ(restoring.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(restoring.exitCode(), 0);
  EXPECT_EQ(Log("restoring"), offered + "message: 是否保存对 hero.an1 的修改?\n");
  EXPECT_TRUE(RecoveryFiles(dataHome).empty());

  const std::string saved = Dump(dir.File("hero.an1"));
  EXPECT_EQ(saved, Dump(dir.File("expected.an1")));
  EXPECT_NE(saved, Dump((fs::path(QUILLET_EXAMPLES_DIR) / "hero.an1").string()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], kEditedInstanceFlag) == 0) {
    return RunEditedInstance(argc, argv, argv[2]);
  }
  ::testing::InitGoogleTest(&argc, argv);
  QCoreApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
