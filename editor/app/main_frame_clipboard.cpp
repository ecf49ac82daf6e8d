// Copy, cut and paste through the system clipboard, and the files and modules dropped on the
// window. What is copied is the selection of the pane that has the focus; a paste goes where
// the kind of its items belongs.
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>
#include <cstdio>

#include "editor/app/main_frame.h"
#include "editor/doc/vello_doc.h"
#include "editor/res/command_ids.h"
#include "editor/res/strings.h"
#include "editor/res/ui_text.h"

namespace {

// Larger clipboard contents are not read at all: no actor a person edits comes near it.
constexpr qsizetype kMaxClipBytes = qsizetype{256} << 20;

QString Counted(const char* format, size_t count, ClipKind kind) {
  char text[256];
  std::snprintf(text, sizeof(text), UiText::Utf8(format).c_str(), static_cast<int>(count),
                UiText::Utf8(ClipKindText(kind)).c_str());
  return QString::fromUtf8(text);
}

// The items the clipboard's own type holds, as bytes; empty when there are none or too many.
QByteArray ClipBytes(const QMimeData* data) {
  if (data == nullptr || !data->hasFormat(kClipMimeType)) {
    return {};
  }
  QByteArray bytes = data->data(kClipMimeType);
  return bytes.size() > kMaxClipBytes ? QByteArray() : bytes;
}

std::optional<ClipKind> PeekKind(const QByteArray& bytes) {
  return PeekClipKind(reinterpret_cast<const unsigned char*>(bytes.constData()),
                      static_cast<size_t>(bytes.size()));
}

bool IsTextureFile(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == "png" || suffix == "bmp";
}

}  // namespace

void CMainFrame::RegisterClipboardCommands() {
  OnCommand(
      cmd::kEditCopy, [this] { CopySelection(); }, [this] { return !SelectedItems().empty(); });
  OnCommand(
      cmd::kEditCut, [this] { CutSelection(); },
      [this] { return !SelectedItems().empty() && !IsEditingProperty(); });
  // Reading the clipboard may ask another program for its bytes, so the kind of items it holds
  // is read once each time it changes, not whenever the command states are brought up to date.
  OnCommand(
      cmd::kEditPaste, [this] { PasteClipboard(); },
      [this] {
        return m_ClipboardKind && m_Editor.CanPasteItems(*m_ClipboardKind) && !IsEditingProperty();
      });
  const auto read_kind = [this] {
    m_ClipboardKind = PeekKind(ClipBytes(QGuiApplication::clipboard()->mimeData()));
  };
  read_kind();
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this, read_kind] {
    read_kind();
    UpdateCommandStates();
  });
  setAcceptDrops(true);
  m_View->SetModuleDropHandler([this](const QByteArray& bytes, UPoint client) {
    CClipItems clip;
    if (ReadClipItems(bytes, &clip)) {
      m_Editor.DropModules(clip, client, DocumentFolder());
    }
  });
}

std::optional<ClipKind> CMainFrame::FocusedItemKind() const {
  // The pane is found from the focus up: a list's own viewport or row editor counts as the list.
  for (const QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
    const QString name = w->objectName();
    if (w == m_View || name == "placementList") {
      return ClipKind::Placements;
    }
    if (name == "frameList") {
      return ClipKind::Frames;
    }
    if (name == "actionFrameEditor" || name == "actionFrameList") {
      return ClipKind::Keys;
    }
    if (name == "actionList") {
      return ClipKind::Actions;
    }
    if (name == "moduleList") {
      return ClipKind::Modules;
    }
  }
  return std::nullopt;
}

std::vector<int32_t> CMainFrame::SelectedItems() const {
  const std::optional<ClipKind> kind = FocusedItemKind();
  if (!kind) {
    return {};
  }
  int32_t selected = -1;
  switch (*kind) {
    case ClipKind::Placements:
      return m_Editor.SelectedPlacements();
    case ClipKind::Frames:
      selected = m_Editor.SelectedFrame();
      break;
    case ClipKind::Keys:
      selected = m_Editor.SelectedActionFrame();
      break;
    case ClipKind::Actions:
      selected = m_Editor.SelectedAction();
      break;
    case ClipKind::Modules:
      selected = m_Editor.SelectedModule();
      break;
  }
  return selected < 0 ? std::vector<int32_t>() : std::vector<int32_t>{selected};
}

std::string CMainFrame::DocumentFolder() const {
  return m_Doc.Path().empty()
             ? std::string()
             : QFileInfo(QString::fromStdString(m_Doc.Path())).absolutePath().toStdString();
}

bool CMainFrame::CopySelection() {
  const std::optional<ClipKind> kind = FocusedItemKind();
  const std::vector<int32_t> items = SelectedItems();
  std::optional<CClipItems> clip;
  if (kind && !items.empty()) {
    clip = m_Editor.CopyItems(*kind, items);
  }
  if (!clip) {
    return false;
  }
  const std::vector<unsigned char> bytes = EncodeClipItems(*clip);
  auto* mime = new QMimeData;
  mime->setData(kClipMimeType, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                          static_cast<qsizetype>(bytes.size())));
  mime->setText(QString::fromStdString(ClipItemsJson(*clip)));
  QGuiApplication::clipboard()->setMimeData(mime);
  ShowPrompt(Counted(res::kCopiedItems, items.size(), *kind));
  return true;
}

void CMainFrame::CutSelection() {
  const std::optional<ClipKind> kind = FocusedItemKind();
  const std::vector<int32_t> items = SelectedItems();
  if (kind && CopySelection()) {
    m_Editor.CutItems(*kind, items);
    ShowPrompt(Counted(res::kCutItems, items.size(), *kind));
  }
}

bool CMainFrame::ReadClipItems(const QByteArray& bytes, CClipItems* clip) {
  std::string problem;
  if (DecodeClipItems(reinterpret_cast<const unsigned char*>(bytes.constData()),
                      static_cast<size_t>(bytes.size()), clip, &problem)) {
    return true;
  }
  char text[512];
  std::snprintf(text, sizeof(text), UiText::Utf8(res::kDamagedClipboard).c_str(), problem.c_str());
  ShowPrompt(QString::fromUtf8(text));
  return false;
}

void CMainFrame::PasteClipboard() {
  CClipItems clip;
  if (!ReadClipItems(ClipBytes(QGuiApplication::clipboard()->mimeData()), &clip)) {
    return;
  }
  if (m_Editor.PasteItems(clip, DocumentFolder()).empty()) {
    ShowPrompt(UiText::tr(res::kNothingToPaste));
  }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    const QString path = url.toLocalFile();
    if (IsTextureFile(path) || path.endsWith(res::kDocumentExtension, Qt::CaseInsensitive)) {
      event->acceptProposedAction();
      return;
    }
  }
  event->ignore();
}

// Pictures become textures, in one step, the first of them shown in the cutting pane; a
// document is opened as File > Open opens it, after the save question.
void CMainFrame::dropEvent(QDropEvent* event) {
  std::vector<std::string> textures;
  QString document;
  for (const QUrl& url : event->mimeData()->urls()) {
    const QString path = url.toLocalFile();
    if (IsTextureFile(path)) {
      textures.push_back(path.toStdString());
    } else if (document.isEmpty() && path.endsWith(res::kDocumentExtension, Qt::CaseInsensitive)) {
      document = path;
    }
  }
  event->acceptProposedAction();
  if (!textures.empty()) {
    const int before = m_Editor.Actor() == nullptr ? 0 : m_Editor.Actor()->textures.Num();
    if (m_Editor.AddTextures(textures) > 0) {
      m_Editor.SelectTexture(before);
    }
  }
  if (!document.isEmpty()) {
    m_Doc.OpenDocument(document.toStdString());
  }
}
