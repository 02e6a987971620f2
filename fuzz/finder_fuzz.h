#pragma once

// What the finder's fuzz targets share: a property check, and a reader that
// takes the fuzzed bytes from the front and gives zeros once they run out.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace finder::fuzz {

// A property the input broke: stop the fuzzer here.
inline void Require(bool holds) {
  if (!holds) std::abort();
}

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool empty() const { return size_ == 0; }

  std::uint8_t Byte() { return static_cast<std::uint8_t>(Take(1)); }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Take(2)); }
  std::uint32_t U32() { return static_cast<std::uint32_t>(Take(4)); }
  std::uint64_t U64() { return Take(8); }
  float Float() { return std::bit_cast<float>(U32()); }
  double Double() { return std::bit_cast<double>(U64()); }

 private:
  // The next `count` bytes, little-endian.
  std::uint64_t Take(std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count && i < size_; ++i) value |= std::uint64_t{data_[i]} << (8 * i);
    const std::size_t taken = count < size_ ? count : size_;
    data_ += taken;
    size_ -= taken;
    return value;
  }

  const std::uint8_t* data_;
  std::size_t size_;
};

}  // namespace finder::fuzz
