#include "editor_support/property_grid/property_grid_constraints.h"

int UPropertyGridConstraints::AddConstraint(const QString& caption, int data) {
  m_Choices.append({caption, data});
  return GetCount() - 1;
}

QString UPropertyGridConstraints::GetAt(int index) const {
  return index >= 0 && index < GetCount() ? m_Choices[index].caption : QString();
}

int UPropertyGridConstraints::GetDataAt(int index) const {
  return index >= 0 && index < GetCount() ? m_Choices[index].data : 0;
}

int UPropertyGridConstraints::FindConstraint(const QString& caption) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (m_Choices[i].caption == caption) {
      return i;
    }
  }
  return -1;
}
