// The finder's core as a WebAssembly module. Reading, searching and writing are
// computed from bytes to bytes; Print alone writes into the module's in-memory
// file system, through the finder's file layer, as the window does.
//
//   const F = await createFinderModule();   // finder_module.js, one file
//   F.FS                                     // the in-memory file system
//   const finder = new F.Finder();
//   finder.KaynakOku(bytes, fileName)        // bytes: Uint8Array, or null when the file could not be read;
//                                            // a name ending in ".scl" (any case) is read as a Scala scale
//     -> {status: "Read"|"Unreadable"|"NumberExpected"|"NumberTooLarge"|"TooManyRecords"|"OutOfOctave"
//                 |"ScalaRefused", records, line, scala, message}
//        scala: null, or what F.ParseScala gave; message: the user's text or null
//   finder.Basla(settings)                   // settings, every field optional (the window's initial
//   content):
//                                            // {span: "Single"|"Range", degreeText, startText, stopText,
//                                            //  criterion: "MaxDeviation"|"StandardDeviation",
//                                            centLimitText,
//                                            //  decimalSeparator}, the texts as typed
//     -> {status: "Found"|"NoneQualified"|"NoTable"|"DegreeOutOfRange"|"DurationTooLarge", start, stop,
//         degree, curve: [{degree, measure}], deviationSum, meanDeviation,
//         spread: {MaxDeviation, Variance, StandardDeviation}, rows: [{step, cent, count, share}],
//         maxDuration, message}
//   finder.RaporCiz(canvas, separator)       // the chart of the last run onto `canvas`
//   F.Grafik(canvas, barCount)               // the empty chart frame
//   finder.RowTexts(separator)               // the last run's rows as the chart writes them: [{step, cent,
//   count, share}] finder.SummaryLines(separator)           // the last run's summary lines
//   finder.SonucYaz(separator)               // "sonuc.csv"'s bytes (Uint8Array), null before any run
//   finder.Print(folder, separator)          // writes folder/sonuc.csv: {outcome:
//   "Written"|"NoRun"|"Unwritable", message} finder.TemperedScale(fileName, sourceName)  // the found
//   degree's scale as Scala bytes; null unless found finder.SourceTableText()                 // the table
//   read, in the finder's source format (bytes) finder.SourceCount(), finder.CurrentDegree()
//   F.ParseScala(bytes) -> {status: "Ok"|"NumberExpected"|"NumberTooLarge"|"RatioNotPositive"|"OutOfOctave"
//                                   |"CountMismatch", description, count, pitchLines, line, records, message}
//   F.IsDecimal(text, separator)             // whether a typed text is a number
//   F.ShortForm(value, separator)            // a figure in the short form orvette-cli writes a curve's measures in
//   finder.delete()                          // frees the finder (embind objects are not garbage-collected)
//
// A canvas is any object with the methods of the chart area, 1200 × 545 pixels:
//   Clear(), ShowLegends(), Text(x, y, colour, text), Line(x1, y1, x2, y2, colour, width),
//   Box(x1, y1, x2, y2, colour), Refresh()
// colour is "#rrggbb"; the other arguments are numbers and a text as finder/canvas.h says.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "finder/canvas.h"
#include "finder/chart.h"
#include "finder/files.h"
#include "finder/finder.h"
#include "finder/format.h"
#include "finder/messages.h"
#include "finder/number.h"
#include "finder/result.h"
#include "finder/scala.h"

namespace finder::web {
namespace {

using emscripten::val;

// Bytes for the page: a Uint8Array of its own.
val Bytes(std::string_view bytes) {
  return val(emscripten::typed_memory_view(bytes.size(), reinterpret_cast<const std::uint8_t*>(bytes.data())))
      .call<val>("slice");
}

val TextOrNull(const std::optional<std::string>& text) { return text ? val(*text) : val::null(); }

bool EndsWithScl(std::string_view name) {
  if (name.size() < 4) return false;
  std::string ending(name.substr(name.size() - 4));
  std::transform(ending.begin(), ending.end(), ending.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ending == ".scl";
}

char SeparatorOf(const std::string& text) { return text.size() == 1 ? text[0] : '.'; }

class JsCanvas : public Canvas {
 public:
  explicit JsCanvas(val target) : target_(std::move(target)) {}
  void Clear() override { target_.call<void>("Clear"); }
  void ShowLegends() override { target_.call<void>("ShowLegends"); }
  void Text(std::int32_t x, std::int32_t y, Rgb colour, std::string_view text) override {
    target_.call<void>("Text", x, y, Css(colour), std::string(text));
  }
  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour,
            std::int32_t width) override {
    target_.call<void>("Line", x1, y1, x2, y2, Css(colour), width);
  }
  void Box(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour) override {
    target_.call<void>("Box", x1, y1, x2, y2, Css(colour));
  }
  void Refresh() override { target_.call<void>("Refresh"); }

 private:
  static std::string Css(Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return text;
  }
  val target_;
};

const char* StatusName(SourceOutcome::Status status) {
  using Status = SourceOutcome::Status;
  switch (status) {
    case Status::Read:
      return "Read";
    case Status::Unreadable:
      return "Unreadable";
    case Status::NumberExpected:
      return "NumberExpected";
    case Status::NumberTooLarge:
      return "NumberTooLarge";
    case Status::TooManyRecords:
      return "TooManyRecords";
    case Status::OutOfOctave:
      return "OutOfOctave";
  }
  return "";
}

const char* StatusName(ScalaReading::Status status) {
  using Status = ScalaReading::Status;
  switch (status) {
    case Status::Ok:
      return "Ok";
    case Status::NumberExpected:
      return "NumberExpected";
    case Status::NumberTooLarge:
      return "NumberTooLarge";
    case Status::RatioNotPositive:
      return "RatioNotPositive";
    case Status::OutOfOctave:
      return "OutOfOctave";
    case Status::CountMismatch:
      return "CountMismatch";
  }
  return "";
}

const char* StatusName(RunOutcome::Status status) {
  using Status = RunOutcome::Status;
  switch (status) {
    case Status::Found:
      return "Found";
    case Status::NoneQualified:
      return "NoneQualified";
    case Status::NoTable:
      return "NoTable";
    case Status::DegreeOutOfRange:
      return "DegreeOutOfRange";
    case Status::DurationTooLarge:
      return "DurationTooLarge";
  }
  return "";
}

const char* OutcomeName(PrintOutcome outcome) {
  switch (outcome) {
    case PrintOutcome::Written:
      return "Written";
    case PrintOutcome::NoRun:
      return "NoRun";
    case PrintOutcome::Unwritable:
      return "Unwritable";
  }
  return "";
}

val ScalaObject(const ScalaReading& reading) {
  val out = val::object();
  out.set("status", StatusName(reading.status));
  out.set("description", reading.description);
  out.set("count", reading.count);
  out.set("pitchLines", reading.pitchLines);
  out.set("line", reading.line);
  val records = val::array();
  for (const SourceRecord& record : reading.records) {
    val pair = val::object();
    pair.set("Cent", record.Cent);
    pair.set("Duration", record.Duration);
    records.call<void>("push", pair);
  }
  out.set("records", records);
  out.set("message", TextOrNull(messages::MessageOf(reading)));
  return out;
}

val ParseScalaBytes(const std::string& bytes) { return ScalaObject(ParseScala(bytes)); }

// The settings as the window holds them; a field the page leaves out keeps the
// window's initial content.
SearchSettings SettingsOf(const val& from) {
  SearchSettings settings;
  const auto text = [&from](const char* name, std::string& field) {
    if (from.hasOwnProperty(name)) field = from[name].as<std::string>();
  };
  if (from.hasOwnProperty("span")) {
    settings.span = from["span"].as<std::string>() == "Single" ? Span::Single : Span::Range;
  }
  if (from.hasOwnProperty("criterion")) {
    settings.criterion = from["criterion"].as<std::string>() == "StandardDeviation"
                             ? Criterion::StandardDeviation
                             : Criterion::MaxDeviation;
  }
  text("degreeText", settings.degreeText);
  text("startText", settings.startText);
  text("stopText", settings.stopText);
  text("centLimitText", settings.centLimitText);
  if (from.hasOwnProperty("decimalSeparator")) {
    settings.decimalSeparator = SeparatorOf(from["decimalSeparator"].as<std::string>());
  }
  return settings;
}

val RunObject(const RunOutcome& run) {
  val out = val::object();
  out.set("status", StatusName(run.status));
  out.set("start", run.start);
  out.set("stop", run.stop);
  out.set("degree", run.degree);
  val curve = val::array();
  for (const DegreeMeasure& point : run.curve) {
    val measure = val::object();
    measure.set("degree", point.degree);
    measure.set("measure", point.measure);
    curve.call<void>("push", measure);
  }
  out.set("curve", curve);
  out.set("deviationSum", run.deviationSum);
  out.set("meanDeviation", run.meanDeviation);
  val spread = val::object();
  spread.set("MaxDeviation", run.spread.MaxDeviation);
  spread.set("Variance", run.spread.Variance);
  spread.set("StandardDeviation", run.spread.StandardDeviation);
  out.set("spread", spread);
  val rows = val::array();
  for (const StepRow& row : run.rows) {
    val r = val::object();
    r.set("step", row.step);
    r.set("cent", row.cent);
    r.set("count", row.count);
    r.set("share", row.share);
    rows.call<void>("push", r);
  }
  out.set("rows", rows);
  out.set("maxDuration", run.maxDuration);
  out.set("message", TextOrNull(messages::MessageOf(run)));
  return out;
}

class WebFinder {
 public:
  val KaynakOku(val bytes, const std::string& fileName) {
    std::optional<std::string> text;
    if (!bytes.isNull() && !bytes.isUndefined()) text = bytes.as<std::string>();
    val out = val::object();
    out.set("scala", val::null());
    if (text && EndsWithScl(fileName)) {
      const ScalaReading scale = ParseScala(*text);
      out.set("scala", ScalaObject(scale));
      if (const std::optional<std::string> refused = messages::MessageOf(scale)) {
        finder_.KaynakOku(std::string_view{});  // a refused file leaves the table empty
        out.set("status", "ScalaRefused");
        out.set("records", 0);
        out.set("line", scale.line);
        out.set("message", *refused);
        return out;
      }
      text = SourceTableText(scale.records);
    }
    const SourceOutcome read = finder_.KaynakOku(text);
    out.set("status", StatusName(read.status));
    out.set("records", read.records);
    out.set("line", read.line);
    out.set("message", TextOrNull(messages::MessageOf(read, fileName)));
    return out;
  }

  val Basla(val settings) {
    run_ = finder_.Basla(SettingsOf(settings));
    return RunObject(*run_);
  }

  void RaporCiz(val canvas, const std::string& separator) {
    if (!run_) return;
    JsCanvas target(std::move(canvas));
    finder::RaporCiz(target, *run_, SeparatorOf(separator));
  }

  val RowTexts(const std::string& separator) const {
    val rows = val::array();
    if (!run_) return rows;
    for (const StepRow& row : run_->rows) {
      const finder::RowTexts texts = TextsOf(row, SeparatorOf(separator));
      val r = val::object();
      r.set("step", texts.step);
      r.set("cent", texts.cent);
      r.set("count", texts.count);
      r.set("share", texts.share);
      rows.call<void>("push", r);
    }
    return rows;
  }

  val Summary(const std::string& separator) const {
    val lines = val::array();
    if (!run_ || run_->status != RunOutcome::Status::Found) return lines;
    for (const std::string& line : finder::SummaryLines(*run_, SeparatorOf(separator))) {
      lines.call<void>("push", line);
    }
    return lines;
  }

  val SonucYaz(const std::string& separator) const {
    const std::optional<std::string> bytes = finder_.SonucYaz(SeparatorOf(separator));
    return bytes ? Bytes(*bytes) : val::null();
  }

  val Print(const std::string& folder, const std::string& separator) const {
    PrintOutcome printed = PrintOutcome::NoRun;
    if (const std::optional<std::string> bytes = finder_.SonucYaz(SeparatorOf(separator))) {
      printed = SaveWhole(std::filesystem::path(folder) / kResultFile, *bytes) ? PrintOutcome::Written
                                                                               : PrintOutcome::Unwritable;
    }
    val out = val::object();
    out.set("outcome", OutcomeName(printed));
    out.set("message", TextOrNull(messages::MessageOf(printed)));
    return out;
  }

  val Tempered(const std::string& fileName, const std::string& sourceName) const {
    if (!run_ || run_->status != RunOutcome::Status::Found) return val::null();
    return Bytes(TemperedScale(fileName, sourceName, finder_.StepTable()));
  }

  val TableText() const { return Bytes(SourceTableText(finder_.SourceTable())); }
  std::int32_t SourceCount() const { return finder_.SourceCount(); }
  std::int16_t CurrentDegree() const { return finder_.CurrentDegree(); }

 private:
  Finder finder_;
  std::optional<RunOutcome> run_;  // the last run, which the chart draws
};

void DrawFrame(val canvas, std::int16_t barCount) {
  JsCanvas target(std::move(canvas));
  Grafik(target, barCount);
}

bool IsTypedDecimal(const std::string& text, const std::string& separator) {
  return IsDecimal(text, SeparatorOf(separator));
}

std::string ShortFormOf(double value, const std::string& separator) {
  return ShortForm(value, SeparatorOf(separator));
}

}  // namespace
}  // namespace finder::web

EMSCRIPTEN_BINDINGS(finder_module) {
  using namespace finder::web;
  emscripten::function("ParseScala", &ParseScalaBytes);
  emscripten::function("Grafik", &DrawFrame);
  emscripten::function("IsDecimal", &IsTypedDecimal);
  emscripten::function("ShortForm", &ShortFormOf);
  emscripten::class_<WebFinder>("Finder")
      .constructor<>()
      .function("KaynakOku", &WebFinder::KaynakOku)
      .function("Basla", &WebFinder::Basla)
      .function("RaporCiz", &WebFinder::RaporCiz)
      .function("RowTexts", &WebFinder::RowTexts)
      .function("SummaryLines", &WebFinder::Summary)
      .function("SonucYaz", &WebFinder::SonucYaz)
      .function("Print", &WebFinder::Print)
      .function("TemperedScale", &WebFinder::Tempered)
      .function("SourceTableText", &WebFinder::TableText)
      .function("SourceCount", &WebFinder::SourceCount)
      .function("CurrentDegree", &WebFinder::CurrentDegree);
}
