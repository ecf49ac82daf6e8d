#pragma once

// The frame's header brings in libepoxy's GL declarations, which must come before Qt's.
#include "editor/app/main_frame.h"

#include <QStringList>
#include <memory>

#include "editor/app/recovery_writer.h"
#include "editor/doc/texture_file_watcher.h"
#include "editor/doc/vello_doc.h"
#include "editor/services/command_router.h"
#include "editor/services/recent_files.h"

// The application: the editor context, the document, the main frame and the command router that
// joins them (view, document, frame, application), and the application's own commands (open,
// recent files, About, exit), and the writer of the document's recovery copy. Made inside the
// QApplication's life, after the default surface format asks for OpenGL 3.3 core.
class CVelloApp : public CCommandTarget {
 public:
  CVelloApp();
  ~CVelloApp() override;

  // Starts the program: the start-up document "TestActor", the main window shown, and once the
  // view's GL context exists the recovery copies left by editors that ended without saving are
  // offered; unless one is restored, the document named by `arguments` (the program's arguments
  // without its name; may be empty) opens.
  void InitInstance(const QStringList& arguments);

  CVelloEditor& Editor() { return *m_Editor; }
  CVelloDoc& Doc() { return *m_Doc; }
  CMainFrame& Frame() { return *m_Frame; }
  CCommandRouter& Router() { return m_Router; }
  CRecentFiles& RecentFiles() { return m_RecentFiles; }
  CRecoveryWriter& Recovery() { return *m_Recovery; }

  // Open (57601): the open dialog, then the document.
  void OnFileOpen();
  // One of the recent files; a file that cannot be opened leaves the list.
  void OnOpenRecentFile(int index);

 private:
  CCommandRouter m_Router;
  std::unique_ptr<CVelloEditor> m_Editor;
  // Reads a texture's file again when a paint program wrote it.
  std::unique_ptr<CTextureFileWatcher> m_TextureWatcher;
  CRecentFiles m_RecentFiles;
  std::unique_ptr<CVelloDoc> m_Doc;
  std::unique_ptr<CMainFrame> m_Frame;
  std::unique_ptr<CRecoveryWriter> m_Recovery;
};

// Names the application for its settings; the program and tests call it before a CVelloApp
// exists.
void SetApplicationIdentity();
