#pragma once

#include "core/foundation/point.h"
#include "core/foundation/rect.h"

// The rubber band of the module cutting view: a rectangle in view pixels (image pixels times the
// view's scale) that snaps to whole cells and stays inside the image. A press outside it starts a
// new rectangle, a press inside moves it, a press on one of its eight handles resizes it.
class CCutBand {
 public:
  // Texture pixels in one snap cell unless SetCell says otherwise.
  static constexpr int kCell = 8;
  // The most view pixels one image pixel covers (the largest zoom on a high-density screen).
  static constexpr int kMaxScale = 64;
  // Half the width of a handle's grip, in view pixels.
  static constexpr int kHandle = 4;

  enum class Hit {
    Outside,
    Inside,
    TopLeft,
    TopRight,
    BottomRight,
    BottomLeft,
    Left,
    Top,
    Right,
    Bottom
  };
  enum class State { Idle, Drawing, Dragging };

  // Sets the image size and the view pixels an image pixel covers: the snap cell becomes the
  // cell size times `scale` and the bounds the scaled image. The rectangle keeps marking the same
  // image pixels.
  void Rescale(int imageWidth, int imageHeight, int scale);
  // Image pixels in one snap cell, from 1 on; takes effect at the next Rescale.
  void SetCell(int texels) { m_Cell = texels < 1 ? 1 : texels; }
  int Cell() const { return m_Cell; }
  // Forgets the rectangle.
  void Clear();
  void SetRect(const URect& rect);

  void Press(UPoint point);
  void Move(UPoint point);
  void Release(UPoint point);

  Hit HitTest(UPoint point) const;
  bool HasRect() const { return m_Rect.right > m_Rect.left && m_Rect.bottom > m_Rect.top; }
  const URect& Rect() const { return m_Rect; }
  const URect& Bounds() const { return m_Bounds; }
  int SnapWidth() const { return m_SnapWidth; }
  int SnapHeight() const { return m_SnapHeight; }
  State GetState() const { return m_State; }

 private:
  // The point moved down to the top-left corner of its snap cell.
  UPoint SnapDown(UPoint point) const;
  // The nearest cell line to `value` along one axis.
  static int SnapNearest(int value, int cell);
  void Resize(UPoint point);
  void MoveTo(UPoint point);
  void ClampToBounds();

  URect m_Rect{0, 0, 0, 0};
  URect m_Anchor{0, 0, 0, 0};
  URect m_Bounds{0, 0, 0, 0};
  int m_Scale = 1;
  int m_Cell = kCell;
  int m_SnapWidth = kCell;
  int m_SnapHeight = kCell;
  State m_State = State::Idle;
  Hit m_Grip = Hit::Outside;
  UPoint m_GrabOffset{0, 0};
};
