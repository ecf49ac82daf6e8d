#include "editor_support/property_grid/my_property_grid_item_rgba.h"

#include <QColor>
#include <QPainter>
#include <QStringList>

#include "editor_support/dialogs/color_picker.h"
#include "editor_support/property_grid/property_grid.h"
#include "editor_support/property_grid/value_text.h"

namespace {

// The swatch takes this much of the value's left side; the text and the editor start after it.
constexpr int kSwatchSpace = 25;

uint8_t ChannelFromText(const QString& text) {
  const long long value = ParseInteger(text);
  return value > 254 ? 255 : static_cast<uint8_t>(value);
}

}  // namespace

MyPropertyGridItemRGBA::MyPropertyGridItemRGBA(const QString& caption, RGBA value, RGBA* binding)
    : UPropertyGridItem(caption), m_Binding(binding) {
  SetInplaceButton(true);
  SetColor(value);
}

void MyPropertyGridItemRGBA::SetColor(RGBA value) {
  m_Value = value;
  if (m_Binding != nullptr) {
    *m_Binding = value;
  }
  UPropertyGridItem::SetValue(RGBToString(value));
}

void MyPropertyGridItemRGBA::BindToColor(RGBA* binding) {
  m_Binding = binding;
  if (m_Binding != nullptr) {
    *m_Binding = m_Value;
  }
}

QString MyPropertyGridItemRGBA::RGBToString(RGBA color) {
  return QString::asprintf("%i; %i; %i ;%i ", color.Red(), color.Green(), color.Blue(),
                           color.Alpha());
}

RGBA MyPropertyGridItemRGBA::StringToRGB(const QString& text) {
  const QStringList fields = text.split(';');
  uint8_t channels[4] = {};
  for (int i = 0; i < 4 && i < fields.size(); ++i) {
    channels[i] = ChannelFromText(fields[i]);
  }
  return RGBA::FromChannels(channels[0], channels[1], channels[2], channels[3]);
}

void MyPropertyGridItemRGBA::SetValue(const QString& text) {
  SetColor(StringToRGB(text));
}

bool MyPropertyGridItemRGBA::OnDrawItemValue(QPainter& painter, const QRect& valueRect) {
  const QRect swatch(QPoint(valueRect.left() - 2, valueRect.top() + 1),
                     QPoint(valueRect.left() + 18, valueRect.bottom() - 1));
  painter.setBrush(QColor(m_Value.Red(), m_Value.Green(), m_Value.Blue()));
  painter.drawRect(swatch);
  const QRect text_rect = valueRect.adjusted(kSwatchSpace, 0, 0, 0);
  painter.drawText(text_rect, Qt::AlignLeft | Qt::AlignVCenter, GetValue());
  return true;
}

void MyPropertyGridItemRGBA::OnInplaceButtonDown() {
  // The dialog shows the colour the swatch shows: red, green and blue of the 0xAARRGGBB value.
  const QColor initial(m_Value.Red(), m_Value.Green(), m_Value.Blue());
  QColor picked;
  if (!PickColor(initial, GetGrid(), &picked)) {
    return;
  }
  const RGBA chosen =
      RGBA::FromChannels(static_cast<uint8_t>(picked.red()), static_cast<uint8_t>(picked.green()),
                         static_cast<uint8_t>(picked.blue()), 255);
  OnValueChanged(RGBToString(chosen));
}

QRect MyPropertyGridItemRGBA::GetValueRect(const QRect& cellRect) const {
  return cellRect.adjusted(kSwatchSpace, 0, 0, 0);
}
