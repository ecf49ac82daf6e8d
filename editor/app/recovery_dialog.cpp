#include "editor/app/recovery_dialog.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "editor/res/ui_text.h"

namespace {

constexpr char kUnreadable[] = QT_TRANSLATE_NOOP("Quillet", "无法读取");

QString LocalTime(const std::string& utc) {
  const QDateTime time = QDateTime::fromString(QString::fromStdString(utc), Qt::ISODate);
  return time.isValid() ? time.toLocalTime().toString("yyyy-MM-dd HH:mm:ss")
                        : QString::fromStdString(utc);
}

}  // namespace

CRecoveryDialog::CRecoveryDialog(const std::vector<CRecoveryOffer>& offers, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(UiText::tr("恢复文档"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(UiText::tr("上次编辑器意外退出，留下了以下未保存文档的恢复副本："), this));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(UiText::tr("<b>文档</b>"), this), 0, 0);
  grid->addWidget(new QLabel(UiText::tr("<b>时间</b>"), this), 0, 1);
  grid->addWidget(new QLabel(UiText::tr("<b>处理</b>"), this), 0, 2);
  for (size_t i = 0; i < offers.size(); ++i) {
    const CRecoveryOffer& offer = offers[i];
    const int row = static_cast<int>(i) + 1;
    QString document = QString::fromStdString(offer.title);
    if (!offer.documentPath.empty()) {
      document += "\n" + QString::fromStdString(offer.documentPath);
    }
    auto* name = new QLabel(document, this);
    name->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(name, row, 0);
    grid->addWidget(new QLabel(LocalTime(offer.time), this), row, 1);
    auto* box = new QComboBox(this);
    box->setObjectName(QString("recoveryChoice%1").arg(i));
    if (offer.problem.empty()) {
      box->addItem(UiText::tr("恢复", "what to do with a recovery copy"),
                   static_cast<int>(CRecoveryChoice::Restore));
    } else {
      auto* unreadable = new QLabel(UiText::tr(kUnreadable), this);
      unreadable->setToolTip(QString::fromStdString(offer.problem));
      grid->addWidget(unreadable, row, 3);
    }
    box->addItem(UiText::tr("删除"), static_cast<int>(CRecoveryChoice::Delete));
    box->addItem(UiText::tr("以后再说"), static_cast<int>(CRecoveryChoice::Keep));
    box->setCurrentIndex(box->count() - 1);
    QObject::connect(box, &QComboBox::currentIndexChanged, this,
                     [this, i] { OnChosen(static_cast<int>(i)); });
    grid->addWidget(box, row, 2);
    m_Boxes.push_back(box);
  }
  layout->addLayout(grid);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  QObject::connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

std::vector<CRecoveryChoice> CRecoveryDialog::Choices() const {
  std::vector<CRecoveryChoice> choices;
  for (const QComboBox* box : m_Boxes) {
    choices.push_back(result() == QDialog::Accepted
                          ? static_cast<CRecoveryChoice>(box->currentData().toInt())
                          : CRecoveryChoice::Keep);
  }
  return choices;
}

void CRecoveryDialog::OnChosen(int row) {
  const int restore = static_cast<int>(CRecoveryChoice::Restore);
  if (m_Boxes[row]->currentData().toInt() != restore) {
    return;
  }
  for (int other = 0; other < static_cast<int>(m_Boxes.size()); ++other) {
    if (other != row && m_Boxes[other]->currentData().toInt() == restore) {
      m_Boxes[other]->setCurrentIndex(
          m_Boxes[other]->findData(static_cast<int>(CRecoveryChoice::Keep)));
    }
  }
}
