#include "midi/failure.h"

#include <cstdint>

namespace midi {

const char* ReadFailure::what() const noexcept {
  switch (kind_) {
    case Kind::Truncated:
      return "midi: file ends early";
    case Kind::ZeroTempo:
      return "midi: tempo 0";
    case Kind::Overflow:
      return "midi: number overflow";
  }
  return "midi: read failure";
}

std::int32_t CheckedAdd(std::int32_t a, std::int32_t b, Pos pos) {
  std::int32_t sum = 0;
  if (__builtin_add_overflow(a, b, &sum)) throw ReadFailure(ReadFailure::Kind::Overflow, pos);
  return sum;
}

std::int16_t CheckedNarrow16(std::int32_t value, Pos pos) {
  if (value < INT16_MIN || value > INT16_MAX) throw ReadFailure(ReadFailure::Kind::Overflow, pos);
  return static_cast<std::int16_t>(value);
}

}  // namespace midi
