#pragma once

#include <QCoreApplication>
#include <QEvent>

// Lets queued work finish as an event loop would between user actions: posted events, and the
// widgets that deleteLater() put aside (an item editor closed by a commit, for example).
inline void ProcessEvents() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
}
