#include "editor_support/property_grid/pair_item.h"

#include "editor_support/property_grid/value_text.h"

namespace {

long long ChildNumber(const UPropertyGridItem* parent, int index) {
  const auto* child = dynamic_cast<const UPropertyGridItem*>(parent->child(index));
  return child == nullptr ? 0 : ParseInteger(child->GetValue());
}

}  // namespace

UPropertyGridItemPair::UPropertyGridItemPair(const QString& caption, UPropertyGridItem* first,
                                             UPropertyGridItem* second)
    : UPropertyGridItem(caption) {
  AddChildItem(first);
  AddChildItem(second);
  SetReadOnly(true);
  UpdateFromChildren();
}

void UPropertyGridItemPair::UpdateFromChildren() {
  SetValue(QStringLiteral("%1,%2").arg(ChildNumber(this, 0)).arg(ChildNumber(this, 1)));
}

void UPropertyGridItemPair::OnChildValueChanged(UPropertyGridItem* /*child*/) {
  UpdateFromChildren();
}
