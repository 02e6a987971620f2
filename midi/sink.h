#pragma once

#include <string>
#include <string_view>

namespace midi {

// Where bytes made a piece at a time go, in order: a report into memory now, and
// any other place that takes bytes in chunks.
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

}  // namespace midi
