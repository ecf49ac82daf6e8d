#include "editor/panels/module_cut_panel.h"

#include <QComboBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QSettings>
#include <algorithm>
#include <array>

#include "core/anim/obj_actor.h"
#include "core/anim/obj_module.h"
#include "editor/doc/vello_editor.h"
#include "editor/panels/auto_slice_dialog.h"
#include "editor/panels/module_cut_view.h"
#include "editor/res/strings.h"
#include "editor/res/ui_text.h"

namespace {

constexpr std::array<int, 5> kCutGrids = {1, 2, 4, 8, 16};

// The buttons share a sixth of the pane's width each, so their texts have translations of their
// own, short ones.
QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}

}  // namespace

CModuleCutPanel::CModuleCutPanel(CVelloEditor& editor, QWidget* parent)
    : QWidget(parent)
    , m_Editor(editor)
    , m_View(new CModuleCutView(editor, this))
    , m_ZoomIn(MakeButton(UiText::tr("放大", "a narrow button"), "zoomIn", this))
    , m_ZoomOut(MakeButton(UiText::tr("缩小", "a narrow button"), "zoomOut", this))
    , m_Add(MakeButton(UiText::tr("添加", "a narrow button"), "addModule", this))
    , m_Delete(MakeButton(UiText::tr("删除", "a narrow button"), "deleteModule", this))
    , m_AutoSlice(MakeButton(UiText::tr("自动切割", "a narrow button"), "autoSlice", this))
    , m_CutGrid(new QComboBox(this)) {
  setWindowTitle("ME");
  m_View->setObjectName("moduleCutView");
  QObject::connect(m_ZoomIn, &QPushButton::clicked, this, [this] { m_View->ZoomIn(); });
  QObject::connect(m_ZoomOut, &QPushButton::clicked, this, [this] { m_View->ZoomOut(); });
  QObject::connect(m_Add, &QPushButton::clicked, this, [this] { AddModule(); });
  QObject::connect(m_Delete, &QPushButton::clicked, this, [this] { DeleteModule(); });
  QObject::connect(m_AutoSlice, &QPushButton::clicked, this, [this] { AutoSlice(); });
  m_CutGrid->setObjectName("cutGrid");
  m_CutGrid->setToolTip(UiText::tr(res::kCutGridTip));
  for (const int texels : kCutGrids) {
    m_CutGrid->addItem(UiText::tr(res::kCutGridItem).arg(texels), texels);
  }
  // A value that is not one of the choices (an edited settings file) falls back to the default.
  const int kept = QSettings().value(kCutGridKey, kDefaultCutGrid).toInt();
  const int index = m_CutGrid->findData(kept);
  m_CutGrid->setCurrentIndex(index >= 0 ? index : m_CutGrid->findData(kDefaultCutGrid));
  m_View->SetCutGrid(m_CutGrid->currentData().toInt());
  QObject::connect(m_CutGrid, &QComboBox::activated, this,
                   [this](int chosen) { ChooseCutGrid(chosen); });
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
  const std::array<QWidget*, 6> controls = {m_ZoomIn, m_ZoomOut,   m_Add,
                                            m_Delete, m_AutoSlice, m_CutGrid};
  const int slot = panelWidth / static_cast<int>(controls.size());
  for (size_t i = 0; i < controls.size(); ++i) {
    const int left = static_cast<int>(i) * slot;
    const int slotWidth = i + 1 == controls.size() ? panelWidth - left : slot;
    controls[i]->setGeometry(left, top, slotWidth, strip);
  }
}

void CModuleCutPanel::ChooseCutGrid(int index) {
  const int texels = m_CutGrid->itemData(index).toInt();
  m_View->SetCutGrid(texels);
  QSettings().setValue(kCutGridKey, texels);
}

void CModuleCutPanel::AutoSlice() {
  RunAutoSlice(m_Editor, m_View, this);
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
  const UObjActor* actor = m_Editor.Actor();
  m_AutoSlice->setEnabled(actor != nullptr &&
                          actor->textures.IsValidIndex(m_Editor.SelectedTexture()) &&
                          m_View->HasImage());
}
