#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace midi {

// Where bytes made a piece at a time go, in order: a report into its temporary
// file, into memory, or any other place that takes bytes in chunks.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void Write(std::string_view bytes) = 0;
};

// Keeps the bytes in a string.
class StringSink : public ByteSink {
 public:
  explicit StringSink(std::string& out) : out_(out) {}
  void Write(std::string_view bytes) override { out_.append(bytes); }

 private:
  std::string& out_;
};

// Counts the bytes and passes them on.
class CountingSink : public ByteSink {
 public:
  explicit CountingSink(ByteSink& next) : next_(next) {}
  void Write(std::string_view bytes) override {
    count += bytes.size();
    next_.Write(bytes);
  }

  std::uint64_t count = 0;

 private:
  ByteSink& next_;
};

}  // namespace midi
