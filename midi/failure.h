#pragma once

#include <cstdint>
#include <exception>

namespace midi {

// 1-based byte position in the image. Positions are 32-bit so that files longer
// than 32767 bytes can be walked too.
using Pos = std::int32_t;

// Why a walk over the image had to stop. Thrown by the readers and the walk,
// caught by the operation that started them, which shows the message.
class ReadFailure : public std::exception {
 public:
  enum class Kind {
    Truncated,  // a decode needs a byte past the last one
    ZeroTempo,  // a Set Tempo event with tempo 0
    Overflow,   // a number passes its fixed width
  };

  ReadFailure(Kind kind, Pos position) : kind_(kind), position_(position) {}

  Kind kind() const { return kind_; }
  Pos position() const { return position_; }
  const char* what() const noexcept override;

 private:
  Kind kind_;
  Pos position_;
};

// Checked fixed-width arithmetic: an overflow stops the walk at `pos`, never wraps.
std::int32_t CheckedAdd(std::int32_t a, std::int32_t b, Pos pos);
std::int16_t CheckedNarrow16(std::int32_t value, Pos pos);

}  // namespace midi
