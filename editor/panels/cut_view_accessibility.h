#pragma once

#include <QString>
#include <cstdint>

class CModuleCutView;
class QAccessibleInterface;
class QObject;

// What assistive tools read from the cutting view: its name, the shown texture's file as its
// description, and the modules cut from that texture as selectable items named with their
// rectangles ("模块 3: 16,0 32×32") and placed on the screen where they are drawn. Installed with
// QAccessible::installFactory.
QAccessibleInterface* CutViewAccessibleFactory(const QString& className, QObject* object);

// Tell assistive tools what a change of the editor context (its kChange*
// bits) did to the modules shown.
void NotifyCutViewAccessibility(CModuleCutView& view, uint32_t changes);
