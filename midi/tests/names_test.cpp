#include "midi/names.h"

#include <gtest/gtest.h>

#include "support.h"

namespace midi::test {

// The list after a split and an entry loading the file behind it are the
// window's tests; this is the list's own order.
TEST(ListMidiNames, ListsMidiFilesByNameWithoutRegardToCaseKeepingTheRealName) {
  ScratchFolder folder;
  for (const char* name : {"b.mid", "Zeta.Mid", "a_13.mid", "A.MID", "x.mid", "X.mid", "X.MID.mid",
                           "notes.txt", "mid", ".mid", "song.midi", "a.mid.part"}) {
    folder.Write(name, {0x4D});
  }
  std::filesystem::create_directory(folder.path() / "folder.mid");
  EXPECT_EQ(ListMidiNames(folder.path()), (std::vector<MidiName>{{"A", "A.MID"},
                                                                 {"a_13", "a_13.mid"},
                                                                 {"b", "b.mid"},
                                                                 {"X", "X.mid"},
                                                                 {"x", "x.mid"},
                                                                 {"X.MID", "X.MID.mid"},
                                                                 {"Zeta", "Zeta.Mid"}}));
  EXPECT_TRUE(ListMidiNames(folder.path() / "missing").empty());
}

}  // namespace midi::test
