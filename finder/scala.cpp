#include "finder/scala.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "finder/codepage.h"
#include "finder/messages.h"
#include "finder/number.h"
#include "finder/portable.h"

namespace finder {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The lines of a text, each without its line end (CR LF, LF or a lone CR).
class Lines {
 public:
  explicit Lines(std::string_view text) : rest_(text) {}

  // The next line, or nothing at the end of the text. A line end at the very
  // end begins no further line.
  std::optional<std::string_view> Next() {
    if (rest_.empty()) return std::nullopt;
    std::size_t end = 0;
    while (end < rest_.size() && rest_[end] != '\n' && rest_[end] != '\r') ++end;
    const std::string_view line = rest_.substr(0, end);
    if (end < rest_.size())
      end += rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n' ? 2 : 1;
    rest_.remove_prefix(end);
    ++number_;
    return line;
  }

  // The number of the line Next gave last, from 1.
  std::int32_t number() const { return number_; }

 private:
  std::string_view rest_;
  std::int32_t number_ = 0;
};

// The first word of a line: what stands after leading blanks up to the next blank.
std::string_view FirstWord(std::string_view line) {
  std::size_t begin = 0;
  while (begin < line.size() && IsBlank(line[begin])) ++begin;
  std::size_t end = begin;
  while (end < line.size() && !IsBlank(line[end])) ++end;
  return line.substr(begin, end - begin);
}

bool IsComment(std::string_view line) { return line.starts_with('!'); }

// A whole number of digits only, when it fits 64 bits.
enum class Whole { Ok, NotANumber, TooLarge };
Whole ParseWhole(std::string_view text, std::uint64_t& value) {
  if (text.empty()) return Whole::NotANumber;
  for (const char c : text) {
    if (!IsDigit(c)) return Whole::NotANumber;
  }
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() ? Whole::Ok : Whole::TooLarge;
}

// The cents of one pitch word, or the refusal it earns.
struct Pitch {
  ScalaReading::Status status = ScalaReading::Status::Ok;
  float cent = 0;
};

Pitch ParsePitch(std::string_view word) {
  using Status = ScalaReading::Status;
  if (word.find('.') != std::string_view::npos) {
    if (!IsDecimal(word, '.')) return {Status::NumberExpected};
    const std::optional<float> cent = DecimalToFloat(word);
    // Cents too large for a float are still above the octave, as in the tables.
    if (!cent) return {word.front() == '-' ? Status::NumberTooLarge : Status::OutOfOctave};
    return {Status::Ok, *cent};
  }
  // A ratio p/q or a whole number p. A sign is read only to refuse it.
  const std::size_t slash = word.find('/');
  std::string_view numerator = word.substr(0, slash);
  std::string_view denominator = slash == std::string_view::npos ? "1" : word.substr(slash + 1);
  bool negative = false;
  for (std::string_view* part : {&numerator, &denominator}) {
    if (part->starts_with('-') || part->starts_with('+')) {
      negative = negative || part->front() == '-';
      part->remove_prefix(1);
    }
  }
  std::uint64_t p = 0;
  std::uint64_t q = 0;
  for (const Whole whole : {ParseWhole(numerator, p), ParseWhole(denominator, q)}) {
    if (whole == Whole::NotANumber) return {Status::NumberExpected};
    if (whole == Whole::TooLarge) return {Status::NumberTooLarge};
  }
  if (negative || p == 0 || q == 0) return {Status::RatioNotPositive};
  // In double, each side's logarithm apart, so that no quotient of large
  // numbers loses digits; then rounded once to the table's float.
  const double cents = 1200.0 * (std::log2(static_cast<double>(p)) - std::log2(static_cast<double>(q)));
  return {Status::Ok, static_cast<float>(cents)};
}

ScalaReading Refused(ScalaReading::Status status, std::int32_t line) {
  ScalaReading reading;
  reading.status = status;
  reading.line = line;
  return reading;
}

// The shortest fixed form of `value` that reads back as the same float.
std::string Shortest(float value) {
  char number[64];
  return std::string(number,
                     portable::ShortestFixedChars(number, number + sizeof number, value).ptr);
}

}  // namespace

ScalaReading ParseScala(std::string_view text) {
  using Status = ScalaReading::Status;
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  // Line numbers and counts stay within 32 bits.
  if (text.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    return Refused(Status::NumberTooLarge, 1);
  }
  Lines lines(text);

  // The next line that is no comment; nothing at the end of the text.
  const auto nextOther = [&lines]() -> std::optional<std::string_view> {
    for (std::optional<std::string_view> line; (line = lines.Next());) {
      if (!IsComment(*line)) return line;
    }
    return std::nullopt;
  };

  ScalaReading reading;
  const std::optional<std::string_view> description = nextOther();
  if (!description) return Refused(Status::NumberExpected, lines.number() + 1);
  reading.description = *description;

  const std::optional<std::string_view> countLine = nextOther();
  if (!countLine) return Refused(Status::NumberExpected, lines.number() + 1);
  const std::int32_t countLineNumber = lines.number();
  std::uint64_t count = 0;
  switch (ParseWhole(FirstWord(*countLine), count)) {
    case Whole::Ok:
      break;
    case Whole::NotANumber:
      return Refused(Status::NumberExpected, countLineNumber);
    case Whole::TooLarge:
      return Refused(Status::NumberTooLarge, countLineNumber);
  }
  if (count > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
    return Refused(Status::NumberTooLarge, countLineNumber);
  }
  reading.count = static_cast<std::int32_t>(count);

  reading.records.push_back(SourceRecord{.Cent = 0, .Duration = 1});  // the implied 1/1
  while (const std::optional<std::string_view> line = nextOther()) {
    const std::string_view word = FirstWord(*line);
    if (reading.pitchLines >= reading.count) {
      // Past the stated pitches only blank lines may follow; any other is
      // counted, so that the refusal says how many there are.
      if (!word.empty()) ++reading.pitchLines;
      continue;
    }
    ++reading.pitchLines;
    const Pitch pitch = ParsePitch(word);
    if (pitch.status != Status::Ok) return Refused(pitch.status, lines.number());
    if (pitch.cent > 1200.0f) return Refused(Status::OutOfOctave, lines.number());
    if (pitch.cent != 1200.0f) reading.records.push_back(SourceRecord{.Cent = pitch.cent, .Duration = 1});
  }
  if (reading.pitchLines != reading.count) {
    ScalaReading refused = Refused(Status::CountMismatch, countLineNumber);
    refused.count = reading.count;
    refused.pitchLines = reading.pitchLines;
    return refused;
  }
  return reading;
}

std::string SourceTableText(std::span<const SourceRecord> records) {
  std::string text;
  for (const SourceRecord& record : records) {
    std::string cent = Shortest(record.Cent);
    if (cent.find('.') == std::string::npos) cent += ".0";
    text += cent + "," + Shortest(record.Duration) + "\r\n";
  }
  return text;
}

std::string TemperedScale(std::string_view fileName, std::string_view sourceName,
                          std::span<const StepRecord> steps) {
  const std::size_t degree = steps.empty() ? 0 : steps.size() - 1;
  std::string pitches;
  std::int32_t count = 0;
  for (std::size_t k = 1; k + 1 < steps.size(); ++k) {
    if (steps[k].Count <= 0) continue;
    // Six decimals with a period whatever the locale.
    char cents[32];
    const double value = static_cast<double>(k) * 1200.0 / static_cast<double>(degree);
    char* end = portable::FixedChars(cents, cents + sizeof cents, value, 6).ptr;
    pitches += "! " + messages::TemperedStep(static_cast<std::int32_t>(k)) + "\r\n " +
               std::string(cents, end) + "\r\n";
    ++count;
  }
  std::string text = "! " + std::string(fileName) + "\r\n!\r\n" +
                     messages::TemperedDescription(static_cast<std::int32_t>(degree), sourceName) + "\r\n " +
                     std::to_string(count + 1) + "\r\n!\r\n" + pitches + " 2/1\r\n";
  return Windows1254(text);
}

}  // namespace finder
