#pragma once

#include <QString>
#include <cstdint>

class CTimelineRuler;
class CTimelineTrack;
class CVelloEditor;
class CVelloView;
class QAccessibleInterface;
class QObject;

// What assistive tools read from the drawn widgets of this floor: the animation view says the
// frame it shows and how many placements are selected; the timeline's track lists the keys of the
// selected action as items (time and frame name, selected state, a press action that selects
// them); the ruler says the marked time as its value. Installed with QAccessible::installFactory.
QAccessibleInterface* ViewAccessibleFactory(const QString& className, QObject* object);

// What the animation view shows, e.g. "动作 walk，时间 12：帧 walk_1".
QString ShownFrameText(const CVelloEditor& editor);

// Tell assistive tools that what the view shows may have changed; only a changed text is told.
void NotifyViewAccessibility(CVelloView& view);
// Tell assistive tools which keys changed (the editor context's kChange* bits).
void NotifyTimelineAccessibility(CTimelineTrack& track, uint32_t changes);
