#pragma once

// The application's header brings in libepoxy's GL declarations, which must come before Qt's.
#include "editor/app/vello_app.h"

#include <gtest/gtest.h>
#include <QSettings>
#include <QTest>
#include <memory>
#include <string>

#include "tests/editor/support/scripted_prompts.h"
#include "tests/support/temp_dir.h"

// Runs each test in a folder of its own (the current directory, where "anmcfg.ini" is read and
// "LastSave.an1" written) with settings, a data folder of its own and scripted prompts;
// StartApp makes the whole program.
class AppTest : public ::testing::Test {
 protected:
  AppTest() {
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(dir.File("settings")));
    // Recovery copies go to a data folder of the test's own.
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir.File("data")));
  }
  ~AppTest() override { app.reset(); }

  // Starts the program (on `document` when given) and waits until its view has tried OpenGL.
  void StartApp(const std::string& document = {}) {
    app = std::make_unique<CVelloApp>();
    app->InitInstance(document.empty() ? QStringList()
                                       : QStringList{QString::fromStdString(document)});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&app->Frame()));
    ASSERT_TRUE(QTest::qWaitFor([this] { return app->Frame().View().IsStarted(); }, 5000));
    // The document of the command line opens just after the start.
    QTest::qWait(50);
  }

  CVelloEditor& Editor() { return app->Editor(); }
  CMainFrame& Frame() { return app->Frame(); }
  // Runs command `id` as its menu item or tool button does.
  void Trigger(int id) { Frame().Action(id)->trigger(); }

  TempDir dir;
  CurrentDirectory inDir{dir.path()};
  ScriptedPrompts prompts;
  std::unique_ptr<CVelloApp> app;
};
