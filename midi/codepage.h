#pragma once

#include <string>
#include <string_view>

namespace midi {

// The Windows-1254 bytes of a UTF-8 text; a character that code page lacks,
// and a byte that is not UTF-8, becomes '?'.
std::string Windows1254(std::string_view utf8);

}  // namespace midi
