#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "finder/search.h"
#include "finder/source.h"

// Scales in the tuning world's exchange format (".scl"), read into the finder's
// pitch table and written back tempered; and the pitch table written in the
// finder's own source format.
namespace finder {

// What reading a Scala text gave: the pitches as source records, or why it was
// refused and on which line (counted from 1).
struct ScalaReading {
  enum class Status {
    Ok,
    NumberExpected,    // the count or a pitch is not a number, or a line is missing
    NumberTooLarge,    // the count or a ratio's numbers beyond 64 bits, cents far below 0
    RatioNotPositive,  // a ratio of 0 or below, or with the denominator 0
    OutOfOctave,       // a pitch above 1200 cents, also cents too large for a float
    CountMismatch,     // the pitch lines are fewer or more than the count says
  };

  Status status = Status::Ok;
  std::string description;            // the description line as it stands, without its line end
  std::vector<SourceRecord> records;  // complete only when status is Ok
  std::int32_t line = 0;              // where reading stopped, when it was refused
  std::int32_t count = 0;             // the number of pitches the file states
  std::int32_t pitchLines = 0;        // the pitch lines it holds, for CountMismatch
};

// Reads a Scala text. Lines beginning with "!" are comments. The first other
// line is the description (it may be empty), the next the number of pitches,
// then one pitch a line: a value with a period is cents, otherwise a ratio
// "p/q" or a whole number "p"; the value ends where a character that cannot
// continue it begins, and the rest of the line is ignored. A pitch below 0
// cents (a ratio below 1/1) is taken IntoOctave. The 1/1 is implied: the table
// starts with 0 cents, then each pitch except one of exactly 1200 cents (the
// closing octave, the same pitch class as 0). Every
// pitch has the duration 1. Blank lines after the last pitch are accepted, as
// is a leading UTF-8 byte order mark.
ScalaReading ParseScala(std::string_view text);

// The records' Cent and Duration in the finder's source format: one record a
// line, the cents with a period, a comma, the duration, CR LF. Each number is
// written in the shortest form that reads back as the same float.
std::string SourceTableText(std::span<const SourceRecord> records);

// The scale of a found degree n as a Scala text in Windows-1254 with CR LF: a
// comment naming `fileName`, a description naming the degree and `sourceName`,
// then for every step 1 .. n − 1 that received pitches (Count above 0), in
// increasing order, a comment naming its index and its cents k × 1200 / n with
// six decimals; "2/1" closes it. `steps` are the steps 0 .. n of that degree.
std::string TemperedScale(std::string_view fileName, std::string_view sourceName,
                          std::span<const StepRecord> steps);

}  // namespace finder
