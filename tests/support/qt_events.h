#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

// Helpers for Qt tests that act as a user would.

// Lets queued work finish as an event loop would between user actions: posted events, and the
// widgets that deleteLater() put aside (an item editor closed by a commit, for example).
inline void ProcessEvents() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
}

// Runs `user` on the modal dialog once it is up.
inline void WhenModalShows(std::function<void(QWidget*)> user) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, user] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      user(modal);
    }
  });
  timer->start();
}

// Types `text` into `editor` one key at a time; characters beyond ASCII arrive as an input
// method delivers them.
inline void TypeText(QWidget* editor, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(editor, static_cast<char>(c.unicode()));
    } else {
      QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}
