// Opening a document or a recovered copy: the actor read, its textures looked up, its first
// frame selected and a history starting at it.
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/anim/actor_file.h"
#include "core/foundation/message.h"
#include "editor/doc/stored_actor.h"
#include "editor/doc/vello_editor.h"
#include "editor/res/ui_text.h"

bool CVelloEditor::LoadActor(const std::string& path) {
  auto loaded = std::make_unique<UObjActor>();
  std::string reason;
  if (!LoadActorFile(path.c_str(), *loaded, &reason)) {
    ShowMessage({UiText::tr("无法打开文件 %1：文件无法读取或已损坏。\n%2")
                     .arg(QString::fromStdString(path), QString::fromStdString(reason))
                     .toStdString(),
                 "", UMessageButtons::Ok, UMessageIcon::Warning});
    return false;
  }
  OpenActor(std::move(loaded), {}, std::filesystem::path(path).parent_path().string(),
            res::kStepOpen, true);
  return true;
}

void CVelloEditor::OpenActor(std::unique_ptr<UObjActor> opened,
                             const std::vector<std::string>& knownTexturePaths,
                             const std::string& documentFolder, const char* historyStart,
                             bool saved) {
  // Reading starts from a freshly initialised actor; the user's setting decides blending.
  opened->interpolate = interpolationDefault != 0;
  Clear();
  actor = opened.release();
  ResetSelections();
  const std::string missing = LoadRecordTextures(knownTexturePaths, documentFolder);
  SelectAfterOpen();
  StartHistory(historyStart, saved);
  Notify(kChangeWholeActor);
  if (!missing.empty()) {
    std::string folders;
    for (const std::string& folder : TextureFolders(knownTexturePaths, documentFolder)) {
      folders += "\n" + folder;
    }
    ShowMessage({UiText::Utf8(res::kTexturesNotFound) + missing + "\n\n" +
                     UiText::Utf8(res::kTextureFoldersSearched) + folders,
                 "", UMessageButtons::Ok, UMessageIcon::Warning});
  }
}

bool CVelloEditor::OpenRecovered(const std::vector<unsigned char>& stored,
                                 const std::string& documentPath,
                                 const std::vector<std::string>& texturePaths) {
  std::unique_ptr<UObjActor> recovered = ReadStoredActor(stored);
  if (recovered == nullptr) {
    ShowMessage({UiText::tr("无法恢复文档 %1：恢复的副本已损坏")
                     .arg(QString::fromStdString(documentPath))
                     .toStdString(),
                 "", UMessageButtons::Ok, UMessageIcon::Warning});
    return false;
  }
  OpenActor(std::move(recovered), texturePaths,
            std::filesystem::path(documentPath).parent_path().string(), res::kStepRecovered, false);
  return true;
}
