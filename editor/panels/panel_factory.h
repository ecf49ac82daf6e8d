#pragma once

class CVelloEditor;
class QWidget;
struct CPaneInfo;

// The panel window that docking pane `pane` hosts, working on `editor`; null for a pane id
// outside the pane table.
QWidget* MakePanel(const CPaneInfo& pane, CVelloEditor& editor, QWidget* parent);
