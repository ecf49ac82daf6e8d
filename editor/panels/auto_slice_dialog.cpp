#include "editor/panels/auto_slice_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "drivers/gdi/image_file.h"
#include "editor/doc/sprite_slicing.h"
#include "editor/doc/vello_editor.h"
#include "editor/panels/module_cut_view.h"
#include "editor/res/strings.h"
#include "editor/res/ui_text.h"
#include "editor/services/prompt_service.h"

namespace {

// Spin boxes reach as far as a module edge can.
constexpr int kLargestField = 0xFFFF;

CSliceImage PixelsOf(const URasterPicture& picture) {
  CSliceImage image;
  if (picture.IsNull()) {
    return image;
  }
  image.pixels = picture.Row(0);
  image.width = picture.Width();
  image.height = picture.Height();
  image.stride =
      picture.Height() > 1 ? static_cast<int>(picture.Row(1) - picture.Row(0)) : picture.Width();
  return image;
}

}  // namespace

CAutoSliceDialog::CAutoSliceDialog(CVelloEditor& editor, int texture, CModuleCutView* preview,
                                   QWidget* parent)
    : QDialog(parent)
    , m_Editor(editor)
    , m_Texture(texture)
    , m_Preview(preview)
    , m_Modes(new QTabWidget(this))
    , m_Summary(new QLabel(this))
    , m_Add(new QPushButton(UiText::tr(res::kAutoSliceAdd), this)) {
  setWindowTitle(UiText::tr(res::kStepAutoSlice));
  setObjectName("autoSliceDialog");
  ReadImageFile(m_Editor.TexturePath(texture).c_str(), m_Picture);

  auto* grid = new QWidget(m_Modes);
  grid->setLayout(new QFormLayout);
  m_CellWidth = AddField(grid, res::kAutoSliceCellWidth, 32, 1);
  m_CellHeight = AddField(grid, res::kAutoSliceCellHeight, 32, 1);
  m_OffsetX = AddField(grid, res::kAutoSliceOffsetX, 0, 0);
  m_OffsetY = AddField(grid, res::kAutoSliceOffsetY, 0, 0);
  m_SpacingX = AddField(grid, res::kAutoSliceSpacingX, 0, 0);
  m_SpacingY = AddField(grid, res::kAutoSliceSpacingY, 0, 0);
  m_SkipEmpty = new QCheckBox(UiText::tr(res::kAutoSliceSkipEmpty), grid);
  m_SkipEmpty->setChecked(true);
  static_cast<QFormLayout*>(grid->layout())->addRow(m_SkipEmpty);
  connect(m_SkipEmpty, &QCheckBox::toggled, this, [this] { Slice(); });

  auto* regions = new QWidget(m_Modes);
  regions->setLayout(new QFormLayout);
  const CRegionSlicing defaults;
  m_MergeDistance = AddField(regions, res::kAutoSliceMergeDistance, defaults.mergeDistance, 0);
  m_MinSize = AddField(regions, res::kAutoSliceMinSize, defaults.minSize, 0);

  // Sprite sheets without a regular layout are the more common case.
  m_Modes->addTab(regions, UiText::tr(res::kAutoSliceByRegions));
  m_Modes->addTab(grid, UiText::tr(res::kAutoSliceByGrid));
  connect(m_Modes, &QTabWidget::currentChanged, this, [this] { Slice(); });

  auto* cancel = new QPushButton(UiText::tr(res::kCancel), this);
  m_Add->setObjectName("addSlices");
  cancel->setObjectName("cancelButton");
  m_Add->setDefault(true);
  connect(m_Add, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(m_Add);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_Modes);
  layout->addWidget(m_Summary);
  layout->addLayout(buttons);
  Slice();
}

CAutoSliceDialog::~CAutoSliceDialog() {
  if (m_Preview != nullptr) {
    m_Preview->SetPreview({});
  }
}

QSpinBox* CAutoSliceDialog::AddField(QWidget* page, const char* label, int value, int minimum) {
  auto* field = new QSpinBox(page);
  field->setRange(minimum, kLargestField);
  field->setValue(value);
  static_cast<QFormLayout*>(page->layout())->addRow(UiText::tr(label), field);
  connect(field, &QSpinBox::valueChanged, this, [this] { Slice(); });
  return field;
}

void CAutoSliceDialog::Slice() {
  const CSliceImage image = PixelsOf(m_Picture);
  bool sliced = false;
  if (m_Modes->currentIndex() == 0) {
    CRegionSlicing regions;
    regions.mergeDistance = m_MergeDistance->value();
    regions.minSize = m_MinSize->value();
    sliced = SliceByRegions(image, regions, &m_Shapes);
  } else {
    CGridSlicing grid;
    grid.cellWidth = m_CellWidth->value();
    grid.cellHeight = m_CellHeight->value();
    grid.offsetX = m_OffsetX->value();
    grid.offsetY = m_OffsetY->value();
    grid.spacingX = m_SpacingX->value();
    grid.spacingY = m_SpacingY->value();
    grid.skipEmpty = m_SkipEmpty->isChecked();
    sliced = SliceByGrid(image, grid, &m_Shapes);
  }
  const size_t fresh = m_Editor.NewSlicedModules(m_Texture, m_Shapes).size();
  if (!HasImage()) {
    m_Summary->setText(UiText::tr(res::kAutoSliceUnreadable)
                           .arg(QString::fromStdString(m_Editor.TexturePath(m_Texture))));
  } else if (sliced) {
    m_Summary->setText(UiText::tr(res::kAutoSliceFound).arg(m_Shapes.size()).arg(fresh));
  } else {
    m_Summary->setText(UiText::tr(res::kAutoSliceTooMany));
  }
  m_Add->setEnabled(fresh > 0);
  if (m_Preview != nullptr) {
    m_Preview->SetPreview(m_Shapes);
  }
}

void RunAutoSlice(CVelloEditor& editor, CModuleCutView* preview, QWidget* parent) {
  const UObjActor* actor = editor.Actor();
  const int texture = editor.SelectedTexture();
  if (actor == nullptr || !actor->textures.IsValidIndex(texture)) {
    return;
  }
  CAutoSliceDialog dialog(editor, texture, preview, parent);
  if (!dialog.HasImage()) {
    Prompts().Tell(dialog.Summary()->text().toStdString(), UMessageIcon::Warning);
    return;
  }
  if (Prompts().RunDialog(dialog) == QDialog::Accepted) {
    editor.AddSlicedModules(texture, dialog.Shapes());
  }
}
