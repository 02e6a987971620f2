// The MIDI tool's core as a WebAssembly module. The commands work on files in
// the module's in-memory file system exactly as the window works on its folder;
// the page moves the user's files in and the outputs out.
//
//   const M = await createMidiModule();    // midi_module.js, one file
//   M.FS                                    // the in-memory file system: mkdir, writeFile, readFile, readdir
//   ... M.ListMidiNames(folder)                 // the name list: [{entry: "rast", fileName: "rast.mid"},
//   ...]
//                                           // (".mid" in any case, sorted without regard to case)
//   const tool = new M.MidiTool(build, folder);  // build: "Tessaro5Vu" | "Tessaro5" | "Lumbric5"
//   tool.decimalSeparator = ",";            // one ASCII character; the report's cents take it
//   tool.LoadImage(entry[, fileName])      // {kind: "Loaded"|"Empty"|"Unreadable", fileName, messages}
//   tool.TestEt()                           // {loaded, tickWarnings: [pos...], stop, tickTotal, messages}
//   tool.TxtYaz()                           // {loaded, name, reportSize, tickWarnings, stop, messages}
//                                           //   messages: the warnings, shown before the report appears
//   tool.SaveReport()                       // {written, name, messages}: puts the report of the last TxtYaz
//   in place tool.MidiYaz([progress])                // {kind:
//   "NoImage"|"NoPackets"|"Closed"|"NotWritten"|"Written",
//                                           //  packets, name13, name24, unwritten, messages}
//                                           //   progress(k) is called after pair step k (1, 3, 5, ...);
//                                           //   returning false stops the split, which then writes nothing;
//                                           //   it must not throw (the core's cleanup would not run)
//   tool.cents()                            // {written, name, rows, messages}: BaseName_cent.txt, as
//   tessaro-cli cents tool.image()                            // {BaseName, MidiFileName, FileLength}
//   tool.delete()                           // frees the tool (embind objects are not garbage-collected)
//
// `stop` is null or {kind: "Truncated"|"ZeroTempo"|"Overflow", position}. Every
// `messages` is the list of the user's Turkish texts for that outcome, in the
// order the window shows them, one message box each.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "midi/build.h"
#include "midi/cli/cents.h"
#include "midi/cli/texts.h"
#include "midi/files.h"
#include "midi/messages.h"
#include "midi/names.h"
#include "midi/split.h"
#include "midi/tool.h"

namespace midi::web {
namespace {

using emscripten::val;

Build BuildNamed(const std::string& name) {
  if (name == "Tessaro5Vu") return Build::Tessaro5Vu;
  if (name == "Tessaro5") return Build::Tessaro5;
  if (name == "Lumbric5") return Build::Lumbric5;
  throw std::invalid_argument("unknown build: " + name);
}

val Texts(const std::vector<std::string>& texts) {
  val array = val::array();
  for (const std::string& text : texts) array.call<void>("push", val(text));
  return array;
}

const char* KindName(ReadFailure::Kind kind) {
  switch (kind) {
    case ReadFailure::Kind::Truncated:
      return "Truncated";
    case ReadFailure::Kind::ZeroTempo:
      return "ZeroTempo";
    case ReadFailure::Kind::Overflow:
      return "Overflow";
  }
  return "";
}

// The walk's findings into `object`.
void PutWalk(val& object, const WalkOutcome& walk) {
  val warnings = val::array();
  for (const Pos position : walk.tickWarnings) warnings.call<void>("push", position);
  object.set("tickWarnings", warnings);
  if (walk.stop) {
    val stop = val::object();
    stop.set("kind", KindName(walk.stop->kind()));
    stop.set("position", walk.stop->position());
    object.set("stop", stop);
  } else {
    object.set("stop", val::null());
  }
  object.set("tickTotal", walk.tickTotal);
}

const char* KindName(LoadOutcome::Kind kind) {
  switch (kind) {
    case LoadOutcome::Kind::Loaded:
      return "Loaded";
    case LoadOutcome::Kind::Empty:
      return "Empty";
    case LoadOutcome::Kind::Unreadable:
      return "Unreadable";
  }
  return "";
}

const char* KindName(StartOutcome::Kind kind) {
  switch (kind) {
    case StartOutcome::Kind::NoImage:
      return "NoImage";
    case StartOutcome::Kind::NoPackets:
      return "NoPackets";
    case StartOutcome::Kind::Closed:
      return "Closed";
    case StartOutcome::Kind::NotWritten:
      return "NotWritten";
    case StartOutcome::Kind::Written:
      return "Written";
  }
  return "";
}

// The page's callback as the split's watcher.
class CallbackProgress : public StartProgress {
 public:
  explicit CallbackProgress(val callback) : callback_(std::move(callback)) {}
  bool PairStepDone(std::int32_t k) override { return callback_(k).as<bool>(); }

 private:
  val callback_;
};

class WebMidiTool {
 public:
  WebMidiTool(const std::string& build, const std::string& folder) : tool_(BuildNamed(build), folder) {}

  std::string decimalSeparator() const { return std::string(1, tool_.DecimalSeparator); }
  void setDecimalSeparator(const std::string& separator) {
    if (separator.size() != 1 || static_cast<unsigned char>(separator[0]) >= 0x80) {
      throw std::invalid_argument("the decimal separator is one ASCII character");
    }
    tool_.DecimalSeparator = separator[0];
  }

  val LoadEntry(const std::string& entry) { return Loaded(tool_.LoadImage(entry)); }
  val LoadFile(const std::string& entry, const std::string& fileName) {
    return Loaded(tool_.LoadImage(entry, fileName));
  }

  val Loaded(const LoadOutcome& load) {
    val out = val::object();
    out.set("kind", KindName(load.kind));
    out.set("fileName", load.fileName);
    out.set("messages", Texts(messages::Of(load)));
    return out;
  }

  val TestEt() {
    const TestOutcome test = tool_.TestEt();
    val out = val::object();
    out.set("loaded", test.loaded);
    PutWalk(out, test.walk);
    out.set("messages", Texts(messages::Of(test)));
    return out;
  }

  val TxtYaz() {
    pending_ = tool_.TxtYaz();
    val out = val::object();
    out.set("loaded", pending_->loaded);
    out.set("name", pending_->name);
    out.set("reportSize", static_cast<double>(pending_->reportSize));
    PutWalk(out, pending_->walk);
    out.set("messages", Texts(messages::BeforeSave(*pending_)));
    return out;
  }

  val SaveReport() {
    TxtOutcome txt = pending_ ? std::move(*pending_) : TxtOutcome{};
    pending_.reset();
    tool_.SaveReport(txt);
    val out = val::object();
    out.set("written", txt.written);
    out.set("name", txt.name);
    out.set("messages", Texts(messages::AfterSave(txt)));
    return out;
  }

  val MidiYazAlone() { return Started(tool_.MidiYaz()); }
  val MidiYazWatched(val progress) {
    CallbackProgress watcher(std::move(progress));
    return Started(tool_.MidiYaz(watcher));
  }

  val Started(const StartOutcome& start) {
    val out = val::object();
    out.set("kind", KindName(start.kind));
    out.set("packets", start.packets);
    out.set("name13", start.name13);
    out.set("name24", start.name24);
    out.set("unwritten", start.unwritten);
    out.set("messages", Texts(messages::Of(start)));
    return out;
  }

  // tessaro-cli cents on the loaded image: its file and its messages.
  val Cents() {
    std::vector<std::string> told;
    const cli::CentTable table = cli::CentTableOf(tool_.image(), ScanPackets(tool_.image()));
    for (const cli::SkippedPacket& skipped : table.skipped) {
      told.push_back(skipped.why == cli::SkippedPacket::Why::NoNoteOn
                         ? cli::texts::NoNoteOn(skipped.number)
                         : cli::texts::Unreadable(skipped.number));
    }
    const std::string name = tool_.image().BaseName + "_cent.txt";
    bool written = false;
    if (table.rows == 0) {
      told.emplace_back(cli::texts::kNoCentRows);
    } else if (SaveWhole(tool_.folder() / name, table.text)) {
      written = true;
    } else {
      told.push_back(messages::CannotWrite(name));
    }
    val out = val::object();
    out.set("written", written);
    out.set("name", name);
    out.set("rows", table.rows);
    out.set("messages", Texts(told));
    return out;
  }

  val Image() const {
    val out = val::object();
    out.set("BaseName", tool_.image().BaseName);
    out.set("MidiFileName", tool_.image().MidiFileName);
    out.set("FileLength", tool_.image().FileLength());
    return out;
  }

 private:
  MidiTool tool_;
  std::optional<TxtOutcome> pending_;  // made by TxtYaz, until SaveReport
};

val NameList(const std::string& folder) {
  val list = val::array();
  for (const MidiName& name : ListMidiNames(folder)) {
    val entry = val::object();
    entry.set("entry", name.entry);
    entry.set("fileName", name.fileName);
    list.call<void>("push", entry);
  }
  return list;
}

}  // namespace
}  // namespace midi::web

EMSCRIPTEN_BINDINGS(midi_module) {
  using namespace midi::web;
  emscripten::function("ListMidiNames", &NameList);
  emscripten::class_<WebMidiTool>("MidiTool")
      .constructor<std::string, std::string>()
      .property("decimalSeparator", &WebMidiTool::decimalSeparator, &WebMidiTool::setDecimalSeparator)
      .function("LoadImage", &WebMidiTool::LoadEntry)
      .function("LoadImage", &WebMidiTool::LoadFile)
      .function("TestEt", &WebMidiTool::TestEt)
      .function("TxtYaz", &WebMidiTool::TxtYaz)
      .function("SaveReport", &WebMidiTool::SaveReport)
      .function("MidiYaz", &WebMidiTool::MidiYazAlone)
      .function("MidiYaz", &WebMidiTool::MidiYazWatched)
      .function("cents", &WebMidiTool::Cents)
      .function("image", &WebMidiTool::Image);
}
