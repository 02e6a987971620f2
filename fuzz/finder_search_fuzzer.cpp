// The finder's fast search against the step-by-step one, bit for bit: every
// degree's measure, each record's step and deviation, the step table, the
// figures of the run. The table is built from the fuzzed bytes as floats and
// read through a source text that holds exactly them.
//
// Input, little-endian: a flags byte (1: Standard Deviation, otherwise
// Maximum Deviation; 2: then a second run under the other criterion on the
// same finder; 4: Single, the start degree alone; 0xF8: a start anywhere),
// the start degree (2 bytes, 1 + value mod 32766, or mod 1024), the stop as a signed byte added to the start,
// the cent limit (a float), then records: a pitch byte, 4 bytes for the pitch and a duration byte (0x80: 4
// bytes of a float follow; otherwise the signed byte over 4). The pitch byte's two low bits choose what the 4
// bytes give: 0 a float as it is, 1 a step of a degree near the start, 2 the point halfway between two such
// steps, 3 one of the octave's awkward values; the rest of it moves the pitch up to two floats down or up.
//
// The step-by-step search scans steps one by one, so the records times the
// degrees they are scanned in are held within a budget. A pitch below 0 is
// read an octave up, as often as needed, which the long way's digits check.

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "finder/finder.h"
#include "finder/number.h"
#include "finder/scala.h"
#include "finder_fuzz.h"
#include "finder_reference.h"
#include "literal.h"
#include "support.h"

namespace {

using finder::Criterion;
using finder::SourceRecord;
using finder::fuzz::Bytes;
using finder::fuzz::Require;
using finder::test::Bits;

// Steps the step-by-step search may scan: records × the degrees summed; and
// the records at most, which are read through their text.
constexpr std::int64_t kBudget = 1 << 11;
constexpr std::int64_t kMaxRecords = 32;

// What a source text can hold: a finite float of at most 1200. The reader
// takes one below 0 up by octaves.
float Fold(float cent) {
  if (std::isnan(cent)) return 0.0f;
  if (cent == -std::numeric_limits<float>::infinity()) return -FLT_MAX;
  if (cent > 1200.0f) return std::isinf(cent) ? 1200.0f : std::fmod(cent, 1200.0f);
  return cent;
}

float Step(std::int32_t n, std::int32_t k) { return static_cast<float>(1200.0 / n * k); }

float Pitch(Bytes& bytes, std::int32_t start) {
  const std::uint8_t how = bytes.Byte();
  const std::uint32_t payload = bytes.U32();
  const std::int32_t n = std::clamp(start + static_cast<std::int8_t>(payload & 0xFF), 1, finder::kMaxDegree);
  const auto k = static_cast<std::int32_t>((payload >> 8) % static_cast<std::uint32_t>(n));
  float cent = 0;
  switch (how & 3) {
    case 0:
      cent = std::bit_cast<float>(payload);
      break;
    case 1:
      cent = Step(n, k);
      break;
    case 2:
      cent = static_cast<float>((static_cast<double>(Step(n, k)) + Step(n, k + 1)) / 2);
      break;
    default: {
      constexpr float kAwkward[] = {0.0f,  -0.0f,  FLT_TRUE_MIN, -FLT_TRUE_MIN, FLT_MIN,
                                    -1.0f, 600.0f, 1200.0f,      -FLT_MAX};
      cent = kAwkward[payload % std::size(kAwkward)];
    }
  }
  const int floats = (how >> 2) % 5 - 2;
  for (int i = 0; i < std::abs(floats); ++i) {
    cent = std::nextafter(
        cent, floats < 0 ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity());
  }
  return Fold(cent);
}

float Duration(Bytes& bytes) {
  const std::uint8_t byte = bytes.Byte();
  if (byte != 0x80) return static_cast<float>(static_cast<std::int8_t>(byte)) / 4.0f;
  const float duration = bytes.Float();
  if (std::isnan(duration)) return 0.0f;
  return std::isinf(duration) ? std::copysign(FLT_MAX, duration) : duration;
}

// The limit as typed into the window: its shortest decimal, or where that
// would read back as another float, its exact decimal value.
std::string LimitText(float limit) {
  char text[256];
  std::string typed(text, std::to_chars(text, text + sizeof text, limit, std::chars_format::fixed).ptr);
  if (Bits(static_cast<float>(finder::LeadingNumber(typed))) == Bits(limit)) return typed;
  return std::string(
      text,
      std::to_chars(text, text + sizeof text, static_cast<double>(limit), std::chars_format::fixed, 160).ptr);
}

void Compare(finder::Finder& finder, const std::vector<SourceRecord>& records, std::int32_t start,
             std::int32_t stop, bool single, Criterion criterion, float limit) {
  const std::string limitText = LimitText(limit);
  const finder::SearchSettings settings =
      single ? finder::test::Single(std::to_string(start), criterion, limitText)
             : finder::test::Range(std::to_string(start), std::to_string(stop), criterion, limitText);
  const finder::RunOutcome run = finder.Basla(settings);
  Require(finder::fuzz::AgreesWithStepByStep(finder, run, records, start, stop, criterion, limit));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, size);
  const std::uint8_t flags = bytes.Byte();
  const Criterion criterion = flags & 1 ? Criterion::StandardDeviation : Criterion::MaxDeviation;
  const bool single = flags & 4;
  // One input in 32 may start anywhere; the others start at most at 1024,
  // where searches are cheap enough to run many of.
  const std::uint16_t degree = bytes.U16();
  const std::int32_t start = 1 + ((flags & 0xF8) == 0xF8 ? degree % finder::kMaxDegree : degree % 1024);
  std::int32_t stop = std::min(start + static_cast<std::int8_t>(bytes.Byte()), finder::kMaxDegree);
  if (single) stop = start;
  float limit = bytes.Float();
  if (!std::isfinite(limit)) limit = 0.0f;

  std::vector<SourceRecord> records;
  const auto most = static_cast<std::size_t>(std::clamp<std::int64_t>(kBudget / start, 1, kMaxRecords));
  while (!bytes.empty() && records.size() < most) {
    const float cent = Pitch(bytes, start);
    records.push_back({.Cent = cent, .Duration = Duration(bytes)});
  }
  if (records.empty()) return 0;
  // As many degrees as the budget allows.
  std::int64_t cost = 0;
  for (std::int32_t n = start; n <= stop; ++n) {
    cost += static_cast<std::int64_t>(records.size()) * n;
    if (cost > kBudget && n > start) {
      stop = n - 1;
      break;
    }
  }

  finder::Finder finder;
  const finder::SourceOutcome read = finder.KaynakOku(finder::SourceTableText(records));
  Require(read.status == finder::SourceOutcome::Status::Read);
  for (SourceRecord& record : records) record.Cent = finder::test::LiteralIntoOctave(record.Cent);
  for (std::size_t i = 0; i < records.size(); ++i) {
    const SourceRecord& record = finder.SourceTable().at(i);
    Require(Bits(record.Cent) == Bits(records[i].Cent) && Bits(record.Duration) == Bits(records[i].Duration));
  }
  Compare(finder, records, start, stop, single, criterion, limit);
  if (flags & 2) {
    // A run leaves nothing that the next one uses.
    const Criterion other =
        criterion == Criterion::MaxDeviation ? Criterion::StandardDeviation : Criterion::MaxDeviation;
    Compare(finder, records, start, stop, single, other, limit);
  }
  return 0;
}
