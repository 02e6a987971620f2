#pragma once

#include <cstdint>
#include <iostream>
#include <string>
#include <string_view>
#include <utility>

#include "midi/messages.h"
#include "midi/window.h"

namespace midi::cli {

// The window of one file in a terminal: every message goes to standard error
// with the file's name in front. It keeps apart the warnings about delta times
// it cannot decode, which TEST counts and to TXT goes on after, from the
// messages that mean the command failed on the file.
class TerminalWindow : public Window {
 public:
  explicit TerminalWindow(std::string fileName) : fileName_(std::move(fileName)) {}

  void ShowMessage(std::string_view text) override {
    std::cerr << fileName_ << ": " << text << '\n';
    if (text == messages::kTickTooLarge) {
      ++tickWarnings_;
    } else {
      failed_ = true;
    }
  }
  void SetBusyPointer(bool) override {}
  bool PumpEvents() override { return true; }
  void DrawMeter(std::int32_t) override {}
  void RefreshNameList() override {}

  // A note that is not a failure.
  void Note(std::string_view text) const { std::cerr << fileName_ << ": " << text << '\n'; }

  std::int32_t tickWarnings() const { return tickWarnings_; }
  bool failed() const { return failed_; }

 private:
  std::string fileName_;
  std::int32_t tickWarnings_ = 0;
  bool failed_ = false;
};

}  // namespace midi::cli
