#include "editor/panels/cut_view_accessibility.h"

#include <QAccessibleWidget>
#include <QFileInfo>
#include <algorithm>
#include <vector>

#include "core/anim/obj_actor.h"
#include "core/anim/obj_module.h"
#include "editor/doc/vello_editor.h"
#include "editor/panels/module_cut_view.h"
#include "editor/res/strings.h"
#include "editor/view/accessible_item.h"

namespace {

// The actor's indices of the modules cut from the selected texture, in the actor's order.
std::vector<int> ShownModules(const CVelloEditor& editor) {
  std::vector<int> shown;
  const UObjActor* actor = editor.Actor();
  if (actor == nullptr || editor.SelectedTexture() < 0) {
    return shown;
  }
  for (int index = 0; index < actor->modules.Num(); ++index) {
    const UObjModule* module = actor->modules[static_cast<size_t>(index)];
    if (module != nullptr && module->texture == editor.SelectedTexture()) {
      shown.push_back(index);
    }
  }
  return shown;
}

// The `index`th module of the shown texture.
class CAccessibleModule : public CAccessibleItem {
 public:
  CAccessibleModule(CModuleCutView& view, int index) : CAccessibleItem(&view, index) {}

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) {
      return {};
    }
    const UObjModule& module = Module();
    return QString::fromUtf8(res::kAccessibleModule)
        .arg(ActorIndex())
        .arg(module.left)
        .arg(module.top)
        .arg(module.right - module.left)
        .arg(module.bottom - module.top);
  }

 protected:
  bool Exists() const override { return ActorIndex() >= 0; }
  bool IsSelected() const override { return View().Editor().SelectedModule() == ActorIndex(); }
  void Select() override { View().Editor().SelectModule(ActorIndex()); }
  // The view draws in device pixels from the image's top left at Scroll().
  QRect LocalRect() const override {
    const UObjModule& module = Module();
    const int scale = View().Scale();
    const UPoint scroll = View().Scroll();
    const double ratio = View().devicePixelRatioF();
    const QRectF device(module.left * scale + scroll.x, module.top * scale + scroll.y,
                        (module.right - module.left) * scale, (module.bottom - module.top) * scale);
    return QRectF(device.topLeft() / ratio, device.size() / ratio).toAlignedRect();
  }

 private:
  CModuleCutView& View() const { return *static_cast<CModuleCutView*>(Owner()); }
  int ActorIndex() const {
    const std::vector<int> shown = ShownModules(View().Editor());
    return Index() < static_cast<int>(shown.size()) ? shown[static_cast<size_t>(Index())] : -1;
  }
  const UObjModule& Module() const {
    return *View().Editor().Actor()->modules[static_cast<size_t>(ActorIndex())];
  }
};

class CAccessibleCutView : public QAccessibleWidget {
 public:
  explicit CAccessibleCutView(CModuleCutView& view)
      : QAccessibleWidget(&view, QAccessible::Canvas)
      , m_View(view)
      , m_Modules([&view](int index) { return new CAccessibleModule(view, index); }) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      return widget()->accessibleName().isEmpty() ? QString::fromUtf8(res::kAccessibleCutView)
                                                  : widget()->accessibleName();
    }
    if (t == QAccessible::Description) {
      return QFileInfo(QString::fromStdString(m_View.ShownTexture())).fileName();
    }
    return QAccessibleWidget::text(t);
  }
  int childCount() const override { return static_cast<int>(ShownModules(m_View.Editor()).size()); }
  QAccessibleInterface* child(int index) const override {
    return index >= 0 && index < childCount() ? m_Modules.Item(index) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const int index = m_Modules.IndexOf(child);
    return index < childCount() ? index : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    return m_Modules.ItemAt(childCount(), x, y);
  }

  void Notify(uint32_t changes) {
    if ((changes & (kChangeActor | kChangeTextures | kChangeModules | kChangeSelection)) == 0) {
      return;
    }
    // A texture or module change may give every item another module.
    const std::vector<int> shown = ShownModules(m_View.Editor());
    if (shown != m_ToldModules) {
      m_ToldModules = shown;
      QAccessibleEvent reorder(widget(), QAccessible::ObjectReorder);
      QAccessible::updateAccessibility(&reorder);
    }
    const int selected = m_View.Editor().SelectedModule();
    if (selected == m_ToldSelected) {
      return;
    }
    QAccessible::State changed;
    changed.selected = true;
    for (const int module : {m_ToldSelected, selected}) {
      const auto found = std::find(shown.begin(), shown.end(), module);
      if (found != shown.end()) {
        QAccessibleStateChangeEvent event(child(static_cast<int>(found - shown.begin())), changed);
        QAccessible::updateAccessibility(&event);
      }
    }
    m_ToldSelected = selected;
  }

 private:
  CModuleCutView& m_View;
  mutable CAccessibleItems m_Modules;
  std::vector<int> m_ToldModules;
  int m_ToldSelected = -1;
};

}  // namespace

QAccessibleInterface* CutViewAccessibleFactory(const QString& /*className*/, QObject* object) {
  if (auto* view = dynamic_cast<CModuleCutView*>(object)) {
    return new CAccessibleCutView(*view);
  }
  return nullptr;
}

void NotifyCutViewAccessibility(CModuleCutView& view, uint32_t changes) {
  if (auto* modules =
          dynamic_cast<CAccessibleCutView*>(QAccessible::queryAccessibleInterface(&view))) {
    modules->Notify(changes);
  }
}
