#pragma once

#include <QStringList>
#include <QTreeWidget>
#include <functional>
#include <initializer_list>
#include <vector>

// A report-style list: captioned columns of given widths, whole rows selected one at a time.
// Its rows are rebuilt from the editor's indices; a rebuild never reports a selection, so only
// the user's choice of a row reaches the row-selected handler. A text cut short by its column
// shows whole in a tip when the pointer rests on it.
class CReportList : public QTreeWidget {
 public:
  struct Column {
    const char* caption;  // UTF-8
    int width;
  };
  using RowSelectedHandler = std::function<void(int row)>;

  CReportList(std::initializer_list<Column> columns, QWidget* parent);

  // Told with the row the user selected.
  void SetRowSelectedHandler(RowSelectedHandler handler) { m_RowSelected = std::move(handler); }

  // Replaces every row by `rows` (one text per column) and selects row `selected` (-1: none).
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

  RowSelectedHandler m_RowSelected;
};
