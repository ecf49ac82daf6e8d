#include "editor/doc/editor_listener.h"

CEditorListener::~CEditorListener() = default;
