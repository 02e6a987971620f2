#pragma once

#include <string_view>

namespace finder {

// What the finder's core needs from its window. The window implements it;
// tests use a recording double.
class Window {
 public:
  virtual ~Window() = default;

  // Shows a modal message box with one OK button, titled with the program's
  // title, and returns when the user has confirmed it. The text is UTF-8.
  virtual void ShowMessage(std::string_view text) = 0;

  // Hides the file list and both frames of settings, so that the chart area is
  // unobstructed. The menus bring them back.
  virtual void HideInputs() = 0;

  // Shows the busy (hourglass) pointer over the window, or the normal one again.
  virtual void SetBusyPointer(bool busy) = 0;

  // Closes the window, which ends the program, once the current handler returns.
  virtual void RequestClose() = 0;
};

}  // namespace finder
