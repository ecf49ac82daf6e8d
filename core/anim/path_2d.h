#pragma once

#include <cstdint>
#include <vector>

#include "core/core_api.h"
#include "core/foundation/name.h"
#include "core/foundation/point.h"

class UCanvas;

// A named 2D shape that draws itself on a canvas; the base draws nothing.
class CORE_API U2DObject {
 public:
  U2DObject() = default;
  U2DObject(const U2DObject&) = default;
  U2DObject& operator=(const U2DObject&) = default;
  virtual ~U2DObject();

  virtual void Render(UCanvas& canvas);

  uint16_t type = 0;
  UName name;
  uint32_t color = 0;  // 0xAARRGGBB, as every canvas colour
};

// A polyline of at most 512 points drawn as connected segments, with optional markers on its
// points (a movement route over a map, for instance).
class CORE_API U2DPath : public U2DObject {
 public:
  static constexpr uint16_t kType = 3;
  static constexpr int kMaxPoints = 512;

  U2DPath();
  U2DPath(const U2DPath&) = default;
  U2DPath& operator=(const U2DPath&) = default;
  ~U2DPath() override;

  // Appends the point while fewer than 512 are held; otherwise does nothing.
  void AddPoint(UPoint point);
  // Removes the point at `index`, or the last one when `index` is at or past the end; a negative
  // index or an empty path changes nothing.
  void DelPoint(int index);
  // The point at `index`, or null outside the path. The pointer stays valid until the path
  // changes.
  UPoint* GetPoint(int index);
  UPoint* GetLast();
  int GetNumPoints() const { return static_cast<int>(m_Points.size()); }

  // Lines between consecutive points in the path's colour, then, with `showPoints`, a yellow and a
  // red square marker around every point.
  void Render(UCanvas& canvas) override;

  bool showPoints = false;

 private:
  std::vector<UPoint> m_Points;
};
