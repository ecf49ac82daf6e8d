#include "editor/app/vello_app.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>

#include "editor/app/qt_prompt_service.h"
#include "editor/app/recovery_start.h"
#include "editor/app/recovery_store.h"
#include "editor/res/command_ids.h"
#include "editor/res/strings.h"

void SetApplicationIdentity() {
  QCoreApplication::setOrganizationName("Local AppWizard-Generated Applications");
  QCoreApplication::setApplicationName("Quillen");
  QGuiApplication::setApplicationDisplayName(res::kAppTitle);
  // The desktop matches the windows to the installed desktop entry, and shows its icon.
  QGuiApplication::setDesktopFileName("org.quillet.Quillet");
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addFile(QString(":/icons/hicolor/%1x%1/org.quillet.Quillet.png").arg(size));
  }
  QGuiApplication::setWindowIcon(icon);
}

CVelloApp::CVelloApp() {
  SetApplicationIdentity();
  // The list lives in the settings, which are found by the names just set.
  m_RecentFiles.Load();
  static CQtPromptService qt_prompts;
  RouteLibraryPromptsToService(qt_prompts);
  m_Editor = std::make_unique<CVelloEditor>();
  m_TextureWatcher = std::make_unique<CTextureFileWatcher>(*m_Editor);
  m_Doc = std::make_unique<CVelloDoc>(*m_Editor);
  m_Frame = std::make_unique<CMainFrame>(*m_Editor, *m_Doc, m_Router, m_RecentFiles);
  m_Recovery = std::make_unique<CRecoveryWriter>(*m_Editor, *m_Doc, RecoveryFolder());
  m_Recovery->SetProblemHandler([this](const std::string& text) {
    m_Frame->StatusPane(0)->setText(QString::fromStdString(text));
  });
  m_Router.AddTarget(&m_Frame->View());
  m_Router.AddTarget(m_Doc.get());
  m_Router.AddTarget(m_Frame.get());
  m_Router.AddTarget(this);

  OnCommand(cmd::kFileOpen, [this] { OnFileOpen(); });
  for (int i = 0; i < cmd::kFileMruCount; ++i) {
    OnCommand(
        cmd::kFileMruFirst + i, [this, i] { OnOpenRecentFile(i); },
        [this, i] { return i < m_RecentFiles.Paths().size(); });
  }
  OnCommand(cmd::kAppAbout, [] { Prompts().ShowAbout(); });
  OnCommand(cmd::kAppExit, [this] { m_Frame->close(); });

  m_Doc->SetChangedHandler([this] {
    m_Frame->UpdateTitle();
    m_Frame->UpdateRecentFiles();
  });
  m_Doc->SetFileTakenHandler([this](const std::string& path) {
    m_RecentFiles.Add(QString::fromStdString(path));
    m_Frame->UpdateRecentFiles();
  });
  m_Frame->UpdateCommandStates();
}

CVelloApp::~CVelloApp() {
  // The frame (with the view, whose GL context must be current while the canvas goes) before
  // the document and the editor context. The document stops telling the frame first. A normal
  // exit removes the recovery copy first.
  m_Doc->SetChangedHandler({});
  m_Doc->SetFileTakenHandler({});
  m_TextureWatcher.reset();
  m_Recovery.reset();
  m_Frame.reset();
  m_Doc.reset();
  m_Editor.reset();
}

void CVelloApp::InitInstance(const QStringList& arguments) {
  m_Doc->OnNewDocument();
  const std::string path = arguments.isEmpty() ? std::string() : arguments.first().toStdString();
  // Restored textures need the view's canvas, as a document's do. A copy the user chose to
  // restore wins over the document of the command line.
  m_Frame->View().SetStartedHandler([this, path] {
    if (!OfferRecovery(RecoveryFolder(), *m_Doc, *m_Recovery) && !path.empty()) {
      m_Doc->OpenDocument(path);
    }
  });
  m_Frame->show();
}

void CVelloApp::OnFileOpen() {
  CFileDialogRequest request;
  request.filter = std::string(res::kDocumentFilter) + "|*.an1|All Files (*.*)|*.*||";
  request.defaultExtension = res::kDocumentExtension;
  const std::optional<std::string> path = Prompts().AskOpenPath(request);
  if (path) {
    m_Doc->OpenDocument(*path);
  }
}

void CVelloApp::OnOpenRecentFile(int index) {
  if (index < 0 || index >= m_RecentFiles.Paths().size()) {
    return;
  }
  const QString path = m_RecentFiles.Paths()[index];
  if (!QFileInfo(path).isFile()) {
    Prompts().Tell("无法打开文件 " + path.toStdString(), UMessageIcon::Warning);
    m_RecentFiles.Remove(path);
    m_Frame->UpdateRecentFiles();
    return;
  }
  m_Doc->OpenDocument(path.toStdString());
}
