#include <gtest/gtest.h>

#include <cmath>

#include "drivers/accel/geometry.h"

namespace {

void ExpectVector(const RwV3d& actual, float x, float y, float z) {
  EXPECT_NEAR(actual.x, x, 1e-5f);
  EXPECT_NEAR(actual.y, y, 1e-5f);
  EXPECT_NEAR(actual.z, z, 1e-5f);
}

RwV3d Turned(float angle, RwV3d v) {
  const RwMatrixTag m = GetRotateMatrix(angle);
  RwV3d out{};
  TransformVector(&out, &v, &m);
  return out;
}

}  // namespace

TEST(GeometryTest, RotationsTurnClockwiseOnAScreenWithYDown) {
  struct Case {
    float angle;
    float x, y;  // where (1, 0) goes
  };
  const float half = std::sqrt(0.5f);
  const Case cases[] = {{0, 1, 0},    {90, 0, 1},       {180, -1, 0}, {270, 0, -1},
                        {-90, 0, -1}, {45, half, half}, {360, 1, 0},  {30, 0.8660254f, 0.5f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    ExpectVector(Turned(c.angle, {1, 0, 0}), c.x, c.y, 0);
    // (0, 1) turns a quarter further along.
    ExpectVector(Turned(c.angle, {0, 1, 0}), -c.y, c.x, 0);
    ExpectVector(Turned(c.angle, {0, 0, 1}), 0, 0, 1);
  }
}

TEST(GeometryTest, PointsMoveWithTheTranslationAndVectorsDoNot) {
  RwV3d offset{10, 20, 30};
  const RwMatrixTag m = GetTransMatrix(&offset);
  const RwV3d in{1, 2, 3};
  RwV3d out{};
  ExpectVector(*TransformPoint(&out, &in, &m), 11, 22, 33);
  ExpectVector(*TransformVector(&out, &in, &m), 1, 2, 3);

  RwV3d scale{2, 3, 4};
  const RwMatrixTag s = GetScaleMatrix(&scale);
  RwV3d many[2] = {{1, 1, 1}, {-1, 0, 2}};
  TransformVectors(many, many, 2, &s);
  ExpectVector(many[0], 2, 3, 4);
  ExpectVector(many[1], -2, 0, 8);
}

TEST(GeometryTest, CombineModesOrderTheOperations) {
  RwV3d offset{10, 0, 0};
  const RwV3d zAxis{0, 0, 1};
  const RwV3d point{1, 0, 0};
  RwV3d out{};

  // Post-concatenation: rotate first, then translate.
  RwMatrixTag m{};
  MatrixRotate(&m, &zAxis, 90, rwCOMBINEREPLACE);
  MatrixTrans(&m, &offset, rwCOMBINEPOSTCONCAT);
  ExpectVector(*TransformPoint(&out, &point, &m), 10, 1, 0);

  // Pre-concatenation: the translation applies before the rotation.
  MatrixRotate(&m, &zAxis, 90, rwCOMBINEREPLACE);
  MatrixTrans(&m, &offset, rwCOMBINEPRECONCAT);
  ExpectVector(*TransformPoint(&out, &point, &m), 0, 11, 0);

  // The product of a then b applies a first.
  RwMatrixTag a = GetRotateMatrix(90);
  RwMatrixTag b = GetTransMatrix(&offset);
  RwMatrixTag product{};
  MatrixMultiply(&product, &a, &b);
  ExpectVector(*TransformPoint(&out, &point, &product), 10, 1, 0);
  MatrixMultiply(&a, &a, &a);  // aliasing the output is allowed
  ExpectVector(*TransformPoint(&out, &point, &a), -1, 0, 0);

  RwV3d scale{2, 2, 2};
  MatrixScale(&a, &scale, rwCOMBINEREPLACE);
  ExpectVector(*TransformPoint(&out, &point, &a), 2, 0, 0);
}

TEST(GeometryTest, SetIdentityKeepsFlagBitsAlreadySet) {
  RwMatrixTag m = GetRotateMatrix(33);
  m.flags = 0x40;
  MatrixSetIdentity(&m);
  EXPECT_EQ(m.flags, 0x40u | 0x20003u);
  const RwV3d point{3, 4, 5};
  RwV3d out{};
  ExpectVector(*TransformPoint(&out, &point, &m), 3, 4, 5);
}

TEST(GeometryTest, SlerpTakesTheShorterArcAndInterpolatesPositions) {
  RwV3d from{0, 0, 0};
  RwV3d to{10, 20, 0};
  RwMatrixTag start = GetTransMatrix(&from);
  RwMatrixTag end = GetRotateMatrix(90);
  MatrixTrans(&end, &to, rwCOMBINEPOSTCONCAT);
  void* slerp = SlerpCreate(0);
  SlerpInitialize(slerp, &start, &end);
  RwMatrixTag out{};
  const RwV3d unit{1, 0, 0};
  RwV3d v{};
  SlerpGetMatrix(slerp, &out, 0.5f);
  const float half = std::sqrt(0.5f);
  ExpectVector(*TransformVector(&v, &unit, &out), half, half, 0);
  ExpectVector(out.pos, 5, 10, 0);
  SlerpGetMatrix(slerp, &out, 1.0f);
  ExpectVector(*TransformVector(&v, &unit, &out), 0, 1, 0);

  // From 350 to 10 degrees the short way passes 0, not 180.
  start = GetRotateMatrix(350);
  end = GetRotateMatrix(10);
  SlerpInitialize(slerp, &start, &end);
  SlerpGetMatrix(slerp, &out, 0.5f);
  ExpectVector(*TransformVector(&v, &unit, &out), 1, 0, 0);
  SlerpDestroy(slerp);
}

TEST(GeometryTest, PointWithinTriangleUsesTheDominantAxisAndHalfOpenEdges) {
  RwV3d triangle[3] = {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}};
  RwV3d down{0, 0, -1};
  struct Case {
    RwV3d point;
    int inside;
  };
  const Case cases[] = {
      {{1, 1, 0}, 1},     {{5, 5, 0}, 0},       {{3, 3, 0}, 0},
      {{-0.1f, 1, 0}, 0}, {{0.5f, 0.5f, 0}, 1}, {{1, 2.9f, 0}, 1},
  };
  for (const Case& c : cases) {
    RwV3d point = c.point;
    EXPECT_EQ(PointWithinTriangle(&point, triangle, &down), c.inside)
        << c.point.x << ", " << c.point.y;
  }

  // A normal along y projects onto (z, x); along x onto (y, z).
  RwV3d upright[3] = {{0, 7, 0}, {4, 7, 0}, {0, 7, 4}};
  RwV3d alongY{0, 1, 0};
  RwV3d inXz{1, 7, 1};
  RwV3d outXz{3, 7, 3};
  EXPECT_EQ(PointWithinTriangle(&inXz, upright, &alongY), 1);
  EXPECT_EQ(PointWithinTriangle(&outXz, upright, &alongY), 0);
  RwV3d side[3] = {{2, 0, 0}, {2, 4, 0}, {2, 0, 4}};
  RwV3d alongX{-3, 1, 1};
  RwV3d inYz{2, 1, 1};
  EXPECT_EQ(PointWithinTriangle(&inYz, side, &alongX), 1);

  // Seen edge-on (no extent in s), a triangle contains nothing, not even its own points.
  RwV3d flat[3] = {{0, 2, 0}, {4, 2, 0}, {1, 2, 0}};
  RwV3d onIt{1, 2, 0};
  EXPECT_EQ(PointWithinTriangle(&onIt, flat, &down), 0);
}

TEST(GeometryTest, PointWithinBoxTestsBothHalvesAndIgnoresTheMatrix) {
  // A diamond: the halves 0-1-2 and 0-2-3 each hold points the other does not.
  RwV3d corners[4] = {{0, -2, 0}, {2, 0, 0}, {0, 2, 0}, {-2, 0, 0}};
  const RwMatrixTag far = GetRotateMatrix(45);
  struct Case {
    RwV3d point;
    int inside;
  };
  const Case cases[] = {
      {{1, 0, 0}, 1}, {{-1, 0, 0}, 1}, {{0.2f, 0.2f, 0}, 1}, {{1.5f, 1.5f, 0}, 0}, {{-3, 0, 0}, 0}};
  for (const Case& c : cases) {
    RwV3d point = c.point;
    EXPECT_EQ(PointWithinBox(&point, corners), c.inside) << c.point.x << ", " << c.point.y;
    EXPECT_EQ(PointWithinBox(&point, corners, &far), c.inside);
  }
}
