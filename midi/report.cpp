#include "midi/report.h"

#include <array>
#include <charconv>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>

#include "midi/codepage.h"
#include "midi/numbers.h"
#include "midi/portable.h"
#include "midi/walk.h"

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

// The hex and decimal columns of every byte value: "4D   077   ".
constexpr std::array<std::array<char, 11>, 256> kByteColumns = [] {
  constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::array<std::array<char, 11>, 256> columns{};
  for (int v = 0; v < 256; ++v) {
    const char text[11] = {kHexDigits[v >> 4],
                           kHexDigits[v & 0x0F],
                           ' ',
                           ' ',
                           ' ',
                           static_cast<char>('0' + v / 100),
                           static_cast<char>('0' + v / 10 % 10),
                           static_cast<char>('0' + v % 10),
                           ' ',
                           ' ',
                           ' '};
    for (int i = 0; i < 11; ++i) columns[static_cast<std::size_t>(v)][static_cast<std::size_t>(i)] = text[i];
  }
  return columns;
}();

// The lines not yet handed to the sink, written in place: a report runs to tens
// of megabytes, and this is where all of them pass.
class LineBuffer {
 public:
  explicit LineBuffer(ByteSink& sink)
      : sink_(sink), begin_(portable::UninitializedChars(kCapacity)) {}

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

  void Put(char c) {
    if (Room() == 0) Flush();
    *end_++ = c;
  }

  // n with at least `minDigits` digits, zero-padded after a minus sign.
  void PutNumber(std::int64_t n, int minDigits) {
    if (minDigits == 4 && n >= 0 && n <= 9999 && Room() >= 4) {  // a position: every line has one
      const auto v = static_cast<int>(n);
      end_[0] = static_cast<char>('0' + v / 1000);
      end_[1] = static_cast<char>('0' + v / 100 % 10);
      end_[2] = static_cast<char>('0' + v / 10 % 10);
      end_[3] = static_cast<char>('0' + v % 10);
      end_ += 4;
      return;
    }
    std::array<char, 24> digits{};
    const std::uint64_t magnitude = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude).ptr;
    const auto length = static_cast<int>(end - digits.data());
    if (n < 0) Put('-');
    for (int i = length; i < minDigits; ++i) Put('0');
    Put(std::string_view(digits.data(), static_cast<std::size_t>(length)));
  }

  // A whole number with a blank in front when it is not negative.
  void PutSignBlank(std::int32_t n) {
    if (n >= 0) Put(' ');
    PutNumber(n, 1);
  }

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

  ByteSink& sink_;
  std::unique_ptr<char[]> begin_;
  char* end_ = begin_.get();
};

// Writes the report line by line as the walk tells its bytes. A line that is
// left open is ended by the next step of the walk, or by the stop of the walk.
class ReportWriter : public WalkListener {
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
    BytePrefix(p, b, true);
    const std::int32_t v = b.value;
    if (v == 0x2F) {
      out_.Put(texts_.endOfSysEx);
    } else if (v == 0x80 || v == 0x90 || v == 0xE0) {
      out_.Put(v == 0x80 ? texts_.noteOff : v == 0x90 ? texts_.noteOn : texts_.pitchBend);
      out_.PutSignBlank(v & 0x0F);
      End();
    } else if (v >= 0xF0) {
      out_.Put(texts_.systemLabels[static_cast<std::size_t>(v & 0x0F)]);
      if (v == 0xFF && metaEvents_) End();
    }
  }

  void StepEnd(Pos) override { End(); }

  void Pitch(Pos p, const FetchedByte& b) override {
    BytePrefix(p, b, false);
    out_.Put(texts_.pitch);
    out_.Put(NoteName(b.value));
    End();
  }

  void Velocity(Pos p, const FetchedByte& b) override {
    BytePrefix(p, b, false);
    out_.Put(texts_.velocity);
    out_.PutSignBlank(b.value);
    out_.Put(' ');
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
    out_.Put(texts_.ticks);
    out_.PutSignBlank(delta);
  }

  void BendLsb(Pos p, const FetchedByte& b) override {
    ByteLine(p, b, false);
    End();
  }

  void BendMsb(Pos p, const FetchedByte& b, std::int16_t, double cents) override {
    BytePrefix(p, b, false);
    out_.Put(PatternText(cents, "00.00", separator_));
    out_.Put(texts_.cents);
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
    out_.PutNumber(p, 4);
    out_.Put("   ");
    out_.Put(std::string_view(kByteColumns[static_cast<std::size_t>(b.value)].data(), 11));
    const bool blank = examined && (b.value == 13 || b.value == 129 || b.value == 144);
    out_.Put(blank ? ' ' : static_cast<char>(b.value));
    open_ = true;
  }

  void BytePrefix(Pos p, const FetchedByte& b, bool examined) {
    ByteLine(p, b, examined);
    out_.Put("   ");
  }

  void PoweredLine(Pos p, const FetchedByte& b, int exponent) {
    BytePrefix(p, b, false);
    out_.Put(texts_.power);
    out_.Put(static_cast<char>('0' + exponent));
    End();
  }

  void End() {
    out_.Put("\r\n");
    open_ = false;
    if (out_.Size() >= kReportChunkBytes) Flush();
  }

  void Line(std::string_view text) {
    out_.Put(text);
    End();
  }

  void Lines(std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines) Line(line);
  }

  LineBuffer out_;
  const FixedTexts& texts_ = Texts();
  char separator_;
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
  EventWalk(image, ScanPos, rules, writer, walk);
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
