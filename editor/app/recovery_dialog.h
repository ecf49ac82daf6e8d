#pragma once

#include <QDialog>
#include <vector>

#include "editor/services/recovery_offer.h"

class QComboBox;

// The recovery dialog "恢复文档": one row per copy (document, path, time written) with its
// choice, "恢复", "删除" or "以后再说" (the start). A copy that cannot be read says "无法读取"
// and offers no "恢复". Only one row can be restored: choosing it in a row moves any other row
// that had it back to "以后再说". Closing the dialog keeps every copy.
class CRecoveryDialog : public QDialog {
 public:
  CRecoveryDialog(const std::vector<CRecoveryOffer>& offers, QWidget* parent);

  // One choice per offer; Keep for all unless the dialog was accepted.
  std::vector<CRecoveryChoice> Choices() const;
  // The choice box of row `row` (for tests).
  QComboBox* ChoiceBox(int row) const { return m_Boxes[row]; }

 private:
  void OnChosen(int row);

  std::vector<QComboBox*> m_Boxes;
};
