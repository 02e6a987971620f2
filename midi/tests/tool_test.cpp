#include "midi/tool.h"

#include <gtest/gtest.h>

#include "midi/messages.h"
#include "support.h"

namespace midi::test {

constexpr Build kAllBuilds[] = {Build::Tessaro5Vu, Build::Tessaro5, Build::Lumbric5};

// The walk's decoding is the walk's test; here what TEST shows of it, build by build.
TEST(TestEt, ShowsOnlyTheWarningsAndTheReasonOfAStop) {
  const Messages warn = {"Çok büyük Tick ! !"};
  const std::string cut = "Dosya beklenmedik biçimde sona eriyor (konum 32).";
  const struct {
    const char* name;
    Bytes events;
    Messages current, earlier;  // Tessaro5Vu; Tessaro5 and Lumbric5
  } rows[] = {
      // clang-format off
      {"clean file", {0x00, 0xFF, 0x2F, 0x00}, {}, {}},
      {"a tempo's 0x90 is a note on to the earlier builds", {0xFF, 0x51, 0x03, 0x90, 0x3C, 0x40, 0xFF, 0xFF, 0xFF, 0x00},
       {}, warn},
      {"warning, then a cut", {0x90, 0x3C, 0x40, 0x81, 0x81, 0x81, 0x00, 0xE0, 0x00}, {warn[0], cut}, {warn[0], cut}},
      {"tempo 0", {0xFF, 0x51, 0x03, 0x00, 0x00, 0x00}, {"Tempo sıfır olamaz (konum 23)."}, {}},
      {"bend overflow", {0xE0, 0xFF, 0xFF}, {"Sayı sınırı aşıldı (konum 23)."}, {"Sayı sınırı aşıldı (konum 23)."}},
      // clang-format on
  };
  for (const auto& row : rows) {
    for (Build build : kAllBuilds) {
      SongFolder run(WithHeader(row.events), build);
      EXPECT_EQ(messages::Of(run.tool.TestEt()), build == Build::Tessaro5Vu ? row.current : row.earlier)
          << row.name << ", build " << static_cast<int>(build);
    }
  }
}

}  // namespace midi::test
