#pragma once

#include <QStringList>
#include <QTreeWidget>
#include <functional>
#include <initializer_list>
#include <vector>

// A report-style list whose rows stand for the elements of one list of the actor, in order: row
// i is element i. Captioned columns of given widths, whole rows selected one at a time. Its rows
// are rebuilt from the editor's indices; a rebuild never reports a selection, so only the user's
// choice of a row reaches the row-selected handler. A rebuild rewrites the rows there are in
// place, so it is safe while the list reports a selection. A text cut short by its column shows
// whole in a tip when the pointer rests on it.
class CReportList : public QTreeWidget {
 public:
  struct Column {
    const char* caption;  // UTF-8
    int width;            // pixels
  };
  using RowHandler = std::function<void(int row)>;
  using RowsHandler = std::function<void(const std::vector<int>& rows, int current)>;

  CReportList(std::initializer_list<Column> columns, QWidget* parent);

  // Told with the row the user selected; a click that leaves no row selected tells nothing.
  void SetRowSelectedHandler(RowHandler handler) { m_RowSelected = std::move(handler); }
  // Lets the user select several rows (Ctrl and Shift clicks, Ctrl+A): the handler is then told,
  // instead of the row handler, with every selected row in order and the row clicked last. A
  // click that leaves no row selected tells nothing.
  void SetRowsSelectedHandler(RowsHandler handler);
  // Selects exactly the rows `rows` (those outside the list left out), `current` the current one.
  void SelectRows(const std::vector<int>& rows, int current);
  // Told with the row the user double-clicked.
  void SetRowDoubleClickedHandler(RowHandler handler) { m_RowDoubleClicked = std::move(handler); }

  // Shows one row per entry of `rows` (a text per column; missing texts are empty) and selects
  // row `selected` (none when it is not a row). Rows that stay are rewritten in place.
  void SetRows(const std::vector<QStringList>& rows, int selected);
  // Rewrites the texts of the rows there are, keeping the rows, their selection and scrolling.
  // False (nothing changed) when `rows` has another number of rows.
  bool RewriteRows(const std::vector<QStringList>& rows);
  // Selects row `row`, or none for a row outside the list.
  void SelectRow(int row);
  // The selected row, -1 for none.
  int SelectedRow() const;

 protected:
  bool viewportEvent(QEvent* event) override;

 private:
  void OnSelectionChanged();
  void WriteRow(QTreeWidgetItem* item, const QStringList& texts);

  RowHandler m_RowSelected;
  RowsHandler m_RowsSelected;
  RowHandler m_RowDoubleClicked;
};

// The first column of a row: "[ 3 ]" for the selected element, "  3" (two spaces first) for
// the others.
QString MarkedIndex(int index, bool selected);
// The same marking around a text.
QString MarkedText(const QString& text, bool selected);
