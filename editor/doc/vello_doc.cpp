#include "editor/doc/vello_doc.h"

#include <QFileInfo>

#include "core/foundation/text_codec.h"
#include "editor/doc/vello_editor.h"
#include "editor/res/command_ids.h"
#include "editor/res/strings.h"
#include "editor/res/ui_text.h"
#include "editor/services/prompt_service.h"

namespace {

constexpr char kStartActorName[] = "TestActor";

std::string FileNameOf(const std::string& path) {
  return QFileInfo(QString::fromStdString(path)).fileName().toStdString();
}

}  // namespace

CVelloDoc::CVelloDoc(CVelloEditor& editor) : m_Editor(editor) {
  m_Editor.AddListener(this);
  const auto has_actor = [this] { return m_Editor.Actor() != nullptr; };
  OnCommand(cmd::kFileNew, [this] { OnFileNew(); });
  OnCommand(
      cmd::kFileSave, [this] { OnFileSave(); }, has_actor);
  OnCommand(
      cmd::kFileSaveAs, [this] { OnFileSaveAs(); }, has_actor);
  OnCommand(
      cmd::kSetName, [this] { OnSetName(); }, has_actor);
  for (const int id : {cmd::kExportSymbian, cmd::kExportJava, cmd::kExportXml, cmd::kExportRws,
                       cmd::kImportAnm, cmd::kImportRws}) {
    OnCommand(id, [] { Prompts().Tell(UiText::Utf8(res::kNotSupported)); });
  }
  OnCommand(cmd::kCentre, [this] { m_Editor.ToggleCentre(); });
}

CVelloDoc::~CVelloDoc() {
  m_Editor.RemoveListener(this);
}

std::string CVelloDoc::Title() const {
  return m_Title.empty() ? UiText::Utf8(res::kUntitled) : m_Title;
}

bool CVelloDoc::IsModified() const {
  return m_Editor.IsModified();
}

void CVelloDoc::NotifyChanged() const {
  if (m_Changed) {
    m_Changed();
  }
}

void CVelloDoc::SetPathAndTitle(const std::string& path, const std::string& title) {
  m_Path = path;
  m_Title = title;
  NotifyChanged();
}

void CVelloDoc::OnEditorChanged(uint32_t changes) {
  if (changes & kChangeModified) {
    NotifyChanged();
  }
}

void CVelloDoc::OnNewDocument() {
  m_Editor.NewActor(std::string(kStartActorName));
  SetPathAndTitle({}, {});
}

bool CVelloDoc::OpenDocument(const std::string& path) {
  if (!SaveModified()) {
    return false;
  }
  if (!m_Editor.LoadActor(path)) {
    return false;
  }
  if (m_FileTaken) {
    m_FileTaken(path);
  }
  SetPathAndTitle(path, FileNameOf(path));
  return true;
}

bool CVelloDoc::OpenRecovered(const std::vector<unsigned char>& stored,
                              const std::string& documentPath, const std::string& title,
                              const std::vector<std::string>& texturePaths) {
  if (!SaveModified()) {
    return false;
  }
  if (!m_Editor.OpenRecovered(stored, documentPath, texturePaths)) {
    return false;
  }
  SetPathAndTitle(documentPath, documentPath.empty() ? title : FileNameOf(documentPath));
  return true;
}

bool CVelloDoc::SaveModified() {
  // What is still being typed counts as an edit: committed before the question.
  m_Editor.EndOpenEdits();
  if (!IsModified()) {
    return true;
  }
  switch (Prompts().AskYesNoCancel(
      UiText::tr("是否保存对 %1 的修改?").arg(QString::fromStdString(Title())).toStdString())) {
    case UMessageAnswer::Yes:
      return m_Path.empty() ? OnFileSaveAs() : SaveTo(m_Path);
    case UMessageAnswer::No:
      return true;
    default:
      return false;
  }
}

bool CVelloDoc::SaveTo(const std::string& path) {
  return IsOwnFile(path) ? m_Editor.SaveActor(path) : m_Editor.SaveActorCopy(path);
}

bool CVelloDoc::IsOwnFile(const std::string& path) const {
  return !m_Path.empty() &&
         QFileInfo(QString::fromStdString(path)) == QFileInfo(QString::fromStdString(m_Path));
}

void CVelloDoc::OnFileNew() {
  if (!SaveModified()) {
    return;
  }
  const std::optional<std::string> name = Prompts().AskTypedText("", TypedTextKind::Name);
  if (!name) {
    return;
  }
  m_Editor.NewActor(*name);
  // A new actor has no file yet: a later save must not write over the document opened before.
  SetPathAndTitle({}, *name);
}

void CVelloDoc::OnFileSave() {
  if (m_Editor.Actor() == nullptr) {
    return;
  }
  CFileDialogRequest request;
  request.filter = UiText::Utf8(res::kSaveFilter);
  request.defaultExtension = res::kDocumentExtension;
  // A nameless actor would propose the hidden file ".an1".
  const std::string name = GbkToUtf8(m_Editor.Actor()->name.GetString());
  request.initialName =
      (name.empty() ? UiText::Utf8(res::kUntitled) : name) + res::kDocumentExtension;
  const std::optional<std::string> path = Prompts().AskSavePath(request);
  if (path) {
    SaveTo(*path);
  }
}

bool CVelloDoc::OnFileSaveAs() {
  if (m_Editor.Actor() == nullptr) {
    return false;
  }
  CFileDialogRequest request;
  request.filter = UiText::Utf8(res::kDocumentFilter) + "|*.an1||";
  request.defaultExtension = res::kDocumentExtension;
  request.initialName = m_Path.empty() ? Title() + res::kDocumentExtension : FileNameOf(m_Path);
  const std::optional<std::string> path = Prompts().AskSavePath(request);
  // The file written becomes the document's own.
  if (!path || !m_Editor.SaveActor(*path)) {
    return false;
  }
  if (m_FileTaken) {
    m_FileTaken(*path);
  }
  SetPathAndTitle(*path, FileNameOf(*path));
  return true;
}

void CVelloDoc::OnSetName() {
  if (m_Editor.Actor() == nullptr) {
    return;
  }
  const std::optional<std::string> name =
      Prompts().AskTypedText(GbkToUtf8(m_Editor.Actor()->name.GetString()), TypedTextKind::Name);
  if (name) {
    m_Editor.SetActorName(*name);
  }
}
