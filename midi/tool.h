#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

#include "midi/build.h"
#include "midi/image.h"
#include "midi/outcome.h"
#include "midi/progress.h"

namespace midi {

class TemporaryFile;

// The state of the MIDI tool and its commands. Each command returns what it did;
// the window shows it. Start alone reports while it runs, through StartProgress.
class MidiTool {
 public:
  // `folder` is the working folder: every file the tool reads or writes lies there.
  MidiTool(Build build, std::filesystem::path folder);
  ~MidiTool();

  // Reads the file `fileName` whole as the new image of the list entry
  // `baseName`. On failure the previous image stays.
  LoadOutcome LoadImage(std::string_view baseName, std::string_view fileName);

  // The same for the file `baseName`.mid.
  LoadOutcome LoadImage(std::string_view baseName);

  // TEST: walks the image, keeping the delta times it cannot decode.
  TestOutcome TestEt();

  // to TXT: writes the readable report of the image into the temporary file of
  // BaseName.txt as the walk goes, and names it in the image. The report appears
  // under its name only when SaveReport puts it there.
  TxtOutcome TxtYaz();

  // Puts the report that TxtYaz made in place and sets `outcome.written`. A
  // report that cannot be saved removes the one of an earlier run, which must
  // not pass for this run's. Does nothing when nothing was loaded.
  void SaveReport(TxtOutcome& outcome);

  // Start: writes BaseName_13.mid (odd packets sound) and BaseName_24.mid (even
  // packets sound), both as long as the image, telling `progress` of each pair
  // step. Writes nothing when `progress` stops it.
  StartOutcome MidiYaz(StartProgress& progress);

  // The same with no window watching.
  StartOutcome MidiYaz();

  const MidiImage& image() const { return image_; }
  Build build() const { return build_; }
  const std::filesystem::path& folder() const { return folder_; }

  // The walk's position; left past the last byte examined.
  Pos ScanPos = 0;

  // The decimal separator of the user's regional settings; the report writes
  // cents with it.
  char DecimalSeparator = '.';

 private:
  Build build_;
  std::filesystem::path folder_;
  MidiImage image_;
  std::unique_ptr<TemporaryFile> report_;  // made by TxtYaz, until SaveReport places it
};

}  // namespace midi
