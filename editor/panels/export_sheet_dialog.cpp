#include "editor/panels/export_sheet_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "core/anim/obj_action.h"
#include "editor/doc/editor_text.h"
#include "editor/res/strings.h"
#include "editor/res/ui_text.h"
#include "editor/services/prompt_service.h"

namespace {

constexpr char kGroup[] = "ExportSheet";
constexpr int kMaxScale = 8;
constexpr int kMaxPadding = 1024;

QString Text(const char* source) {
  return UiText::tr(source);
}

}  // namespace

CExportSheetDialog::CExportSheetDialog(const UObjActor& actor, QWidget* parent)
    : QDialog(parent)
    , m_Actions(new QListWidget(this))
    , m_Format(new QComboBox(this))
    , m_Scale(new QSpinBox(this))
    , m_Padding(new QSpinBox(this))
    , m_Trim(new QCheckBox(Text(res::kExportSheetTrim), this))
    , m_Folder(new QLineEdit(this))
    , m_Start(nullptr) {
  setWindowTitle(Text(res::kExportSheetTitle));
  for (const UObjAction* action : actor.actions) {
    auto* item = new QListWidgetItem(QString::fromStdString(ShownName(action->name)), m_Actions);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
  }
  m_Format->addItem(Text(res::kExportFormatSheet), static_cast<int>(ExportFormat::Sheet));
  m_Format->addItem(Text(res::kExportFormatPng), static_cast<int>(ExportFormat::PngSequence));
  m_Format->addItem(Text(res::kExportFormatGif), static_cast<int>(ExportFormat::Gif));
  m_Scale->setRange(1, kMaxScale);
  m_Padding->setRange(0, kMaxPadding);
  m_Trim->setChecked(true);

  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(m_Folder, 1);
  auto* browse = new QPushButton(Text(res::kExportSheetBrowse), this);
  folderRow->addWidget(browse);
  connect(browse, &QPushButton::clicked, this, [this] { BrowseFolder(); });

  auto* form = new QFormLayout;
  form->addRow(Text(res::kExportSheetFormat), m_Format);
  form->addRow(Text(res::kExportSheetScale), m_Scale);
  form->addRow(Text(res::kExportSheetPadding), m_Padding);
  form->addRow(QString(), m_Trim);
  form->addRow(Text(res::kExportSheetFolder), folderRow);
  m_Folder->setAccessibleName(Text(res::kExportSheetFolder));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  m_Start = buttons->button(QDialogButtonBox::Ok);
  m_Start->setText(Text(res::kExportSheetStart));
  buttons->button(QDialogButtonBox::Cancel)->setText(Text(res::kCancel));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(Text(res::kExportSheetActions), this));
  // Assistive tools do not take a list's or a field's name from a label beside it.
  m_Actions->setAccessibleName(Text(res::kExportSheetActions));
  layout->addWidget(m_Actions, 1);
  layout->addLayout(form);
  layout->addWidget(buttons);

  LoadSettings();
  ShowSheetChoices();
  connect(m_Format, &QComboBox::currentIndexChanged, this, [this] { ShowSheetChoices(); });
  m_Folder->setMinimumWidth(m_Folder->fontMetrics().averageCharWidth() * 40);
}

CExportSheetChoices CExportSheetDialog::Choices() const {
  CExportSheetChoices choices;
  for (int i = 0; i < m_Actions->count(); ++i) {
    if (m_Actions->item(i)->checkState() == Qt::Checked) {
      choices.actions.push_back(m_Actions->item(i)->text().toStdString());
    }
  }
  choices.format = static_cast<ExportFormat>(m_Format->currentData().toInt());
  choices.scale = m_Scale->value();
  choices.padding = m_Padding->value();
  choices.trim = m_Trim->isChecked();
  choices.folder = m_Folder->text().trimmed().toStdString();
  return choices;
}

void CExportSheetDialog::accept() {
  const CExportSheetChoices choices = Choices();
  if (choices.actions.empty()) {
    Prompts().Tell(UiText::Utf8(res::kExportNoAction), UMessageIcon::Warning);
    return;
  }
  if (choices.folder.empty()) {
    Prompts().Tell(UiText::Utf8(res::kExportNoFolder), UMessageIcon::Warning);
    return;
  }
  SaveSettings();
  QDialog::accept();
}

void CExportSheetDialog::BrowseFolder() {
  if (const std::optional<std::string> folder =
          Prompts().AskFolderPath(m_Folder->text().toStdString())) {
    m_Folder->setText(QString::fromStdString(*folder));
  }
}

void CExportSheetDialog::ShowSheetChoices() {
  const bool sheet = m_Format->currentData().toInt() == static_cast<int>(ExportFormat::Sheet);
  m_Padding->setEnabled(sheet);
  m_Trim->setEnabled(sheet);
}

void CExportSheetDialog::LoadSettings() {
  QSettings settings;
  settings.beginGroup(kGroup);
  const int format = m_Format->findData(settings.value("format", 0).toInt());
  m_Format->setCurrentIndex(std::max(format, 0));
  m_Scale->setValue(settings.value("scale", 1).toInt());
  m_Padding->setValue(settings.value("padding", 1).toInt());
  m_Trim->setChecked(settings.value("trim", true).toBool());
  m_Folder->setText(settings.value("folder").toString());
}

void CExportSheetDialog::SaveSettings() const {
  QSettings settings;
  settings.beginGroup(kGroup);
  settings.setValue("format", m_Format->currentData().toInt());
  settings.setValue("scale", m_Scale->value());
  settings.setValue("padding", m_Padding->value());
  settings.setValue("trim", m_Trim->isChecked());
  settings.setValue("folder", m_Folder->text().trimmed());
}
