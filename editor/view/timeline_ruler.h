#pragma once

#include <QWidget>
#include <cstdint>

// The timeline's ruler: one 8-pixel cell per time unit from `firstTime`, a longer tick and the
// time written every fifth cell, and the marked cell in red.
class CTimelineRuler : public QWidget {
 public:
  explicit CTimelineRuler(QWidget* parent = nullptr);

  void SetFirstTime(uint32_t time);
  void SetMarkTime(uint32_t time);
  uint32_t FirstTime() const { return m_FirstTime; }
  uint32_t MarkTime() const { return m_MarkTime; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  uint32_t m_FirstTime = 0;
  uint32_t m_MarkTime = 0;
};
