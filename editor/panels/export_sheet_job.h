#pragma once

#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "editor/panels/export_sheet_dialog.h"
#include "exporter/export_snapshot.h"

class CVelloEditor;
class QTimer;
class QWidget;

// "导出精灵表…": asks for the choices, takes a snapshot of the document as it is in memory (saved
// or not) with the textures the editor has loaded, and starts a CExportSheetJob on it.
void ExportSpriteSheet(const CVelloEditor& editor, QWidget* parent);

// The document and texture pixels of `editor` as they are now, copied on this (the GUI)
// thread: the accelerated driver's textures live in its GL context, which no other thread may
// use. A texture the editor could not load has no pixels.
CExportSnapshot TakeExportSnapshot(const CVelloEditor& editor);

// One export running on a worker thread, shown in a progress window "正在导出" with a Cancel
// button; the editor goes on painting and playing meanwhile. At the end it offers to open the
// folder, or names the reason the export failed, and deletes itself. A job destroyed early (its
// parent window closes) cancels the export and waits for the thread.
class CExportSheetJob : public QObject {
 public:
  CExportSheetJob(CExportSnapshot snapshot, const CExportSheetChoices& choices, QWidget* parent);
  ~CExportSheetJob() override;
  CExportSheetJob(const CExportSheetJob&) = delete;
  CExportSheetJob& operator=(const CExportSheetJob&) = delete;

  QProgressDialog* Progress() const { return m_Progress; }
  void Cancel() { m_Cancel = true; }

 private:
  // Follows the worker from the GUI thread: moves the bar, and ends the job once it is done.
  void Poll();
  void Finish();

  QWidget* m_Parent;
  std::string m_Folder;
  QPointer<QProgressDialog> m_Progress;  // a child of the window, which may delete it first
  QTimer* m_Timer;
  std::atomic<bool> m_Cancel{false};
  std::atomic<size_t> m_Drawn{0};
  std::atomic<size_t> m_Total{0};
  std::atomic<bool> m_Done{false};
  // Written by the worker before m_Done is set, read after.
  bool m_Ok = false;
  std::string m_Error;
  std::vector<std::string> m_Written;
  std::thread m_Worker;
};
