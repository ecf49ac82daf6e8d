#include "editor/panels/module_cut_panel.h"

#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>

#include "core/anim/obj_actor.h"
#include "core/anim/obj_module.h"
#include "editor/doc/vello_editor.h"
#include "editor/panels/module_cut_view.h"

namespace {

QPushButton* MakeButton(const char* utf8Text, const char* name, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(utf8Text), parent);
  button->setObjectName(name);
  return button;
}

}  // namespace

CModuleCutPanel::CModuleCutPanel(CVelloEditor& editor, QWidget* parent)
    : QWidget(parent)
    , m_Editor(editor)
    , m_View(new CModuleCutView(editor, this))
    , m_ZoomIn(MakeButton("放大", "zoomIn", this))
    , m_ZoomOut(MakeButton("缩小", "zoomOut", this))
    , m_Add(MakeButton("添加", "addModule", this))
    , m_Delete(MakeButton("删除", "deleteModule", this)) {
  setWindowTitle("ME");
  m_View->setObjectName("moduleCutView");
  QObject::connect(m_ZoomIn, &QPushButton::clicked, this, [this] { m_View->ZoomIn(); });
  QObject::connect(m_ZoomOut, &QPushButton::clicked, this, [this] { m_View->ZoomOut(); });
  QObject::connect(m_Add, &QPushButton::clicked, this, [this] { AddModule(); });
  QObject::connect(m_Delete, &QPushButton::clicked, this, [this] { DeleteModule(); });
  m_View->SetBandChangedHandler([this] { UpdateButtons(); });
  m_Editor.AddListener(this);
  m_View->EditorChanged(kChangeActor);
  UpdateButtons();
}

CModuleCutPanel::~CModuleCutPanel() {
  m_Editor.RemoveListener(this);
}

void CModuleCutPanel::OnEditorChanged(uint32_t changes) {
  m_View->EditorChanged(changes);
  UpdateButtons();
}

void CModuleCutPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int panelWidth = width();
  const int strip = std::min(kButtonHeight, height());
  const int top = height() - strip;
  m_View->setGeometry(0, 0, panelWidth, top);
  const int quarter = panelWidth / 4;
  m_ZoomIn->setGeometry(0, top, quarter, strip);
  m_ZoomOut->setGeometry(quarter, top, quarter, strip);
  m_Add->setGeometry(2 * quarter, top, quarter, strip);
  m_Delete->setGeometry(3 * quarter, top, panelWidth - 3 * quarter, strip);
}

bool CModuleCutPanel::CanAddModule() const {
  const UObjActor* actor = m_Editor.Actor();
  // 65535 would read back as "no texture"; texture indices stop one short of it.
  return actor != nullptr && actor->textures.IsValidIndex(m_Editor.SelectedTexture()) &&
         m_Editor.SelectedTexture() < 0xFFFF && m_View->HasImage() && m_View->Band().HasRect();
}

void CModuleCutPanel::AddModule() {
  if (!CanAddModule()) {
    return;
  }
  const URect shape = m_View->BandInTexture();
  // Module edges are 16-bit; a band past them on a huge image cannot be stored.
  if (shape.GetWidth() <= 0 || shape.GetHeight() <= 0 || shape.right > 0xFFFF ||
      shape.bottom > 0xFFFF) {
    return;
  }
  UObjModule module;
  module.texture = static_cast<uint16_t>(m_Editor.SelectedTexture());
  module.Attribute = 0;
  module.left = static_cast<uint16_t>(shape.left);
  module.top = static_cast<uint16_t>(shape.top);
  module.right = static_cast<uint16_t>(shape.right);
  module.bottom = static_cast<uint16_t>(shape.bottom);
  m_Editor.CreateModule(module);
}

void CModuleCutPanel::DeleteModule() {
  m_Editor.DeleteModule(m_Editor.SelectedModule());
}

void CModuleCutPanel::UpdateButtons() {
  m_Add->setEnabled(CanAddModule());
}
