#include "core/foundation/saturate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();
constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();

}  // namespace

TEST(SaturateCastTest, FloatsTruncateTowardZeroAndSaturateAtTheLimits) {
  // In range: the same as a cast.
  EXPECT_EQ(SaturateCast<int32_t>(2.9f), 2);
  EXPECT_EQ(SaturateCast<int32_t>(-2.9f), -2);
  EXPECT_EQ(SaturateCast<int32_t>(-0.5), 0);
  EXPECT_EQ(SaturateCast<int32_t>(2147483647.9), kMax32);
  EXPECT_EQ(SaturateCast<int32_t>(-2147483648.9), kMin32);
  EXPECT_EQ(SaturateCast<int32_t>(-2147483648.0f), kMin32);
  // Beyond the range, infinities included.
  EXPECT_EQ(SaturateCast<int32_t>(2147483648.0f), kMax32);
  EXPECT_EQ(SaturateCast<int32_t>(1e30f), kMax32);
  EXPECT_EQ(SaturateCast<int32_t>(-1e30f), kMin32);
  EXPECT_EQ(SaturateCast<int32_t>(INFINITY), kMax32);
  EXPECT_EQ(SaturateCast<int32_t>(-INFINITY), kMin32);
  // Not a number.
  EXPECT_EQ(SaturateCast<int32_t>(NAN), 0);
  EXPECT_EQ(SaturateCast<int64_t>(std::nan("")), 0);
  // 64 bits: 2^63 is the first float beyond the range.
  EXPECT_EQ(SaturateCast<int64_t>(9223372036854775808.0f), kMax64);
  EXPECT_EQ(SaturateCast<int64_t>(-9223372036854775808.0f), kMin64);
  EXPECT_EQ(SaturateCast<int64_t>(-1e19), kMin64);
  EXPECT_EQ(SaturateCast<int64_t>(4294967296.5), int64_t{4294967296});
  // Unsigned targets: negatives give 0, fractions above -1 truncate to 0 too.
  EXPECT_EQ(SaturateCast<uint16_t>(-0.9f), 0u);
  EXPECT_EQ(SaturateCast<uint16_t>(-7.0f), 0u);
  EXPECT_EQ(SaturateCast<uint16_t>(65535.9f), 65535u);
  EXPECT_EQ(SaturateCast<uint16_t>(70000.0f), 65535u);
  EXPECT_EQ(SaturateCast<uint32_t>(4294967296.0), 4294967295u);
}

TEST(SaturateCastTest, WideIntegersNarrowByClamping) {
  EXPECT_EQ(SaturateCast<int32_t>(int64_t{kMax32} + 1), kMax32);
  EXPECT_EQ(SaturateCast<int32_t>(int64_t{8} * kMin32), kMin32);
  EXPECT_EQ(SaturateCast<int32_t>(int64_t{-12345}), -12345);
  EXPECT_EQ(SaturateCast<uint8_t>(-1), 0u);
  EXPECT_EQ(SaturateCast<uint8_t>(300), 255u);
  EXPECT_EQ(SaturateCast<int16_t>(uint64_t{1} << 63), int16_t{32767});
  EXPECT_EQ(SaturateCast<int64_t>(std::numeric_limits<uint64_t>::max()), kMax64);
  static_assert(SaturateCast<int32_t>(-1e10) == kMin32, "usable in constant expressions");
}
