#pragma once

#include <filesystem>
#include <string_view>

#include "midi/build.h"
#include "midi/image.h"
#include "midi/window.h"

namespace midi {

// The state of the MIDI tool's window and the commands on it. The window
// forwards its handlers here; everything it must show goes through `Window`.
class MidiTool {
 public:
  // `folder` is the working folder: every file the tool reads or writes lies there.
  MidiTool(Window& window, Build build, std::filesystem::path folder);

  // Reads the file `fileName` whole as the new image of the list entry
  // `baseName`. On failure the message is shown, the previous image stays, and
  // the result is false.
  bool LoadImage(std::string_view baseName, std::string_view fileName);

  // The same for the file `baseName`.mid.
  bool LoadImage(std::string_view baseName);

  // TEST: walks the image and warns about every delta time it cannot decode.
  void TestEt();

  // to TXT: writes the readable report of the image into BaseName.txt.
  void TxtYaz();

  // Start: writes BaseName_13.mid (odd packets sound) and BaseName_24.mid (even
  // packets sound), both as long as the image, moving the meter and pumping the
  // window's events once per pair of packets, then refreshes the name list.
  // Writes nothing when the window closes meanwhile.
  void MidiYaz();

  const MidiImage& image() const { return image_; }
  Build build() const { return build_; }
  const std::filesystem::path& folder() const { return folder_; }

  // The walk's position; left past the last byte examined.
  Pos ScanPos = 0;

  // The decimal separator of the user's regional settings; the report writes
  // cents with it.
  char DecimalSeparator = '.';

 private:
  Window& window_;
  Build build_;
  std::filesystem::path folder_;
  MidiImage image_;
};

}  // namespace midi
