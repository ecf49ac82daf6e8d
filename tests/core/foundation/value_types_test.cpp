#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/foundation/point.h"
#include "core/foundation/random.h"
#include "core/foundation/range.h"
#include "core/foundation/rect.h"
#include "core/foundation/vector.h"

TEST(URectTest, SizesAndInclusiveHitTests) {
  URect rect(0, 0, 10, 10);
  EXPECT_EQ(rect.GetWidth(), 10);
  EXPECT_EQ(rect.GetHeight(), 10);
  UPoint corner(10, 10);
  UPoint outside(11, 5);
  EXPECT_TRUE(rect.PtInRect(corner));
  EXPECT_FALSE(rect.PtInRect(outside));
  EXPECT_TRUE(rect.Collision(URect(10, 10, 20, 20)));
  EXPECT_FALSE(rect.Collision(URect(11, 0, 20, 10)));
  EXPECT_FALSE(rect.Collision(URect(0, -5, 10, -1)));
}

TEST(URectTest, CenterTruncatesTowardZero) {
  EXPECT_EQ(URect(0, 0, 9, 9).Center(), UPoint(4, 4));
  EXPECT_EQ(URect(-9, -9, 0, 0).Center(), UPoint(-4, -4));
  // Edges near the limits of the int range: the sum passes the range, the midpoint does not.
  constexpr int32_t kMax = 2147483647;
  EXPECT_EQ(URect(kMax - 2, kMax - 4, kMax, kMax).Center(), UPoint(kMax - 1, kMax - 2));
  EXPECT_EQ(URect(-kMax - 1, -kMax - 1, -kMax + 1, -kMax - 1).Center(), UPoint(-kMax, -kMax - 1));
}

TEST(URectTest, MirrorKeepsSize) {
  URect rect(2, 0, 5, 1);
  rect.MirrorX(10);
  EXPECT_EQ(rect.left, 15);
  EXPECT_EQ(rect.right, 18);
  URect tall(0, 3, 1, 7);
  tall.MirrorY(0);
  EXPECT_EQ(tall.top, -7);
  EXPECT_EQ(tall.bottom, -3);
}

TEST(UPointTest, PlusAndMinusChangeTheLeftOperand) {
  UPoint p(1, 2);
  UPoint q(3, 4);
  UPoint& sum = p + q;
  EXPECT_EQ(&sum, &p);
  EXPECT_EQ(p, UPoint(4, 6));
  EXPECT_EQ(q, UPoint(3, 4));
  p - q;
  EXPECT_EQ(p, UPoint(1, 2));

  UPoint16 a(1, -2);
  a + UPoint16(2, 2);
  EXPECT_EQ(a.x, 3);
  EXPECT_EQ(a.y, 0);
}

TEST(UVectorTest, ComponentwiseArithmetic) {
  const UVector a(1, 2, 3);
  const UVector b(4, 5, 6);
  EXPECT_EQ(a + b, UVector(5, 7, 9));
  EXPECT_EQ(b - a, UVector(3, 3, 3));
  EXPECT_EQ(a * b, UVector(4, 10, 18));
  EXPECT_EQ(b / a, UVector(4, 2.5f, 2));
  EXPECT_EQ(a * 2.0f, UVector(2, 4, 6));
  EXPECT_EQ(-a, UVector(-1, -2, -3));
  UVector c = a;
  const UVector returned = (c += b);
  EXPECT_EQ(c, UVector(5, 7, 9));
  EXPECT_EQ(returned, c);
  EXPECT_EQ(UVector(3, -1, 2).GetMax(), 3);
  EXPECT_EQ(UVector(3, -1, 2).GetMin(), -1);
  EXPECT_FLOAT_EQ(UVector(2, 3, 6).Size(), 7);
  EXPECT_TRUE(UVector().IsZero());
}

TEST(UVectorTest, IndexingFallsBackToTheLastComponent) {
  EXPECT_EQ(UVector2(1, 2)[0], 1);
  EXPECT_EQ(UVector2(1, 2)[7], 2);
  EXPECT_EQ(UVector(1, 2, 3)[1], 2);
  EXPECT_EQ(UVector(1, 2, 3)[5], 3);
  EXPECT_EQ(UVector(1, 2, 3)[-1], 3);
}

TEST(UVectorTest, NormalizeAndProjection) {
  UVector2 v(3, 4);
  EXPECT_TRUE(v.Normalize());
  EXPECT_FLOAT_EQ(v.x, 0.6f);
  EXPECT_FLOAT_EQ(v.y, 0.8f);
  UVector2 zero;
  EXPECT_TRUE(zero.Normalize());
  EXPECT_FALSE(std::isfinite(zero.x));
  EXPECT_EQ(UVector(2, 4, 2).Projection(), UVector(1, 2, 1));
  EXPECT_EQ(UVector2Absoult(1.5f, 3).GetVector2d(), UVector2(0, 0));
}

TEST(URangeTest, OrdersItsBounds) {
  URange range(5, 1);
  EXPECT_EQ(range.min, 1);
  EXPECT_EQ(range.max, 5);
  EXPECT_EQ(range.GetCenter(), 3);
  EXPECT_EQ(range.Size(), 4);
  range.min = 9;  // written directly, out of order
  EXPECT_EQ(range.GetMin(), 5);
  EXPECT_EQ(range.GetMax(), 9);
}

TEST(URangeTest, RandomValuesStayInsideTheRange) {
  std::srand(12345);
  const URange range(-2.0f, 3.0f);
  bool saw_low_half = false;
  bool saw_high_half = false;
  for (int i = 0; i < 2000; ++i) {
    const float value = range.GetRand();
    ASSERT_GE(value, -2.0f);
    ASSERT_LE(value, 3.0f);
    (value < 0.5f ? saw_low_half : saw_high_half) = true;
    const float coarse = range.GetSRand();
    ASSERT_GT(coarse, -2.0f);
    ASSERT_LE(coarse, 3.0f);
  }
  EXPECT_TRUE(saw_low_half);
  EXPECT_TRUE(saw_high_half);
}

TEST(RandomTest, Rand15CoversFifteenBits) {
  std::srand(1);
  int highest = 0;
  for (int i = 0; i < 5000; ++i) {
    const int r = appRand15();
    ASSERT_GE(r, 0);
    ASSERT_LE(r, 32767);
    highest = std::max(highest, r);
  }
  EXPECT_GT(highest, 30000);
}

TEST(RandomTest, SeededGeneratorFollowsItsRecurrence) {
  appSRandInit(0);
  EXPECT_EQ(appSRand(), static_cast<float>(907633515u & 0x7FFFFFu) / 8388608.0f);
  const uint32_t second = 907633515u * 196314165u + 907633515u;
  EXPECT_EQ(appSRand(), static_cast<float>(second & 0x7FFFFFu) / 8388608.0f);
  appSRandInit(-1);
  const float value = appSRand();
  EXPECT_GE(value, 0.0f);
  EXPECT_LT(value, 1.0f);
}
