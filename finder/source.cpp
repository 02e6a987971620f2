#include "finder/source.h"

#include <cmath>
#include <limits>
#include <optional>

#include "finder/number.h"

namespace finder {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kMaxRecords = INT32_MAX;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsSeparator(char c) { return IsBlank(c) || c == ',' || c == '\r' || c == '\n'; }

SourceReading Refused(SourceReading::Status status, std::int32_t line) {
  SourceReading reading;
  reading.status = status;
  reading.line = line;
  return reading;
}

}  // namespace

float IntoOctave(float cent) {
  if (!(cent < 0.0f)) return cent;
  // The remainder is exact whatever the size of the pitch: cent + 1200 × k
  // with r in (−1200, 0].
  const double r = std::fmod(static_cast<double>(cent), 1200.0);
  if (r == 0.0) return 0.0f;
  // r + 1200 is exact in double when the pitch's last bit is worth 2^-42 or
  // more. A pitch whose last bit is worth less lies above −2^-19, so the sum
  // is within 2^-19 of 1200, nearer to it than to the midpoint below it
  // (1200 − 2^-14): rounded in double first or not, it gives 1200.
  return static_cast<float>(r + 1200.0);
}

SourceReading ParseSource(std::string_view text) {
  using Status = SourceReading::Status;
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());

  SourceReading reading;
  std::int32_t line = 1;
  std::int32_t lastLine = 1;  // line of the last number or comma
  bool afterNumber = false;   // a comma may follow
  bool commaPending = false;  // a number must follow
  bool haveCent = false;      // the current record has its Cent and awaits its Duration
  SourceRecord record;

  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\n' || (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
      ++line;
      ++i;
    } else if (IsBlank(c) || c == '\r') {
      ++i;
    } else if (c == ',') {
      if (!afterNumber) return Refused(Status::NumberExpected, line);
      afterNumber = false;
      commaPending = true;
      lastLine = line;
      ++i;
    } else {
      std::size_t end = i;
      while (end < text.size() && !IsSeparator(text[end])) ++end;
      const std::string_view field = text.substr(i, end - i);
      if (!IsDecimal(field, '.')) return Refused(Status::NumberExpected, line);
      std::optional<float> value = DecimalToFloat(field);
      // A pitch too large for a float is still a pitch above the octave, and
      // is refused as one once its record is whole.
      if (!value && !haveCent && field.front() != '-') value = std::numeric_limits<float>::infinity();
      if (!value) return Refused(Status::NumberTooLarge, line);
      if (!haveCent) {
        if (reading.records.size() == kMaxRecords) return Refused(Status::TooManyRecords, line);
        record = SourceRecord{.Cent = IntoOctave(*value)};
        haveCent = true;
      } else {
        record.Duration = *value;
        haveCent = false;
        reading.records.push_back(record);
        if (record.Cent > 1200.0f) return Refused(Status::OutOfOctave, line);
      }
      afterNumber = true;
      commaPending = false;
      lastLine = line;
      i = end;
    }
  }
  if (commaPending || haveCent) return Refused(Status::NumberExpected, lastLine);
  return reading;
}

}  // namespace finder
