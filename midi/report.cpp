#include "midi/report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>

#include "midi/walk.h"

namespace midi {
namespace {

// The decimal digits of a finite non-zero value, rounded to 15 significant
// digits: value = digits[0].digits[1..] × 10^exponent.
struct SignificantDigits {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

SignificantDigits DigitsOf(double x) {
  if (!std::isfinite(x)) throw std::domain_error("number text of a value that is not finite");
  std::array<char, 48> buffer{};
  const auto end =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), x, std::chars_format::scientific, 14).ptr;
  const std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
  SignificantDigits out;
  std::size_t i = 0;
  if (text[i] == '-') {
    out.negative = true;
    ++i;
  }
  for (; text[i] != 'e'; ++i) {
    if (text[i] != '.') out.digits.push_back(text[i]);
  }
  ++i;
  const bool negativeExponent = text[i] == '-';
  ++i;
  std::from_chars(text.data() + i, text.data() + text.size(), out.exponent);
  if (negativeExponent) out.exponent = -out.exponent;
  return out;
}

// |x| rounded to `decimals` places, halves away from zero, as whole and
// decimal digits. The rounding works on the value's 15-digit decimal text, so
// a bend of 3.125 cents gives 3.13 where rounding the binary value to even
// would give 3.12.
struct FixedDigits {
  bool negative = false;
  std::string whole;
  std::string fraction;
};

FixedDigits RoundFixed(double x, int decimals) {
  const auto length = [](const std::string& s) { return static_cast<int>(s.size()); };
  FixedDigits out;
  if (x == 0) {
    out.whole = "0";
    out.fraction.assign(static_cast<std::size_t>(decimals), '0');
    return out;
  }
  const SignificantDigits value = DigitsOf(x);
  std::string all;  // the digits, with the point after the first `point` of them
  int point = 1;
  if (value.exponent >= 0) {
    all = value.digits;
    point = value.exponent + 1;
  } else {
    all = std::string(static_cast<std::size_t>(-value.exponent), '0') + value.digits;
  }
  const int keep = point + decimals;
  if (length(all) < keep) all.append(static_cast<std::size_t>(keep - length(all)), '0');
  const bool up = length(all) > keep && all[static_cast<std::size_t>(keep)] >= '5';
  all.resize(static_cast<std::size_t>(keep));
  if (up) {
    int i = keep - 1;
    for (; i >= 0 && all[static_cast<std::size_t>(i)] == '9'; --i) all[static_cast<std::size_t>(i)] = '0';
    if (i < 0) {
      all.insert(all.begin(), '1');
      ++point;
    } else {
      ++all[static_cast<std::size_t>(i)];
    }
  }
  out.negative = value.negative && all.find_first_not_of('0') != std::string::npos;
  out.whole = all.substr(0, static_cast<std::size_t>(point));
  out.fraction = all.substr(static_cast<std::size_t>(point));
  const std::size_t firstDigit = out.whole.find_first_not_of('0');
  out.whole.erase(0, std::min(firstDigit, out.whole.size() - 1));
  return out;
}

struct PatternShape {
  int wholeDigits = 0;
  int decimals = 0;
};

PatternShape ShapeOf(std::string_view pattern) {
  PatternShape shape;
  const std::size_t point = pattern.find('.');
  shape.wholeDigits = static_cast<int>(std::min(point, pattern.size()));
  if (point != std::string_view::npos) shape.decimals = static_cast<int>(pattern.size() - point - 1);
  return shape;
}

// Appends n with at least `minDigits` digits, zero-padded on the left.
void AppendPadded(std::string& out, std::int64_t n, int minDigits) {
  std::array<char, 24> buffer{};
  const std::uint64_t magnitude = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude).ptr;
  const int digits = static_cast<int>(end - buffer.data());
  if (n < 0) out.push_back('-');
  if (digits < minDigits) out.append(static_cast<std::size_t>(minDigits - digits), '0');
  out.append(buffer.data(), end);
}

// Values outside [1E-4, 1E15) are written with an exponent ("5E-05", "1E+15").
// A duration in minutes reaches at most about 6E5 (the largest tick total at
// the largest tempo), so only the very short pieces ever take that form; the
// bound keeps them from a long row of leading zeros.
constexpr int kPlainExponentMin = -4;
constexpr int kPlainExponentMax = 14;

// ---- Windows-1254 -------------------------------------------------------

// Code points of the bytes 0x80 .. 0x9F; 0 marks a byte the code page leaves
// undefined.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0,      0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0,      0x0178};

// The six places where the code page puts Turkish letters instead of Latin-1's.
constexpr std::array<std::pair<std::uint8_t, char32_t>, 6> kTurkishLetters = {{
    {0xD0, 0x011E},  // Ğ
    {0xDD, 0x0130},  // İ
    {0xDE, 0x015E},  // Ş
    {0xF0, 0x011F},  // ğ
    {0xFD, 0x0131},  // ı
    {0xFE, 0x015F},  // ş
}};

char ByteOf(char32_t c) {
  if (c < 0x80) return static_cast<char>(c);
  for (const auto& [byte, letter] : kTurkishLetters) {
    if (letter == c) return static_cast<char>(byte);
    if (byte == c) return '?';
  }
  if (c >= 0xA0 && c <= 0xFF) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// ---- The report -----------------------------------------------------------

// The report's fixed texts, in Windows-1254, made once.
struct FixedTexts {
  std::string headerChunk = Windows1254("----------HEADER CHUNK--------------");
  std::string fourBytes = Windows1254("Sabit 4 byte");
  std::string formatType = Windows1254("Midi Format tipi 2 byte");
  std::string formatKinds = Windows1254("0=single 1=Multi/syncron 2=Multi/asyncron ");
  std::string trackCount = Windows1254("Track sayısı");
  std::string ticksPerQuarter = Windows1254("Çeyrek nota Tick sayısı");
  std::string ticksPerQuarterIs = Windows1254("Çeyrek nota Tick sayısı=");
  std::string trackChunk = Windows1254("----------TRACK CHUNK--------------");
  std::string trackLength = Windows1254("byte olarak track uzunlugu");
  std::string trackBytesIs = Windows1254("Bu trackde Byte sayısı=");
  std::string events = Windows1254("----------EVENTS--------------");
  std::string endOfSysEx = Windows1254("SysExMsg biter");
  std::string noteOff = Windows1254("NOTE-OFF   Kanal=");
  std::string noteOn = Windows1254("NOTE-ON   Kanal=");
  std::string pitchBend = Windows1254("PTCHBND   Kanal=");
  std::string pitch = Windows1254("Pitch=");
  std::string velocity = Windows1254("Velo.=");
  std::string ticks = Windows1254("Tik=");
  std::string cents = Windows1254(" Cent");
  std::string power = Windows1254("*256^");
  std::string tempoIs = Windows1254("çeyrek nota = ");
  std::string microseconds = Windows1254(" MICRO saniye");
  std::string metronomeIs = Windows1254("metronom    = ");
  std::string perQuarter = Windows1254(" adet/dörtlük");
  std::string tickTotalIs = Windows1254("Toplam Tick = ");
  std::string durationIs = Windows1254("Eser süresi = ");
  std::string minutes = Windows1254(" dakika");
  // By the low nibble of a system byte 0xF0 .. 0xFF; 0xFF, when it is not read
  // as a meta event, is labelled like 0xF0.
  std::array<std::string, 16> systemLabels = {
      Windows1254("SysExMsg başl.  "), Windows1254("Time code       "), Windows1254("Position pointer"),
      Windows1254("Song select     "), Windows1254("Undefined       "), Windows1254("Undefined       "),
      Windows1254("Tune request    "), Windows1254("EOX bitiş       "), Windows1254("Clock           "),
      Windows1254("(undefined)     "), Windows1254("Start           "), Windows1254("Continue        "),
      Windows1254("Stop            "), Windows1254("Undefined       "), Windows1254("Active Sensing  "),
      Windows1254("SysExMsg başl.  ")};
};

const FixedTexts& Texts() {
  static const FixedTexts texts;
  return texts;
}

// Writes the report line by line as the walk tells its bytes. A line that is
// left open is ended by the next step of the walk, or by the stop of the walk.
class ReportWriter : public WalkListener {
 public:
  ReportWriter(std::string& out, char decimalSeparator, bool metaEvents)
      : out_(out), separator_(decimalSeparator), metaEvents_(metaEvents) {}

  void Head(std::string_view fileName) {
    Line(Windows1254(fileName));
    Line("");
    Line(texts_.headerChunk);
    Line(texts_.fourBytes);
  }

  // Each header byte's line is followed by the texts that stand before the next
  // byte, so that a file ending early stops right where the reading stops.
  void HeaderByte(Pos p, const FetchedByte& b) override {
    switch (p) {
      case 11:
      case 13:
        PoweredLine(p, b, 1);
        break;
      case 12:
      case 14:
        PoweredLine(p, b, 0);
        break;
      case 19:
      case 20:
      case 21:
      case 22:
        PoweredLine(p, b, 22 - p);
        break;
      default:
        ByteLine(p, b, false);
        End();
        break;
    }
    switch (p) {
      case 4:
        Lines({"", texts_.fourBytes});
        break;
      case 8:
        Lines({"", texts_.formatType});
        break;
      case 10:
        Lines({texts_.formatKinds, "", texts_.trackCount});
        break;
      case 12:
        Lines({"", texts_.ticksPerQuarter});
        break;
      case 18:
        Lines({"", texts_.trackLength});
        break;
      default:
        break;
    }
  }

  void TicksPerQuarter(std::int32_t ticks) override {
    Line(texts_.ticksPerQuarterIs + SignBlankText(ticks));
    Lines({"", "", texts_.trackChunk, texts_.fourBytes});
  }

  void TrackLength(std::int32_t length) override {
    Line(texts_.trackBytesIs + SignBlankText(length));
    Lines({"", "", texts_.events});
  }

  void Examined(Pos p, const FetchedByte& b) override {
    BytePrefix(p, b, true);
    const std::int32_t v = b.value;
    if (v == 0x2F) {
      out_ += texts_.endOfSysEx;
    } else if (v == 0x80 || v == 0x90 || v == 0xE0) {
      out_ += v == 0x80 ? texts_.noteOff : v == 0x90 ? texts_.noteOn : texts_.pitchBend;
      out_ += SignBlankText(v & 0x0F);
      End();
    } else if (v >= 0xF0) {
      out_ += texts_.systemLabels[static_cast<std::size_t>(v & 0x0F)];
      if (v == 0xFF && metaEvents_) End();
    }
  }

  void StepEnd(Pos) override { End(); }

  void Pitch(Pos p, const FetchedByte& b) override {
    BytePrefix(p, b, false);
    out_ += texts_.pitch;
    out_ += NoteName(b.value);
    End();
  }

  void Velocity(Pos p, const FetchedByte& b) override {
    BytePrefix(p, b, false);
    out_ += texts_.velocity;
    out_ += SignBlankText(b.value);
    out_ += ' ';
    End();
  }

  void DeltaByte(Pos p, const FetchedByte& b, int index) override {
    if (index == 0) {
      ByteLine(p, b, false);
    } else {
      BytePrefix(p, b, false);
    }
    End();
  }

  void Delta(Pos p, const FetchedByte& b, std::int32_t delta) override {
    BytePrefix(p, b, false);
    out_ += texts_.ticks;
    out_ += SignBlankText(delta);
  }

  void BendLsb(Pos p, const FetchedByte& b) override {
    ByteLine(p, b, false);
    End();
  }

  void BendMsb(Pos p, const FetchedByte& b, std::int16_t, double cents) override {
    BytePrefix(p, b, false);
    out_ += PatternText(cents, "00.00", separator_);
    out_ += texts_.cents;
  }

  void MetaType(Pos p, const FetchedByte& b) override {
    ByteLine(p, b, false);
    End();
  }

  void MetaLength(Pos p, const FetchedByte& b) override {
    ByteLine(p, b, false);
    End();
  }

  void TempoByte(Pos p, const FetchedByte& b, int exponent) override { PoweredLine(p, b, exponent); }

  void Tempo(std::int32_t microsecondsPerQuarter) override {
    LastTempo = microsecondsPerQuarter;
    Line(texts_.tempoIs + SignBlankText(microsecondsPerQuarter) + texts_.microseconds);
  }

  void Metronome(double quarterNotesPerMinute) override {
    Line(texts_.metronomeIs + PatternText(quarterNotesPerMinute, "00", separator_) + texts_.perQuarter);
  }

  // After a stop of the walk: the line it was writing gets its line end.
  void EndOpenLine() {
    if (open_) End();
  }

  void Summary(std::int32_t TickTotal) {
    Lines({"", ""});
    // The playing time at 1000 ticks per quarter note and the last tempo met,
    // divided before it is multiplied.
    const double minutes = TickTotal / 60000000000.0 * LastTempo;
    Line(texts_.tickTotalIs + "   " + SignBlankText(TickTotal));
    Line(texts_.durationIs + "   " + SignBlankText(minutes) + texts_.minutes);
  }

  void NoSummary() { Lines({"", ""}); }

 private:
  // Position, hex, decimal and the byte itself. The byte that the walk examines
  // is shown as a blank when it is 13, 129 or 144.
  void ByteLine(Pos p, const FetchedByte& b, bool examined) {
    AppendPadded(out_, p, 4);
    out_ += "   ";
    out_.append(b.HexText());
    out_ += "   ";
    AppendPadded(out_, b.value, 3);
    out_ += "   ";
    const bool blank = examined && (b.value == 13 || b.value == 129 || b.value == 144);
    out_.push_back(blank ? ' ' : static_cast<char>(b.value));
    open_ = true;
  }

  void BytePrefix(Pos p, const FetchedByte& b, bool examined) {
    ByteLine(p, b, examined);
    out_ += "   ";
  }

  void PoweredLine(Pos p, const FetchedByte& b, int exponent) {
    BytePrefix(p, b, false);
    out_ += texts_.power;
    out_.push_back(static_cast<char>('0' + exponent));
    End();
  }

  void End() {
    out_ += "\r\n";
    open_ = false;
  }

  void Line(std::string_view text) {
    out_.append(text);
    End();
  }

  void Lines(std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines) Line(line);
  }

  std::string& out_;
  const FixedTexts& texts_ = Texts();
  char separator_;
  bool metaEvents_;
  bool open_ = false;
  std::int32_t LastTempo = 0;
};

// A report line per byte runs to 20 .. 45 characters.
constexpr std::size_t kReportBytesPerByte = 40;
constexpr std::size_t kReportHeadBytes = 1024;

}  // namespace

std::string SignBlankText(std::int32_t n) {
  std::string text;
  if (n >= 0) text.push_back(' ');
  AppendPadded(text, n, 1);
  return text;
}

std::string SignBlankText(double x) {
  if (x == 0) return " 0";
  SignificantDigits value = DigitsOf(x);
  const std::size_t lastDigit = value.digits.find_last_not_of('0');
  value.digits.erase(lastDigit + 1);
  const std::string& digits = value.digits;
  const int e = value.exponent;

  std::string text(1, value.negative ? '-' : ' ');
  if (e < kPlainExponentMin || e > kPlainExponentMax) {
    text += digits[0];
    if (digits.size() > 1) text.append(".").append(digits, 1);
    text += e < 0 ? "E-" : "E+";
    AppendPadded(text, e < 0 ? -e : e, 2);
  } else if (e >= 0) {
    const auto wholeDigits = static_cast<std::size_t>(e + 1);
    text.append(digits, 0, wholeDigits);
    if (digits.size() < wholeDigits) text.append(wholeDigits - digits.size(), '0');
    if (digits.size() > wholeDigits) text.append(".").append(digits, wholeDigits);
  } else {
    text.append(".").append(static_cast<std::size_t>(-e - 1), '0').append(digits);
  }
  return text;
}

std::string PatternText(std::int32_t x, std::string_view pattern) {
  const PatternShape shape = ShapeOf(pattern);
  if (shape.decimals != 0 || shape.wholeDigits != static_cast<int>(pattern.size())) {
    throw std::invalid_argument("a whole number takes a pattern of zeros only");
  }
  std::string text;
  AppendPadded(text, x, shape.wholeDigits);
  return text;
}

std::string PatternText(double x, std::string_view pattern, char separator) {
  const PatternShape shape = ShapeOf(pattern);
  const FixedDigits fixed = RoundFixed(x, shape.decimals);
  std::string text;
  if (fixed.negative) text.push_back('-');
  const int wholeDigits = static_cast<int>(fixed.whole.size());
  if (wholeDigits < shape.wholeDigits)
    text.append(static_cast<std::size_t>(shape.wholeDigits - wholeDigits), '0');
  text += fixed.whole;
  if (shape.decimals > 0) text.append(1, separator).append(fixed.fraction);
  return text;
}

std::string Windows1254(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<std::uint8_t>(utf8[i]);
    int length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
      length = 1;
      c = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      c = lead & 0x07;
    }
    bool valid = length > 0 && i + static_cast<std::size_t>(length) <= utf8.size();
    for (int k = 1; valid && k < length; ++k) {
      const auto next = static_cast<std::uint8_t>(utf8[i + static_cast<std::size_t>(k)]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    if (!valid) {
      out.push_back('?');
      ++i;
      continue;
    }
    out.push_back(ByteOf(c));
    i += static_cast<std::size_t>(length);
  }
  return out;
}

DumpResult DumpReport(const MidiImage& image, Pos& ScanPos, Build build, char decimalSeparator,
                      Window& window) {
  // Only the current build reads meta events, raises a zero delta after a note
  // off to one tick and ends with the tick total and the duration.
  const bool current = build == Build::Tessaro5Vu;
  const WalkRules rules{.metaEvents = DecodesMetaEvents(build), .noteOffFloor = current};

  DumpResult result;
  result.text.reserve(kReportHeadBytes + kReportBytesPerByte * image.MidiBytes.size());
  ReportWriter writer(result.text, decimalSeparator, rules.metaEvents);
  writer.Head(image.MidiFileName);
  try {
    const std::int32_t TickTotal = EventWalk(image, ScanPos, rules, writer, window);
    if (current) {
      writer.Summary(TickTotal);
    } else {
      writer.NoSummary();
    }
  } catch (const ReadFailure& failure) {
    writer.EndOpenLine();
    result.failure = failure;
  }
  return result;
}

}  // namespace midi
