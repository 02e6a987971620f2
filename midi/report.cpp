#include "midi/report.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>

#include "midi/codepage.h"
#include "midi/numbers.h"
#include "midi/portable.h"
#include "midi/walk.h"
#include "midi/walk_run.h"

namespace midi {
namespace {

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

// What follows the position on a byte's line: the hex and decimal columns of
// every byte value and the byte itself, "   4D   077   M", and the three blanks
// that stand before more text on the same line. Padded to 32 bytes, so that a
// line takes its columns in one fixed-size copy.
struct ByteColumns {
  static constexpr std::size_t kLine = 15;    // up to the byte itself
  static constexpr std::size_t kPrefix = 18;  // with the three blanks after it
  std::array<char, 32> text;
};

constexpr std::array<ByteColumns, 256> kByteColumns = [] {
  constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::array<ByteColumns, 256> columns{};
  for (int v = 0; v < 256; ++v) {
    const char text[ByteColumns::kPrefix] = {' ',
                                             ' ',
                                             ' ',
                                             kHexDigits[v >> 4],
                                             kHexDigits[v & 0x0F],
                                             ' ',
                                             ' ',
                                             ' ',
                                             static_cast<char>('0' + v / 100),
                                             static_cast<char>('0' + v / 10 % 10),
                                             static_cast<char>('0' + v % 10),
                                             ' ',
                                             ' ',
                                             ' ',
                                             static_cast<char>(v),
                                             ' ',
                                             ' ',
                                             ' '};
    auto& out = columns[static_cast<std::size_t>(v)].text;
    for (std::size_t i = 0; i < ByteColumns::kPrefix; ++i) out[i] = text[i];
    for (std::size_t i = ByteColumns::kPrefix; i < out.size(); ++i) out[i] = ' ';
  }
  return columns;
}();

// "00" "01" .. "99": two digits at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
    pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// The decimal digits of n, at least `minDigits` of them (zero-padded), written
// at `out`; gives the end.
char* PutDigits(char* out, std::uint32_t n, int minDigits) {
  int digits = 1;
  for (std::uint32_t rest = n; rest >= 10; rest /= 10) ++digits;
  for (; minDigits > digits; --minDigits) *out++ = '0';
  char* const end = out + digits;
  char* at = end;
  for (; n >= 100; n /= 100) {
    at -= 2;
    std::memcpy(at, &kDigitPairs[2 * (n % 100)], 2);
  }
  if (n >= 10) {
    std::memcpy(at - 2, &kDigitPairs[2 * n], 2);
  } else {
    at[-1] = static_cast<char>('0' + n);
  }
  return end;
}

// A short fixed text padded to a fixed size, so that it is copied in one go.
struct ShortText {
  explicit ShortText(std::string_view text) : size(text.size()) {
    if (size > bytes.size()) throw std::logic_error("a short text of the report is too long");
    std::memcpy(bytes.data(), text.data(), size);
  }
  std::array<char, 32> bytes{};
  std::size_t size;
};

// Writers into a line made room for (LineBuffer::Open): each writes at `at`
// and gives the end of what it wrote.

char* Copy(char* at, const ShortText& text) {
  std::memcpy(at, text.bytes.data(), text.bytes.size());
  return at + text.size;
}

// The first `size` bytes of `padded`, copied whole.
template <std::size_t N>
char* Copy(char* at, const std::array<char, N>& padded, std::size_t size) {
  std::memcpy(at, padded.data(), N);
  return at + size;
}

// n with at least `minDigits` digits, zero-padded after a minus sign.
char* PutInt(char* at, std::int32_t n, int minDigits) {
  if (n >= 0) return PutDigits(at, static_cast<std::uint32_t>(n), minDigits);
  *at++ = '-';
  return PutDigits(at, 0u - static_cast<std::uint32_t>(n), minDigits);
}

// A whole number with a blank in front when it is not negative.
char* PutSignBlank(char* at, std::int32_t n) {
  if (n >= 0) *at++ = ' ';
  return PutInt(at, n, 1);
}

char* PutLineEnd(char* at) {
  at[0] = '\r';
  at[1] = '\n';
  return at + 2;
}

// The texts that stand on most lines, padded for Copy.
struct ShortTexts {
  ShortText noteOff{Texts().noteOff};
  ShortText noteOn{Texts().noteOn};
  ShortText pitchBend{Texts().pitchBend};
  ShortText endOfSysEx{Texts().endOfSysEx};
  ShortText pitch{Texts().pitch};
  ShortText velocity{Texts().velocity};
  ShortText ticks{Texts().ticks};
  ShortText cents{Texts().cents};
  ShortText power{Texts().power};
  std::array<ShortText, 16> systemLabels = [] {
    const auto& labels = Texts().systemLabels;
    return std::array<ShortText, 16>{
        ShortText(labels[0]),  ShortText(labels[1]),  ShortText(labels[2]),  ShortText(labels[3]),
        ShortText(labels[4]),  ShortText(labels[5]),  ShortText(labels[6]),  ShortText(labels[7]),
        ShortText(labels[8]),  ShortText(labels[9]),  ShortText(labels[10]), ShortText(labels[11]),
        ShortText(labels[12]), ShortText(labels[13]), ShortText(labels[14]), ShortText(labels[15])};
  }();
};

const ShortTexts& Shorts() {
  static const ShortTexts texts;
  return texts;
}

// The lines not yet handed to the sink, written in place: a report runs to tens
// of megabytes, and this is where all of them pass.
class LineBuffer {
 public:
  explicit LineBuffer(ByteSink& sink) : sink_(sink), begin_(portable::UninitializedChars(kCapacity)) {}

  // The longest line the writers above make at once: a position, the columns,
  // a label and a number.
  static constexpr std::size_t kLineRoom = 128;

  // Where a line of at most kLineRoom bytes is written in place; Commit takes
  // what was written up to `end`.
  char* Open() {
    Ensure(kLineRoom);
    return end_;
  }
  void Commit(char* end) { end_ = end; }

  void Put(std::string_view text) {
    if (text.size() > Room()) {
      Flush();
      if (text.size() > kCapacity) {
        sink_.Write(text);
        return;
      }
    }
    std::memcpy(end_, text.data(), text.size());
    end_ += text.size();
  }

  // A whole number with a blank in front when it is not negative.
  void PutSignBlank(std::int32_t n) { Commit(midi::PutSignBlank(Open(), n)); }

  std::size_t Size() const { return static_cast<std::size_t>(end_ - begin_.get()); }

  void Flush() {
    if (Size() > 0) sink_.Write({begin_.get(), Size()});
    end_ = begin_.get();
  }

 private:
  // A chunk and the longest line: a line ended past the chunk size goes out
  // whole with it.
  static constexpr std::size_t kCapacity = kReportChunkBytes + 4096;

  std::size_t Room() const { return kCapacity - Size(); }

  // Room for `n` more bytes. Lines are short and the chunks go out at every
  // line end past kReportChunkBytes, so there is always room; this only keeps
  // the writes above inside the buffer whatever comes.
  void Ensure(std::size_t n) {
    if (Room() < n) [[unlikely]]
      Flush();
  }

  ByteSink& sink_;
  std::unique_ptr<char[]> begin_;
  char* end_ = begin_.get();
};

// The position column, at least four digits. Lines mostly follow each other
// one position apart, so the text of the last one is counted up.
class PositionColumn {
 public:
  // The text of `p` (from 1), in the first Size() bytes.
  const std::array<char, 16>& Of(Pos p) {
    if (p - 1 != last_ || !CountUp())
      size_ = static_cast<std::size_t>(PutDigits(text_.data(), p, 4) - text_.data());
    last_ = p;
    return text_;
  }

  std::size_t Size() const { return size_; }

 private:
  // False when the count runs past the digits there are (9999 to 10000).
  bool CountUp() {
    for (std::size_t i = size_; i-- > 0;) {
      if (text_[i] != '9') {
        ++text_[i];
        return true;
      }
      text_[i] = '0';
    }
    return false;
  }

  std::array<char, 16> text_{};
  std::size_t size_ = 0;
  Pos last_ = -1;  // none yet
};

// The bend texts met lately, "03.91", each kept in a slot by its bend value: a
// report of a melody has one for every note, but the bends that occur are few.
// A handful of slots, so that a short report does not pay for a large table.
class BendTexts {
 public:
  struct Text {
    std::array<char, 7> bytes{};  // "-200.00" .. "599.98"
    std::uint8_t size = 0;        // 0 while the slot is empty
    std::int16_t bend = 0;
  };

  explicit BendTexts(char separator) : separator_(separator) {}

  const Text& Of(std::int16_t bend, double cents) {
    Text& text = texts_[static_cast<std::uint16_t>(bend) % texts_.size()];
    if (text.size == 0 || text.bend != bend) {
      const std::string made = PatternText(cents, "00.00", separator_);
      if (made.size() > text.bytes.size()) throw std::logic_error("a bend text is too long");
      std::memcpy(text.bytes.data(), made.data(), made.size());
      text.size = static_cast<std::uint8_t>(made.size());
      text.bend = bend;
    }
    return text;
  }

 private:
  char separator_;
  std::array<Text, 512> texts_{};
};

// Writes the report line by line as the walk tells its bytes. A line that is
// left open is ended by the next step of the walk, or by the stop of the walk.
class ReportWriter final : public WalkListener {
 public:
  ReportWriter(ByteSink& sink, char decimalSeparator, bool metaEvents)
      : out_(sink), separator_(decimalSeparator), metaEvents_(metaEvents) {}

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
    out_.Put(texts_.ticksPerQuarterIs);
    out_.PutSignBlank(ticks);
    End();
    Lines({"", "", texts_.trackChunk, texts_.fourBytes});
  }

  void TrackLength(std::int32_t length) override {
    out_.Put(texts_.trackBytesIs);
    out_.PutSignBlank(length);
    End();
    Lines({"", "", texts_.events});
  }

  void Examined(Pos p, const FetchedByte& b) override {
    char* at = Columns(p, b, true, ByteColumns::kPrefix);
    const std::int32_t v = b.value;
    if (v == 0x2F) {
      at = Copy(at, shorts_.endOfSysEx);
    } else if (v == 0x80 || v == 0x90 || v == 0xE0) {
      at = Copy(at, v == 0x80 ? shorts_.noteOff : v == 0x90 ? shorts_.noteOn : shorts_.pitchBend);
      EndAt(PutSignBlank(at, v & 0x0F));
      return;
    } else if (v >= 0xF0) {
      at = Copy(at, shorts_.systemLabels[static_cast<std::size_t>(v & 0x0F)]);
      if (v == 0xFF && metaEvents_) {
        EndAt(at);
        return;
      }
    }
    Leave(at);
  }

  void StepEnd(Pos) override { End(); }

  void Pitch(Pos p, const FetchedByte& b) override {
    char* at = Copy(Columns(p, b, false, ByteColumns::kPrefix), shorts_.pitch);
    const std::string_view name = NoteName(b.value);  // two characters
    at[0] = name[0];
    at[1] = name[1];
    EndAt(at + 2);
  }

  void Velocity(Pos p, const FetchedByte& b) override {
    char* at = PutSignBlank(Copy(Columns(p, b, false, ByteColumns::kPrefix), shorts_.velocity), b.value);
    *at++ = ' ';
    EndAt(at);
  }

  void DeltaByte(Pos p, const FetchedByte& b, int index) override {
    EndAt(Columns(p, b, false, index == 0 ? ByteColumns::kLine : ByteColumns::kPrefix));
  }

  void Delta(Pos p, const FetchedByte& b, std::int32_t delta) override {
    Leave(PutSignBlank(Copy(Columns(p, b, false, ByteColumns::kPrefix), shorts_.ticks), delta));
  }

  void BendLsb(Pos p, const FetchedByte& b) override { EndAt(Columns(p, b, false, ByteColumns::kLine)); }

  void BendMsb(Pos p, const FetchedByte& b, std::int16_t bend, double cents) override {
    // Made before the line is opened: making a new text may take its time.
    const BendTexts::Text& text = bends_.Of(bend, cents);
    Leave(Copy(Copy(Columns(p, b, false, ByteColumns::kPrefix), text.bytes, text.size), shorts_.cents));
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
    out_.Put(texts_.tempoIs);
    out_.PutSignBlank(microsecondsPerQuarter);
    Line(texts_.microseconds);
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

  // Hands the lines still kept to the sink.
  void Flush() { out_.Flush(); }

 private:
  // Position, hex, decimal and the byte itself. The byte that the walk examines
  // is shown as a blank when it is 13, 129 or 144.
  void ByteLine(Pos p, const FetchedByte& b, bool examined) {
    Leave(Columns(p, b, examined, ByteColumns::kLine));
  }

  void BytePrefix(Pos p, const FetchedByte& b, bool examined) {
    Leave(Columns(p, b, examined, ByteColumns::kPrefix));
  }

  // Opens the line of the byte at p with its position and columns, `size` of
  // them (ByteColumns::kLine or kPrefix); gives where the line goes on.
  char* Columns(Pos p, const FetchedByte& b, bool examined, std::size_t size) {
    char* at = out_.Open();
    if (p >= 1) {
      const std::array<char, 16>& position = positions_.Of(p);
      at = Copy(at, position, positions_.Size());
    } else {
      at = PutInt(at, p, 4);
    }
    const auto& columns = kByteColumns[static_cast<std::size_t>(b.value)].text;
    if (examined && (b.value == 13 || b.value == 129 || b.value == 144)) {
      std::array<char, 32> blank = columns;
      blank[ByteColumns::kLine - 1] = ' ';
      return Copy(at, blank, size);
    }
    return Copy(at, columns, size);
  }

  // The line written up to `at` stays open.
  void Leave(char* at) {
    out_.Commit(at);
    open_ = true;
  }

  // The line written up to `at` ends.
  void EndAt(char* at) {
    out_.Commit(PutLineEnd(at));
    open_ = false;
    if (out_.Size() >= kReportChunkBytes) Flush();
  }

  void PoweredLine(Pos p, const FetchedByte& b, int exponent) {
    char* at = Copy(Columns(p, b, false, ByteColumns::kPrefix), shorts_.power);
    *at++ = static_cast<char>('0' + exponent);
    EndAt(at);
  }

  void End() { EndAt(out_.Open()); }

  void Line(std::string_view text) {
    out_.Put(text);
    End();
  }

  void Lines(std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines) Line(line);
  }

  LineBuffer out_;
  const FixedTexts& texts_ = Texts();
  const ShortTexts& shorts_ = Shorts();
  char separator_;
  BendTexts bends_{separator_};
  PositionColumn positions_;
  bool metaEvents_;
  bool open_ = false;
  std::int32_t LastTempo = 0;
};

}  // namespace

void DumpReport(const MidiImage& image, Pos& ScanPos, Build build, char decimalSeparator, ByteSink& out,
                WalkOutcome& walk) {
  // Only the current build reads meta events, raises a zero delta after a note
  // off to one tick and ends with the tick total and the duration.
  const bool current = build == Build::Tessaro5Vu;
  const WalkRules rules{.metaEvents = DecodesMetaEvents(build), .noteOffFloor = current};

  ReportWriter writer(out, decimalSeparator, rules.metaEvents);
  writer.Head(image.MidiFileName);
  EventWalkWith(image, ScanPos, rules, writer, walk);
  if (walk.stop) {
    writer.EndOpenLine();
  } else if (current) {
    writer.Summary(walk.tickTotal);
  } else {
    writer.NoSummary();
  }
  writer.Flush();
}

}  // namespace midi
