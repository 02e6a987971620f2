// The finder's source reader on any file's bytes, in memory: a table read is
// whole and written back reads the same; a refused one says why and where.
// The same bytes are read as a Scala scale too.

#include <bit>
#include <cmath>
#include <string>
#include <string_view>

#include "finder/finder.h"
#include "finder/messages.h"
#include "finder/scala.h"
#include "finder_fuzz.h"

namespace {

using finder::fuzz::Require;
using Read = finder::SourceOutcome::Status;

std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }

// A Scala scale that is read gives a table that, written in the source format,
// reads back record for record.
void ReadAsScala(std::string_view bytes) {
  const finder::ScalaReading scale = finder::ParseScala(bytes);
  Require(finder::messages::MessageOf(scale).has_value() ==
          (scale.status != finder::ScalaReading::Status::Ok));
  if (scale.status != finder::ScalaReading::Status::Ok) return;
  const finder::SourceReading table = finder::ParseSource(finder::SourceTableText(scale.records));
  Require(table.status == finder::SourceReading::Status::Ok && table.records.size() == scale.records.size());
  for (std::size_t i = 0; i < table.records.size(); ++i) {
    Require(Bits(table.records[i].Cent) == Bits(scale.records[i].Cent));
    Require(!(scale.records[i].Cent < 0.0f) && scale.records[i].Cent < 1200.0f);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ReadAsScala(text);

  finder::Finder finder;
  const finder::SourceOutcome read = finder.KaynakOku(text);
  Require(finder::messages::MessageOf(read, "kaynak.txt").has_value() == (read.status != Read::Read));
  if (read.status != Read::Read) {
    Require(finder.SourceCount() == 0);
    if (read.status == Read::NumberExpected || read.status == Read::NumberTooLarge) {
      std::int32_t lines = 1;
      for (const char c : text) lines += c == '\n' || c == '\r' ? 1 : 0;
      Require(read.line >= 1 && read.line <= lines);
    }
    return 0;
  }

  Require(read.records == finder.SourceCount());
  for (const finder::SourceRecord& record : finder.SourceTable()) {
    // Below 0 taken up by octaves; at most the octave.
    Require(record.Cent >= 0.0f && record.Cent <= 1200.0f && std::isfinite(record.Duration));
    Require(Bits(record.Deviation) == 0 && Bits(record.Step) == 0);
  }
  // Written back as numbers, the table reads the same to the bit.
  finder::Finder again;
  const finder::SourceOutcome reread = again.KaynakOku(finder::SourceTableText(finder.SourceTable()));
  Require(reread.status == Read::Read && reread.records == read.records);
  for (std::size_t i = 0; i < finder.SourceTable().size(); ++i) {
    const finder::SourceRecord& a = finder.SourceTable()[i];
    const finder::SourceRecord& b = again.SourceTable()[i];
    Require(Bits(a.Cent) == Bits(b.Cent) && Bits(a.Duration) == Bits(b.Duration));
  }
  // A run needs a table.
  if (read.records == 0) Require(finder.Basla({}).status == finder::RunOutcome::Status::NoTable);
  return 0;
}
