#include "editor/panels/texture_list.h"

#include <QContextMenuEvent>

#include "drivers/accel/surface_rw.h"
#include "editor/doc/editor_text.h"
#include "editor/doc/vello_editor.h"
#include "editor/panels/auto_slice_dialog.h"
#include "editor/panels/module_cut_view.h"
#include "editor/res/strings.h"
#include "editor/services/prompt_service.h"
#include "editor_support/property_grid/property_grid.h"

namespace {

CFileDialogRequest ImageRequest() {
  CFileDialogRequest request;
  request.filter = "Portable Image (*.png)|*.png|Bitmap (*.bmp)|*.bmp||";
  // A typed name without an extension is taken as a PNG.
  request.defaultExtension = ".png";
  request.initialName = "*.*";
  return request;
}

QString DepthText(USurface* surface) {
  auto* accelerated = dynamic_cast<USurfaceRw*>(surface);
  return accelerated == nullptr ? QString() : QString::number(accelerated->GetBpp());
}

}  // namespace

CTextureListCtrl::CTextureListCtrl(CVelloEditor& editor, QWidget* parent)
    : CReportList({{"使用贴图", 150}, {"宽高", 100}, {"色深", 50}}, parent), m_Editor(editor) {
  setObjectName("textureList");
  setAccessibleName(res::kAccessibleTextureList);
  setFont(UPropertyGrid::RegularFont());
  // A one-pixel flat frame in the toolkit's shadow colour.
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  QPalette framed = palette();
  framed.setColor(QPalette::WindowText, framed.color(QPalette::Mid));
  setPalette(framed);
  m_Add = m_Menu.addAction("添加贴图", this, [this] { AddTextures(); });
  m_Replace = m_Menu.addAction("置换贴图", this, [this] { ReplaceTexture(); });
  m_Delete = m_Menu.addAction("删除贴图", this, [this] { DeleteTexture(); });
  m_Add->setData(kAddTexture);
  m_Replace->setData(kReplaceTexture);
  m_Delete->setData(kDeleteTexture);
  m_AutoSlice =
      m_Menu.addAction(QString::fromUtf8(res::kStepAutoSlice), this, [this] { AutoSlice(); });
  m_AutoSlice->setData(kAutoSlice);
  m_Locate = m_Menu.addAction(res::kLocateTexture, this, [this] { LocateTexture(); });
  m_Locate->setData(kLocateTexture);
  SetRowSelectedHandler([this](int row) { m_Editor.SelectTexture(row); });
  m_Editor.AddListener(this);
  Refresh();
}

CTextureListCtrl::~CTextureListCtrl() {
  m_Editor.RemoveListener(this);
}

void CTextureListCtrl::OnEditorChanged(uint32_t changes) {
  if ((changes & (kChangeActor | kChangeTextures)) != 0) {
    Refresh();
  } else if ((changes & kChangeSelection) != 0) {
    SelectRow(m_Editor.SelectedTexture());
  }
}

QMenu* CTextureListCtrl::ContextMenu() {
  const bool hasActor = m_Editor.Actor() != nullptr;
  const bool hasSelection =
      hasActor && m_Editor.Actor()->textures.IsValidIndex(m_Editor.SelectedTexture());
  m_Add->setEnabled(hasActor);
  m_Replace->setEnabled(hasSelection);
  m_Delete->setEnabled(hasSelection);
  m_AutoSlice->setEnabled(hasSelection);
  m_Locate->setEnabled(hasSelection && m_Editor.IsTextureMissing(m_Editor.SelectedTexture()));
  return &m_Menu;
}

void CTextureListCtrl::AddTextures() {
  if (m_Editor.Actor() == nullptr) {
    return;
  }
  const std::optional<std::vector<std::string>> paths = Prompts().AskOpenPaths(ImageRequest());
  if (paths) {
    m_Editor.AddTextures(*paths);
  }
}

void CTextureListCtrl::ReplaceTexture() {
  if (m_Editor.Actor() == nullptr ||
      !m_Editor.Actor()->textures.IsValidIndex(m_Editor.SelectedTexture())) {
    return;
  }
  const std::optional<std::string> path = Prompts().AskOpenPath(ImageRequest());
  if (path) {
    m_Editor.ReplaceTexture(*path);
  }
}

void CTextureListCtrl::DeleteTexture() {
  m_Editor.DeleteTexture(m_Editor.SelectedTexture());
}

void CTextureListCtrl::AutoSlice() {
  RunAutoSlice(m_Editor, window()->findChild<CModuleCutView*>(), this);
}

void CTextureListCtrl::LocateTexture() {
  const int texture = m_Editor.SelectedTexture();
  if (!m_Editor.IsTextureMissing(texture)) {
    return;
  }
  const std::optional<std::string> path = Prompts().AskOpenPath(ImageRequest());
  if (path) {
    m_Editor.RelinkTexture(texture, *path);
  }
}

void CTextureListCtrl::contextMenuEvent(QContextMenuEvent* event) {
  ContextMenu()->popup(event->globalPos());
}

void CTextureListCtrl::Refresh() {
  std::vector<QStringList> rows;
  if (m_Editor.Actor() != nullptr) {
    for (int index = 0; index < m_Editor.Actor()->textures.Num(); ++index) {
      const TTextureInfo& info = m_Editor.Actor()->textures[static_cast<size_t>(index)];
      USurface* surface = m_Editor.TextureSurfaces().IsValidIndex(index)
                              ? m_Editor.TextureSurfaces()[static_cast<size_t>(index)]
                              : nullptr;
      const QString name = QString::fromStdString(RecordFileName(info));
      rows.push_back({m_Editor.IsTextureMissing(index) ? name + res::kTextureMissingSuffix : name,
                      QString("%1 %2").arg(info.width).arg(info.height), DepthText(surface)});
    }
  }
  SetRows(rows, m_Editor.SelectedTexture());
  // Rows are rewritten in place: each one's colour is set again.
  const QVariant grey = palette().brush(QPalette::Disabled, QPalette::Text);
  for (int row = 0; row < topLevelItemCount(); ++row) {
    for (int column = 0; column < columnCount(); ++column) {
      topLevelItem(row)->setData(column, Qt::ForegroundRole,
                                 m_Editor.IsTextureMissing(row) ? grey : QVariant());
    }
  }
}
