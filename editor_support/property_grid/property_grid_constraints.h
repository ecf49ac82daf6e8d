#pragma once

#include <QList>
#include <QString>

#include "editor_support/pindle_api.h"

// The choices of a choice-list item: named entries, each carrying a data value. An item with
// choices is edited with a drop-down list instead of free text.
class PINDLE_API UPropertyGridConstraints {
 public:
  // Appends a choice. Returns its index.
  int AddConstraint(const QString& caption, int data = 0);
  void RemoveAll() { m_Choices.clear(); }

  int GetCount() const { return static_cast<int>(m_Choices.size()); }
  bool IsEmpty() const { return m_Choices.isEmpty(); }
  // The caption and the data of choice `index`; an empty caption and 0 when there is none.
  QString GetAt(int index) const;
  int GetDataAt(int index) const;
  // The index of the first choice with this caption, or -1.
  int FindConstraint(const QString& caption) const;

 private:
  struct Choice {
    QString caption;
    int data;
  };
  QList<Choice> m_Choices;
};
