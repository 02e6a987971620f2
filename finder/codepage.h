#pragma once

#include <string>
#include <string_view>

namespace finder {

// The Windows-1254 bytes of a UTF-8 text, one byte per character. A character
// that code page lacks, and each byte of a malformed sequence, becomes "?".
std::string Windows1254(std::string_view utf8);

}  // namespace finder
