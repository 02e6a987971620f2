#include <filesystem>
#include <new>
#include <optional>
#include <system_error>

#include "midi/messages.h"
#include "midi/report.h"
#include "midi/save.h"
#include "midi/tool.h"

namespace midi {
namespace {

// The busy pointer while the report is made and written, the default one after.
class BusyPointer {
 public:
  explicit BusyPointer(Window& window) : window_(window) { window_.SetBusyPointer(true); }
  ~BusyPointer() { window_.SetBusyPointer(false); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  Window& window_;
};

// A report of an earlier run must not pass for this run's when this one could
// not be written.
void RemoveStaleReport(const std::filesystem::path& path) {
  std::error_code ignored;
  if (std::filesystem::is_regular_file(path, ignored)) std::filesystem::remove(path, ignored);
}

}  // namespace

void MidiTool::TxtYaz() {
  if (!image_.Loaded()) {
    window_.ShowMessage(messages::kChooseFile);
    return;
  }
  image_.MidiFileName = image_.BaseName + ".txt";
  const std::filesystem::path path = folder_ / image_.MidiFileName;

  std::optional<ReadFailure> failure;
  bool saved = false;
  {
    BusyPointer busy(window_);
    try {
      const DumpResult dump = DumpReport(image_, ScanPos, build_, DecimalSeparator, window_);
      failure = dump.failure;
      // A walk that stopped still leaves its report: it shows where the file goes wrong.
      saved = SaveWhole(path, dump.text);
    } catch (const std::bad_alloc&) {
      // The report of a very large file does not fit in memory; it is not written.
    }
    if (!saved) RemoveStaleReport(path);
  }
  if (!saved) {
    window_.ShowMessage(messages::CannotWrite(image_.MidiFileName));
  } else if (failure) {
    window_.ShowMessage(messages::ForFailure(*failure));
  }
}

}  // namespace midi
