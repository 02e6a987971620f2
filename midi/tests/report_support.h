#pragma once

// Reads a report back for the tests: from Windows-1254 into UTF-8, line by line,
// so that expected lines can be written as the text shows them.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace midi::test {

// The characters of the bytes 0x80 .. 0xFF in Windows-1254. A byte the code page
// leaves undefined reads as the control character of the same number.
inline char32_t Cp1254Char(std::uint8_t byte) {
  static constexpr char32_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                         0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x008E, 0x008F,
                                         0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                         0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178};
  static constexpr std::pair<std::uint8_t, char32_t> kTurkish[] = {{0xD0, U'Ğ'}, {0xDD, U'İ'}, {0xDE, U'Ş'},
                                                                   {0xF0, U'ğ'}, {0xFD, U'ı'}, {0xFE, U'ş'}};
  if (byte >= 0x80 && byte < 0xA0) return kHigh[byte - 0x80];
  for (const auto& [code, letter] : kTurkish) {
    if (code == byte) return letter;
  }
  return byte;
}

inline void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// The report's lines in UTF-8. A report whose last line lacks its CR LF gets a
// last line "<no CR LF>", so that a comparison shows it.
inline std::vector<std::string> ReportLines(std::string_view report) {
  std::string text;
  for (char c : report) AppendUtf8(text, Cp1254Char(static_cast<std::uint8_t>(c)));
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  if (start != text.size()) lines.push_back("<no CR LF>");
  return lines;
}

inline std::vector<std::string> ReportLines(const std::vector<std::uint8_t>& report) {
  return ReportLines(std::string_view(reinterpret_cast<const char*>(report.data()), report.size()));
}

}  // namespace midi::test
