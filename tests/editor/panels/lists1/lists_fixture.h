#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTest>
#include <QTreeWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "drivers/accel/egl_window_host.h"
#include "editor/doc/vello_editor.h"
#include "tests/editor/support/scripted_prompts.h"
#include "tests/support/model_records.h"
#include "tests/support/png_writer.h"
#include "tests/support/temp_dir.h"

// An editor context on a headless view (real OpenGL on Mesa) with a fresh actor, a folder for
// files that is also the editor's current directory, and scripted prompts.
class ListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host_.IsValid()) << "no surfaceless EGL context with OpenGL 3.3 core";
    ASSERT_TRUE(editor.ViewInit(&host_));
    editor.SetCurrentDirectory(dir.path().string());
    editor.NewActor("Test");
    editor.SetCurrentDirectory(dir.path().string());
  }

  void TearDown() override {
    // NewActor reads the process's directory again; the closing save stays in the test folder.
    editor.SetCurrentDirectory(dir.path().string());
    editor.Shutdown();
  }

  // A `width` x `height` opaque PNG named `name` in the folder.
  std::string WriteTexture(const std::string& name, int width, int height) {
    const std::string path = dir.File(name);
    EXPECT_TRUE(WritePng(path, PngFromArgb(width, height,
                                           std::vector<uint32_t>(
                                               static_cast<size_t>(width * height), 0xFF336699u))));
    return path;
  }

  UObjFrame& Frame(int index) { return *editor.Actor()->frames[static_cast<size_t>(index)]; }

  // The texts of every row, columns joined by " | ".
  static std::vector<std::string> Rows(const QTreeWidget& list) {
    std::vector<std::string> rows;
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
      QStringList texts;
      for (int column = 0; column < list.columnCount(); ++column) {
        texts << list.topLevelItem(row)->text(column);
      }
      rows.push_back(texts.join(" | ").toStdString());
    }
    return rows;
  }

  static QStringList Captions(const QTreeWidget& list) {
    QStringList captions;
    for (int column = 0; column < list.columnCount(); ++column) {
      captions << list.headerItem()->text(column) + QString(" (%1)").arg(list.columnWidth(column));
    }
    return captions;
  }

  // Clicks row `row` of a shown list as a user does.
  static void ClickRow(QTreeWidget& list, int row, bool doubleClick = false) {
    const QPoint at = list.visualItemRect(list.topLevelItem(row)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    if (doubleClick) {
      QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
    }
  }

  static int SelectedRow(const QTreeWidget& list) {
    const QList<QTreeWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.indexOfTopLevelItem(selected.first());
  }

  TempDir dir;
  ScriptedPrompts prompts;
  UEglWindowHost host_{320, 240};
  CVelloEditor editor;
};
