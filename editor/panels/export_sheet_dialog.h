#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "core/anim/obj_actor.h"
#include "exporter/export_formats.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

// What one export of the document's actions is made of.
struct CExportSheetChoices {
  std::vector<std::string> actions;  // UTF-8 names of the actions to export, in document order
  ExportFormat format = ExportFormat::Sheet;
  int scale = 1;
  int padding = 1;
  bool trim = true;
  std::string folder;
};

// "导出精灵表": the actions of the document as a checked list (all checked at first), the format
// (sprite sheet, PNG sequence or animated GIF), scale, padding, trimming and the output folder.
// "导出" accepts when at least one action is checked and a folder is named, and keeps every
// choice but the actions in the settings for the next time.
class CExportSheetDialog : public QDialog {
 public:
  CExportSheetDialog(const UObjActor& actor, QWidget* parent);

  CExportSheetChoices Choices() const;

  void accept() override;

  // The fields, for the tests that drive the dialog.
  QListWidget* Actions() const { return m_Actions; }
  QComboBox* Format() const { return m_Format; }
  QSpinBox* Scale() const { return m_Scale; }
  QSpinBox* Padding() const { return m_Padding; }
  QCheckBox* Trim() const { return m_Trim; }
  QLineEdit* Folder() const { return m_Folder; }
  QPushButton* StartButton() const { return m_Start; }

 private:
  void BrowseFolder();
  // The sheet's own choices (padding, trimming) apply only to the sprite sheet.
  void ShowSheetChoices();
  void LoadSettings();
  void SaveSettings() const;

  QListWidget* m_Actions;
  QComboBox* m_Format;
  QSpinBox* m_Scale;
  QSpinBox* m_Padding;
  QCheckBox* m_Trim;
  QLineEdit* m_Folder;
  QPushButton* m_Start;
};
