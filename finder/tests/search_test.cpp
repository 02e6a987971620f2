#include "finder/search.h"

#include <gtest/gtest.h>

#include <optional>

namespace finder {
namespace {

TEST(DegreeOf, RoundsHalvesToTheEvenNeighbourWithin16Bits) {
  const struct {
    const char* text;
    std::optional<std::int16_t> degree;
  } rows[] = {{"2.5", 2},
              {"3.5", 4},
              {"-2.5", -2},
              {"2.5001", 3},
              {"", 0},
              {"32767", 32767},
              {"32767.5", std::nullopt},
              {"-32768.6", std::nullopt}};
  for (const auto& row : rows) {
    EXPECT_EQ(DegreeOf(row.text), row.degree) << '"' << row.text << '"';
  }
}

// The run leans on this: a pitch of 1200 cents or below 0 then matches no step
// of any degree and keeps its Deviation and Step throughout.
TEST(BuildStepTable, TheLastStepOfEveryDegreeIsExactly1200) {
  for (std::int32_t n = kMinDegree; n <= kMaxDegree; ++n) {
    ASSERT_EQ(static_cast<float>(1200.0 / n * n), 1200.0f) << "degree " << n;
  }
}

}  // namespace
}  // namespace finder
