#include "finder/files.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "finder/result.h"
#include "support.h"

namespace finder {
namespace {

using Listing = std::map<std::string, std::string>;

// Every file of a folder with its content.
Listing ListingOf(const std::filesystem::path& folder) {
  Listing listing;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    listing[entry.path().filename().string()] = test::ReadAll(entry.path());
  }
  return listing;
}

// The system's calls, each write taking at most seven bytes, as the system may
// do, and one step failing as a full disk makes it: the `failingWrite`-th
// write (from 1), the flush, the close or the rename.
class FailingCalls : public SaveCalls {
 public:
  enum class Step { None, Write, Flush, Close, Rename };

  FailingCalls(Step step, int failingWrite = 0) : step_(step), failingWrite_(failingWrite) {}

  std::int64_t Write(int file, const char* data, std::size_t size) override {
    if (++writes == failingWrite_ && step_ == Step::Write) return Fail();
    return SaveCalls::Write(file, data, std::min<std::size_t>(size, 7));
  }
  bool Flush(int file) override { return step_ != Step::Flush && SaveCalls::Flush(file); }
  bool Close(int file) override {
    const bool closed = SaveCalls::Close(file);
    return step_ != Step::Close && closed;
  }
  bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    return step_ != Step::Rename && SaveCalls::Rename(from, to);
  }

  int writes = 0;

 private:
  static std::int64_t Fail() {
    errno = ENOSPC;
    return -1;
  }

  Step step_;
  int failingWrite_;
};

// The result file of the worked example replacing an older, longer one.
const std::string kOlder = "older result\r\n" + std::string(200, '-') + "\r\n";
const std::string kNewer = [] {
  test::Fixture f(test::kThreePitches);
  f.Run(test::Single("12", Criterion::MaxDeviation, "11"));
  return *f.finder.SonucYaz('.');
}();

TEST(SaveWhole, AStepThatFailsLeavesTheFolderAsItWas) {
  using Step = FailingCalls::Step;
  FailingCalls counting(Step::None);
  {
    test::ScratchFolder scratch;
    ASSERT_TRUE(SaveWhole(scratch.path() / kResultFile, kNewer, counting));
  }
  const int writes = counting.writes;
  ASSERT_EQ(writes, static_cast<int>((kNewer.size() + 6) / 7));

  for (const bool older : {false, true}) {
    for (int k = 1; k <= writes + 3; ++k) {
      // Every write in turn, then the flush, the close and the rename.
      constexpr std::array kLastSteps = {Step::Flush, Step::Close, Step::Rename};
      const Step step = k <= writes ? Step::Write : kLastSteps[static_cast<std::size_t>(k - writes - 1)];
      const std::string name = "step " + std::to_string(k) + (older ? " over an older file" : "");
      test::ScratchFolder scratch;
      if (older) scratch.Write(std::string(kResultFile), kOlder);
      const Listing before = ListingOf(scratch.path());
      FailingCalls failing(step, k);
      const PrintOutcome printed = SaveWhole(scratch.path() / kResultFile, kNewer, failing)
                                       ? PrintOutcome::Written
                                       : PrintOutcome::Unwritable;
      EXPECT_EQ(test::Said(printed), "Dosya yazılamadı: sonuc.csv") << name;
      EXPECT_EQ(ListingOf(scratch.path()), before) << name;
    }
  }
}

TEST(SaveWhole, ReplacesAnOlderFileWholeAndClearsAStaleTemporary) {
  test::ScratchFolder scratch;
  scratch.Write(std::string(kResultFile), kOlder);
  scratch.Write("sonuc.csv.part", "cut off");
  ASSERT_TRUE(SaveWhole(scratch.path() / kResultFile, kNewer));
  EXPECT_EQ(ListingOf(scratch.path()), (Listing{{"sonuc.csv", kNewer}}));
}

TEST(SaveWhole, RefusesAMissingFolderOrAFolderInTheWay) {
  test::ScratchFolder scratch;
  std::filesystem::create_directory(scratch.path() / "sonuc.csv");
  for (const std::filesystem::path& folder : {scratch.path() / "missing", scratch.path()}) {
    EXPECT_FALSE(SaveWhole(folder / kResultFile, kNewer)) << folder;
    EXPECT_FALSE(std::filesystem::exists(folder / "sonuc.csv.part")) << folder;
  }
}

// A file system of 16 KiB in memory, mounted where the test may (as root).
class SmallDisk {
 public:
  explicit SmallDisk(const std::filesystem::path& where) : path_(where) {
    std::filesystem::create_directory(path_);
    mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", 0, "size=16k") == 0;
    if (!mounted_) refusal_ = std::strerror(errno);
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return mounted_; }
  const std::string& refusal() const { return refusal_; }

 private:
  std::filesystem::path path_;
  bool mounted_ = false;
  std::string refusal_;
};

TEST(SaveWhole, AFullDiskLeavesTheOlderFile) {
  test::ScratchFolder scratch;
  const std::filesystem::path disk = scratch.path() / "disk";
  SmallDisk small(disk);
  if (!small.mounted()) GTEST_SKIP() << "no tmpfs could be mounted here: " << small.refusal();
  scratch.Write("disk/sonuc.csv", kOlder);
  // 32767 rows of the largest degree would take 1.5 MB.
  const std::string tooLarge(64 * 1024, 'x');
  EXPECT_FALSE(SaveWhole(disk / kResultFile, tooLarge));
  EXPECT_EQ(ListingOf(disk), (Listing{{"sonuc.csv", kOlder}}));
  // What fits is still written.
  EXPECT_TRUE(SaveWhole(disk / kResultFile, kNewer));
  EXPECT_EQ(ListingOf(disk), (Listing{{"sonuc.csv", kNewer}}));
}

}  // namespace
}  // namespace finder
