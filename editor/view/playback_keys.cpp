// The driver headers bring in libepoxy's GL declarations, which must come before Qt's.
#include "editor/doc/vello_editor.h"

#include "editor/view/playback_keys.h"

bool HandlePlaybackKey(CVelloEditor& editor, int qtKey, Qt::KeyboardModifiers modifiers) {
  if ((modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
    return false;
  }
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      editor.TogglePlay();
      return true;
    case Qt::Key_Comma:
      editor.StepKey(-1);
      return true;
    case Qt::Key_Period:
      editor.StepKey(1);
      return true;
    case Qt::Key_Home:
      editor.SelectEndKey(false);
      return true;
    case Qt::Key_End:
      editor.SelectEndKey(true);
      return true;
    default:
      return false;
  }
}
