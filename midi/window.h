#pragma once

#include <cstdint>
#include <string_view>

namespace midi {

// What the MIDI core needs from the window that shows it. The window implements
// it; tests use a recording double.
class Window {
 public:
  virtual ~Window() = default;

  // Shows a modal message box with one OK button, titled with the program's
  // title, and returns when the user has confirmed it. The text is UTF-8.
  virtual void ShowMessage(std::string_view text) = 0;

  // The busy (hourglass) mouse pointer while `busy`, the default one otherwise.
  virtual void SetBusyPointer(bool busy) = 0;

  // Handles every pending window event. Returns false once the window is
  // closing, so that a long command stops before it writes anything.
  virtual bool PumpEvents() = 0;

  // Shows the meter picture from source row `row` on.
  virtual void DrawMeter(std::int32_t row) = 0;

  // Re-reads the folder and rebuilds the list of MIDI file names.
  virtual void RefreshNameList() = 0;
};

}  // namespace midi
