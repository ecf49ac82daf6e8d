#include "editor/res/command_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include "editor/res/command_ids.h"

namespace {

constexpr int kSize = 32;

const char* ThemeName(int id) {
  switch (id) {
    case cmd::kFileNew:
      return "document-new";
    case cmd::kFileOpen:
      return "document-open";
    case cmd::kFileSave:
      return "document-save";
    case cmd::kEditCut:
      return "edit-cut";
    case cmd::kEditCopy:
      return "edit-copy";
    case cmd::kEditPaste:
      return "edit-paste";
    case cmd::kFilePrint:
      return "document-print";
    case cmd::kAppAbout:
      return "help-about";
    case cmd::kPlay:
      return "media-playback-start";
    case cmd::kStop:
      return "media-playback-stop";
    case cmd::kLoop:
      return "media-playlist-repeat";
    case cmd::kZoomIn:
      return "zoom-in";
    case cmd::kZoomOut:
      return "zoom-out";
    case cmd::kFlipHorizontal:
      return "object-flip-horizontal";
    case cmd::kFlipVertical:
      return "object-flip-vertical";
    case cmd::kRotate:
      return "object-rotate-right";
    default:
      return nullptr;
  }
}

// A sheet of paper with a folded corner.
void DrawPage(QPainter& p) {
  QPolygonF page({{7, 3}, {20, 3}, {26, 9}, {26, 29}, {7, 29}});
  p.setBrush(Qt::white);
  p.drawPolygon(page);
  p.drawPolyline(QPolygonF({{20, 3}, {20, 9}, {26, 9}}));
}

void DrawMagnifier(QPainter& p, bool plus) {
  p.setBrush(QColor(220, 235, 255));
  p.drawEllipse(QRectF(4, 4, 17, 17));
  p.setPen(QPen(QColor(60, 60, 60), 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(19, 19), QPointF(28, 28));
  p.setPen(QPen(QColor(20, 20, 20), 2));
  p.drawLine(QPointF(8, 12.5), QPointF(17, 12.5));
  if (plus) {
    p.drawLine(QPointF(12.5, 8), QPointF(12.5, 17));
  }
}

// A shape with its mirror image across the middle line.
void DrawFlip(QPainter& p, bool horizontal) {
  p.save();
  if (!horizontal) {
    p.translate(kSize, 0);
    p.rotate(90);
  }
  p.setBrush(QColor(40, 110, 200));
  p.drawPolygon(QPolygonF({{14, 6}, {14, 26}, {3, 26}}));
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF({{18, 6}, {18, 26}, {29, 26}}));
  p.setPen(QPen(Qt::black, 1, Qt::DashLine));
  p.drawLine(QPointF(16, 2), QPointF(16, 30));
  p.restore();
}

// A pane toggle: a window outline with the pane's part shaded.
void DrawPaneToggle(QPainter& p, int id) {
  p.setBrush(Qt::white);
  p.drawRect(QRectF(3, 5, 26, 22));
  p.setBrush(QColor(40, 110, 200));
  switch (id) {
    case cmd::kShowModulePane:
      p.drawRect(QRectF(3, 5, 9, 11));
      break;
    case cmd::kShowModuleListPane:
      p.drawRect(QRectF(3, 16, 9, 11));
      break;
    case cmd::kShowActionPane:
      p.drawRect(QRectF(20, 5, 9, 7));
      break;
    case cmd::kShowActionFramePane:
      p.drawRect(QRectF(20, 12, 9, 8));
      break;
    default:
      p.drawRect(QRectF(20, 20, 9, 7));
      break;
  }
}

bool DrawCommand(QPainter& p, int id) {
  switch (id) {
    case cmd::kFileNew:
      DrawPage(p);
      return true;
    case cmd::kFileOpen:
      p.setBrush(QColor(240, 200, 80));
      p.drawPolygon(QPolygonF({{3, 8}, {12, 8}, {14, 11}, {28, 11}, {28, 27}, {3, 27}}));
      return true;
    case cmd::kFileSave:
      p.setBrush(QColor(60, 90, 170));
      p.drawRect(QRectF(4, 4, 24, 24));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(9, 4, 14, 9));
      p.drawRect(QRectF(8, 18, 16, 10));
      return true;
    case cmd::kEditCut:
      p.drawEllipse(QRectF(5, 20, 8, 8));
      p.drawEllipse(QRectF(19, 20, 8, 8));
      p.drawLine(QPointF(11, 21), QPointF(22, 4));
      p.drawLine(QPointF(21, 21), QPointF(10, 4));
      return true;
    case cmd::kEditCopy:
      p.setBrush(Qt::white);
      p.drawRect(QRectF(4, 4, 15, 19));
      p.drawRect(QRectF(12, 10, 15, 19));
      return true;
    case cmd::kEditPaste:
      p.setBrush(QColor(190, 150, 90));
      p.drawRect(QRectF(5, 5, 20, 24));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(11, 12, 15, 17));
      return true;
    case cmd::kFilePrint:
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(QRectF(3, 13, 26, 11));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(8, 4, 16, 9));
      p.drawRect(QRectF(8, 21, 16, 8));
      return true;
    case cmd::kAppAbout:
      p.setBrush(QColor(40, 110, 200));
      p.drawEllipse(QRectF(3, 3, 26, 26));
      p.setPen(QPen(Qt::white, 3));
      p.drawLine(QPointF(16, 14), QPointF(16, 24));
      p.drawPoint(QPointF(16, 9));
      return true;
    case cmd::kPlay:
      p.setBrush(QColor(30, 150, 60));
      p.drawPolygon(QPolygonF({{8, 4}, {27, 16}, {8, 28}}));
      return true;
    case cmd::kStop:
      p.setBrush(QColor(190, 40, 40));
      p.drawRect(QRectF(7, 7, 18, 18));
      return true;
    case cmd::kLoop:
      p.setPen(QPen(QColor(30, 120, 60), 3));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(5, 7, 22, 18), 30 * 16, 300 * 16);
      p.setBrush(QColor(30, 120, 60));
      p.drawPolygon(QPolygonF({{24, 3}, {29, 11}, {20, 11}}));
      return true;
    case cmd::kZoomIn:
    case cmd::kZoomOut:
      DrawMagnifier(p, id == cmd::kZoomIn);
      return true;
    case cmd::kBoxSelect:
      p.setPen(QPen(Qt::black, 2, Qt::DashLine));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(5, 5, 22, 22));
      return true;
    case cmd::kCentre:
      p.setPen(QPen(QColor(200, 40, 40), 2));
      p.drawLine(QPointF(16, 3), QPointF(16, 29));
      p.drawLine(QPointF(3, 16), QPointF(29, 16));
      p.drawEllipse(QRectF(11, 11, 10, 10));
      return true;
    case cmd::kGrid:
      for (int i = 4; i <= 28; i += 8) {
        p.drawLine(QPointF(i, 4), QPointF(i, 28));
        p.drawLine(QPointF(4, i), QPointF(28, i));
      }
      return true;
    case cmd::kAlign:
      p.setPen(QPen(QColor(150, 150, 150), 1));
      for (int i = 4; i <= 28; i += 8) {
        p.drawLine(QPointF(i, 4), QPointF(i, 28));
        p.drawLine(QPointF(4, i), QPointF(28, i));
      }
      p.setPen(QPen(Qt::black, 1));
      p.setBrush(QColor(40, 110, 200));
      p.drawRect(QRectF(12, 12, 8, 8));
      return true;
    case cmd::kTagMode:
      p.setBrush(QColor(240, 200, 80));
      p.drawPolygon(QPolygonF({{4, 10}, {20, 10}, {28, 16}, {20, 22}, {4, 22}}));
      p.setBrush(Qt::white);
      p.drawEllipse(QRectF(18, 14, 4, 4));
      return true;
    case cmd::kOnionSkin:
      // Three stacked figures: a red one behind on the left, a green one on the right, and the
      // frame itself in front.
      p.setBrush(QColor(235, 120, 120));
      p.drawRoundedRect(QRectF(2, 6, 12, 20), 4, 4);
      p.setBrush(QColor(110, 210, 130));
      p.drawRoundedRect(QRectF(18, 6, 12, 20), 4, 4);
      p.setBrush(QColor(40, 110, 200));
      p.drawRoundedRect(QRectF(9, 4, 14, 24), 4, 4);
      return true;
    case cmd::kFlipHorizontal:
    case cmd::kFlipVertical:
      DrawFlip(p, id == cmd::kFlipHorizontal);
      return true;
    case cmd::kRotate:
      p.setPen(QPen(QColor(40, 110, 200), 3));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(5, 5, 22, 22), 90 * 16, -270 * 16);
      p.setBrush(QColor(40, 110, 200));
      p.drawPolygon(QPolygonF({{12, 1}, {19, 5}, {12, 10}}));
      return true;
    case cmd::kShowModulePane:
    case cmd::kShowModuleListPane:
    case cmd::kShowActionPane:
    case cmd::kShowActionFramePane:
    case cmd::kShowFramePane:
      DrawPaneToggle(p, id);
      return true;
    default:
      return false;
  }
}

}  // namespace

QIcon CommandIcon(int commandId) {
  if (const char* name = ThemeName(commandId)) {
    if (QIcon::hasThemeIcon(name)) {
      return QIcon::fromTheme(name);
    }
  }
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(30, 30, 30), 1.5));
  if (!DrawCommand(painter, commandId)) {
    return QIcon();
  }
  painter.end();
  return QIcon(pixmap);
}
