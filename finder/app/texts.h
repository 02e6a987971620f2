#pragma once

#include <string_view>

// Every text the finder's window shows besides the core's, in one place. UTF-8.
namespace finder::texts {

// The window's caption, which also titles every message box.
inline constexpr std::string_view kTitle = "Orvette101A";

// The menu's guard: Run with no entry of the file list chosen.
inline constexpr std::string_view kChooseFile = "Bir dosya seçin.";

inline constexpr std::string_view kFileMenu = "File";
inline constexpr std::string_view kOpen = "Open";
inline constexpr std::string_view kExit = "Exit";
inline constexpr std::string_view kTemperaments = "Temperemants";
inline constexpr std::string_view kCriteria = "Critera";
inline constexpr std::string_view kRun = "Run";
inline constexpr std::string_view kPrint = "Print";

inline constexpr std::string_view kTemperamentsFrame = "Temperemants";
inline constexpr std::string_view kSingle = "Single";
inline constexpr std::string_view kRange = "Range";
inline constexpr std::string_view kDegree = "Degree";
inline constexpr std::string_view kStart = "Start";
inline constexpr std::string_view kStop = "Stop";

inline constexpr std::string_view kCriteriaFrame = "Criteriums";
inline constexpr std::string_view kMaximumDeviation = "Maximum Deviation";
inline constexpr std::string_view kStandardDeviation = "Standard Deviation";
inline constexpr std::string_view kCentLimit = "Cent Limit";

// The file list shows the names that match this, in any letter case.
inline constexpr std::string_view kSourceExtension = ".txt";

}  // namespace finder::texts
