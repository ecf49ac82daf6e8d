#pragma once

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

#include "editor/doc/editor_text.h"
#include "editor/doc/vello_editor.h"
#include "editor/panels/report_list.h"
#include "tests/editor/support/scripted_prompts.h"

// Scripted prompts that also keep each message's caption and buttons.
class CaptionedPrompts : public ScriptedPrompts {
 public:
  UMessageAnswer ShowMessage(const UMessageRequest& request) override {
    captions.push_back(request.caption);
    buttons.push_back(request.buttons);
    return ScriptedPrompts::ShowMessage(request);
  }

  std::vector<std::string> captions;
  std::vector<UMessageButtons> buttons;
};

// An editor context without a view, on a fresh actor named "Test", with scripted prompts; the
// test makes the panels it drives and shows them offscreen.
class ListsTest : public ::testing::Test {
 protected:
  void SetUp() override { editor.NewActor("Test"); }

  // Shows `panel` at a size that leaves every row and button visible.
  static void Show(QWidget& panel, int width = 320, int height = 240) {
    panel.resize(width, height);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
  }

  static void Press(QWidget& panel, const char* buttonName) {
    auto* button = panel.findChild<QPushButton*>(buttonName);
    ASSERT_NE(button, nullptr) << buttonName;
    QTest::mouseClick(button, Qt::LeftButton);
  }

  static QPoint RowPoint(CReportList& list, int row) {
    return list.visualItemRect(list.topLevelItem(row)).center();
  }

  static void ClickRow(CReportList& list, int row) {
    ASSERT_LT(row, list.topLevelItemCount());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, RowPoint(list, row));
  }

  static void DoubleClickRow(CReportList& list, int row) {
    ASSERT_LT(row, list.topLevelItemCount());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, RowPoint(list, row));
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, RowPoint(list, row));
  }

  // The texts of one row, column by column.
  static QStringList Row(const CReportList& list, int row) {
    QStringList texts;
    for (int column = 0; column < list.columnCount(); ++column) {
      texts << list.topLevelItem(row)->text(column);
    }
    return texts;
  }

  static QStringList Headers(const CReportList& list) {
    QStringList texts;
    for (int column = 0; column < list.columnCount(); ++column) {
      texts << list.headerItem()->text(column) + ":" + QString::number(list.columnWidth(column));
    }
    return texts;
  }

  // The rows the list shows as selected.
  static std::vector<int> SelectedRows(const CReportList& list) {
    std::vector<int> rows;
    for (const QModelIndex& index : list.selectionModel()->selectedRows()) {
      rows.push_back(index.row());
    }
    return rows;
  }

  UObjFrame& Frame(int index) { return *editor.Actor()->frames[static_cast<size_t>(index)]; }
  UObjAction& Action(int index) { return *editor.Actor()->actions[static_cast<size_t>(index)]; }
  std::string FrameName(int index) { return ShownName(Frame(index).name); }

  // Frames named `names`, none selected afterwards.
  void MakeFrames(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
      editor.CreateFrame(name);
    }
    editor.SelectFrame(-1);
  }

  CaptionedPrompts prompts;
  CVelloEditor editor;
};
