// Writes the benchmarks' packet file to disk, for timing the companion as a
// whole process: packet_file SIZE OUT.mid
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "bench_support.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: packet_file SIZE OUT.mid\n";
    return 2;
  }
  const std::vector<std::uint8_t> bytes = midi::bench::PacketFile(std::strtoull(argv[1], nullptr, 10));
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return out ? 0 : 1;
}
