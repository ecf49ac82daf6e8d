// The driver headers bring in libepoxy's GL declarations, which must come before Qt's.
#include "editor/view/vello_view.h"

#include "editor/view/view_accessibility.h"

#include <QAccessibleWidget>
#include <algorithm>
#include <cmath>

#include "editor/doc/editor_text.h"
#include "editor/res/strings.h"
#include "editor/view/accessible_item.h"
#include "editor/view/action_frame_editor.h"
#include "editor/view/timeline_ruler.h"
#include "editor/view/timeline_style.h"
#include "editor/view/timeline_track.h"

namespace {

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

QString Shown(const UName& name) {
  return QString::fromStdString(ShownName(name));
}

const UObjAction* SelectedAction(const CVelloEditor& editor) {
  const UObjActor* actor = editor.Actor();
  const int index = editor.SelectedAction();
  return actor != nullptr && actor->actions.IsValidIndex(index)
             ? actor->actions[static_cast<size_t>(index)]
             : nullptr;
}

uint32_t WholeTime(float time) {
  return time > 0.0f ? static_cast<uint32_t>(std::floor(time)) : 0u;
}

// The accessible name set on the widget, else `fallback`.
QString NameOr(const QWidget* widget, const char* fallback) {
  return widget->accessibleName().isEmpty() ? Text(fallback) : widget->accessibleName();
}

// The animation view: its value is the frame shown, its description adds the selection.
class CAccessibleAnimationView : public QAccessibleWidget {
 public:
  explicit CAccessibleAnimationView(CVelloView& view)
      : QAccessibleWidget(&view, QAccessible::Canvas), m_View(view) {}

  QString text(QAccessible::Text t) const override {
    switch (t) {
      case QAccessible::Name:
        return NameOr(widget(), res::kAccessibleAnimationView);
      case QAccessible::Value:
        return ShownFrameText(m_View.Editor());
      case QAccessible::Description:
        return Described();
      default:
        return QAccessibleWidget::text(t);
    }
  }

  // Tells a changed description.
  void Notify() {
    const QString now = Described();
    if (now == m_Told) {
      return;
    }
    m_Told = now;
    QAccessibleValueChangeEvent value(widget(), ShownFrameText(m_View.Editor()));
    QAccessible::updateAccessibility(&value);
    QAccessibleEvent description(widget(), QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
  }

 private:
  QString Described() const {
    const CVelloEditor& editor = m_View.Editor();
    QString described = ShownFrameText(editor);
    const auto selected = static_cast<int>(editor.SelectedPlacements().size());
    if (selected > 0) {
      described += QStringLiteral("；") + QString::asprintf(res::kPlacementsSelected, selected);
    }
    return described;
  }

  CVelloView& m_View;
  QString m_Told;
};

class CAccessibleKey : public CAccessibleItem {
 public:
  CAccessibleKey(CTimelineTrack& track, int index) : CAccessibleItem(&track, index) {}

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) {
      return {};
    }
    const CVelloEditor& editor = Track().Editor();
    const TActionFrame& key = Key();
    const UObjActor& actor = *editor.Actor();
    const QString frame = actor.frames.IsValidIndex(static_cast<int>(key.frame))
                              ? Shown(actor.frames[key.frame]->name)
                              : QString::number(key.frame);
    return Text(res::kAccessibleKey).arg(key.time).arg(frame);
  }

 protected:
  bool Exists() const override {
    const UObjAction* action = SelectedAction(Track().Editor());
    return action != nullptr && action->keys.IsValidIndex(Index());
  }
  bool IsSelected() const override { return Track().Editor().SelectedActionFrame() == Index(); }
  void Select() override { Track().Editor().SelectActionFrame(Index()); }
  QRect LocalRect() const override {
    const int64_t cell = int64_t{Key().time} - int64_t{Track().FirstTime()};
    const int64_t x = std::clamp<int64_t>(cell * timeline::kCellWidth, -Owner()->width() - 1,
                                          Owner()->width() + 1);
    return {static_cast<int>(x), 0, timeline::kCellWidth, timeline::kTrackHeight};
  }

 private:
  CTimelineTrack& Track() const { return *static_cast<CTimelineTrack*>(Owner()); }
  const TActionFrame& Key() const {
    return SelectedAction(Track().Editor())->keys[static_cast<size_t>(Index())];
  }
};

// The track: a list of the selected action's keys.
class CAccessibleTimeline : public QAccessibleWidget {
 public:
  explicit CAccessibleTimeline(CTimelineTrack& track)
      : QAccessibleWidget(&track, QAccessible::List)
      , m_Track(track)
      , m_Keys([&track](int index) { return new CAccessibleKey(track, index); }) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      return NameOr(widget(), res::kAccessibleTimeline);
    }
    if (t == QAccessible::Description) {
      const UObjAction* action = SelectedAction(m_Track.Editor());
      return action != nullptr ? Shown(action->name) : QString();
    }
    return QAccessibleWidget::text(t);
  }
  int childCount() const override {
    const UObjAction* action = SelectedAction(m_Track.Editor());
    return action != nullptr ? action->keys.Num() : 0;
  }
  QAccessibleInterface* child(int index) const override {
    return index >= 0 && index < childCount() ? m_Keys.Item(index) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const int index = m_Keys.IndexOf(child);
    return index < childCount() ? index : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    return m_Keys.ItemAt(childCount(), x, y);
  }

  // Tells what a change of the editor context did to the keys.
  void Notify(uint32_t changes) {
    if ((changes & (kChangeActor | kChangeActions | kChangeActionKeys | kChangeFrames)) != 0) {
      QAccessibleEvent reorder(widget(), QAccessible::ObjectReorder);
      QAccessible::updateAccessibility(&reorder);
    }
    const int selected = m_Track.Editor().SelectedActionFrame();
    if (selected == m_ToldSelected) {
      return;
    }
    QAccessible::State changed;
    changed.selected = true;
    for (const int index : {m_ToldSelected, selected}) {
      if (QAccessibleInterface* key = child(index)) {
        QAccessibleStateChangeEvent event(key, changed);
        QAccessible::updateAccessibility(&event);
      }
    }
    m_ToldSelected = selected;
  }

 private:
  CTimelineTrack& m_Track;
  mutable CAccessibleItems m_Keys;
  int m_ToldSelected = -1;
};

// The ruler: its value is the marked time, the current one but while a key is dragged.
class CAccessibleRuler : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit CAccessibleRuler(CTimelineRuler& ruler)
      : QAccessibleWidget(&ruler, QAccessible::Indicator), m_Ruler(ruler) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      return NameOr(widget(), res::kAccessibleRuler);
    }
    if (t == QAccessible::Value) {
      return QString::number(m_Ruler.MarkTime());
    }
    return QAccessibleWidget::text(t);
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                               : QAccessibleWidget::interface_cast(type);
  }

  QVariant currentValue() const override { return m_Ruler.MarkTime(); }
  // Setting the value moves the play position there, as a press on the track does.
  void setCurrentValue(const QVariant& value) override {
    bool ok = false;
    const uint32_t time = value.toUInt(&ok);
    auto* timeline = dynamic_cast<MyActionFrameEditor*>(m_Ruler.parentWidget());
    if (ok && timeline != nullptr) {
      timeline->Track().Editor().PickTime(time);
    }
  }
  QVariant maximumValue() const override { return QVariant::fromValue(UINT32_MAX); }
  QVariant minimumValue() const override { return 0u; }
  QVariant minimumStepSize() const override { return 1u; }

 private:
  CTimelineRuler& m_Ruler;
};

}  // namespace

QString ShownFrameText(const CVelloEditor& editor) {
  const UObjActor* actor = editor.Actor();
  const UObjAction* action = SelectedAction(editor);
  // While it plays the frame changes many times a second, more than a listener can follow.
  if (actor != nullptr && action != nullptr && editor.IsPlaying()) {
    return Text(res::kAccessiblePlaying).arg(Shown(action->name));
  }
  const int frame = editor.ShownFrame();
  if (actor == nullptr || !actor->frames.IsValidIndex(frame)) {
    return Text(res::kAccessibleNoFrame);
  }
  const QString name = Shown(actor->frames[static_cast<size_t>(frame)]->name);
  if (action != nullptr && editor.SelectedActionFrame() >= 0) {
    return Text(res::kAccessibleShownKey)
        .arg(Shown(action->name), QString::number(WholeTime(editor.PlayTime())), name);
  }
  return Text(res::kAccessibleShownFrame).arg(name);
}

QAccessibleInterface* ViewAccessibleFactory(const QString& /*className*/, QObject* object) {
  if (auto* view = dynamic_cast<CVelloView*>(object)) {
    return new CAccessibleAnimationView(*view);
  }
  if (auto* track = dynamic_cast<CTimelineTrack*>(object)) {
    return new CAccessibleTimeline(*track);
  }
  if (auto* ruler = dynamic_cast<CTimelineRuler*>(object)) {
    return new CAccessibleRuler(*ruler);
  }
  return nullptr;
}

void NotifyViewAccessibility(CVelloView& view) {
  if (auto* shown =
          dynamic_cast<CAccessibleAnimationView*>(QAccessible::queryAccessibleInterface(&view))) {
    shown->Notify();
  }
}

void NotifyTimelineAccessibility(CTimelineTrack& track, uint32_t changes) {
  if (auto* keys =
          dynamic_cast<CAccessibleTimeline*>(QAccessible::queryAccessibleInterface(&track))) {
    keys->Notify(changes);
  }
}
