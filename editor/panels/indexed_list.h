#pragma once

#include <QStringList>
#include <QTableWidget>
#include <functional>
#include <vector>

// A report list whose rows stand for the elements of one list of the actor, in order: row i is
// element i. It shows grid lines, selects whole rows, one at a time, and tells its owner which
// row the user selected or double-clicked. Showing new rows never reports a selection.
class CIndexedList : public QTableWidget {
 public:
  struct Column {
    const char* caption;  // UTF-8
    int width;            // pixels
  };

  CIndexedList(const std::vector<Column>& columns, QWidget* parent);

  // Shows one row per entry of `rows` (a text per column) and highlights row `selected` (none
  // when it is not a row). Rows that stay are rewritten in place, so this is safe to call while
  // the list reports a selection.
  void ShowRows(const std::vector<QStringList>& rows, int selected);

  // Told the row the user selected; a click that leaves no row selected tells nothing.
  std::function<void(int row)> onRowSelected;
  // Told the row the user double-clicked.
  std::function<void(int row)> onRowDoubleClicked;

 private:
  void ReportSelection();
};

// The first column of a row: "[ 3 ]" for the selected element, "  3" (two spaces first) for
// the others.
QString MarkedIndex(int index, bool selected);
// The same marking around a text.
QString MarkedText(const QString& text, bool selected);
