#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace finder {

// One pitch of the source table. The search writes Deviation and Step.
struct SourceRecord {
  float Cent = 0;       // the pitch in cents above the reference, 0 .. 1200
  float Duration = 0;   // its weight in the result table and the chart
  float Deviation = 0;  // cents above (positive) or below (negative) its nearest step
  float Step = 0;       // the index of that step, a whole number
};

// What reading a source text gave: the records, or why it was refused and on
// which line (counted from 1).
struct SourceReading {
  enum class Status {
    Ok,
    NumberExpected,  // a field is not a number, or the last record lacks its duration
    NumberTooLarge,  // a duration, or a pitch far below 0, does not fit a float
    OutOfOctave,     // a record's Cent is above 1200, also one too large for a float
    TooManyRecords,  // more records than a 32-bit count holds
  };

  Status status = Status::Ok;
  std::vector<SourceRecord> records;  // complete only when status is Ok
  std::int32_t line = 0;              // where reading stopped, when it was refused
};

// A pitch below 0 taken up by whole octaves, as pitches repeat at the octave
// in everything the finder measures: `cent` + 1200 × k for the smallest whole
// k that makes the sum 0 or more, the sum exact before it is rounded once to a
// float (a sum that rounds to 1200 stays 1200). Other pitches stay as they are.
float IntoOctave(float cent);

// Reads the pairs Cent, Duration of a source text, each Cent IntoOctave. Numbers are separated by a
// comma, blanks or line ends; a comma stands between two numbers. Blank lines
// anywhere and blanks after the last record are accepted, as is a leading
// UTF-8 byte order mark.
SourceReading ParseSource(std::string_view text);

}  // namespace finder
