#pragma once

#include <QString>
#include <QWidget>

// The window a docking pane hosts until its panel is built: an empty, bordered panel with the
// panel's window title, so that every pane has its place and its name.
class CPanelPlaceholder : public QWidget {
 public:
  CPanelPlaceholder(const QString& windowTitle, bool bordered, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool m_Bordered;
};
