#pragma once

#include <cstddef>

#include "midi/build.h"
#include "midi/image.h"
#include "midi/sink.h"
#include "midi/walk.h"

// The readable report of the to TXT command.
namespace midi {

// The report goes to its sink in chunks of about this size, each a whole number
// of lines, so that the memory it takes does not grow with the report.
inline constexpr std::size_t kReportChunkBytes = 64 * 1024;

// Walks the image as `build` does and writes the report into `out` in
// Windows-1254 with CR LF line ends, headed by `image.MidiFileName`. What the
// walk met goes into `walk`; after a stop the report holds every line written
// before it, the last one ended. An exception of `out` passes on, with `walk`
// holding what was met before it.
void DumpReport(const MidiImage& image, Pos& ScanPos, Build build, char decimalSeparator, ByteSink& out,
                WalkOutcome& walk);

}  // namespace midi
