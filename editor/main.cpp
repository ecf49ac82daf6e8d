// Quillet, the sprite animation editor: `quillet` starts with an empty actor, `quillet FILE.an1`
// opens a document.
#include <QApplication>
#include <QSurfaceFormat>

#include "editor/app/vello_app.h"

int main(int argc, char** argv) {
  // The accelerated canvas needs OpenGL 3.3 core in the view's context.
  QSurfaceFormat format;
  format.setVersion(3, 3);
  format.setProfile(QSurfaceFormat::CoreProfile);
  QSurfaceFormat::setDefaultFormat(format);

  QApplication application(argc, argv);
  CVelloApp app;
  app.InitInstance(QApplication::arguments().mid(1));
  return QApplication::exec();
}
