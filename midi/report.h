#pragma once

#include <cstddef>

#include "midi/build.h"
#include "midi/image.h"
#include "midi/sink.h"
#include "midi/walk.h"

// The readable report of the to TXT command.
namespace midi {

// Walks the image as `build` does and writes the report into `out` in
// Windows-1254 with CR LF line ends, headed by `image.MidiFileName`. What the
// walk met goes into `walk`; after a stop the report holds every line written
// before it, the last one ended. An exception of `out` passes on, with `walk`
// holding what was met before it.
void DumpReport(const MidiImage& image, Pos& ScanPos, Build build, char decimalSeparator, ByteSink& out,
                WalkOutcome& walk);

// About how many bytes the report of `image` takes, for a sink that keeps it in
// memory to reserve.
std::size_t ReportSizeHint(const MidiImage& image);

}  // namespace midi
