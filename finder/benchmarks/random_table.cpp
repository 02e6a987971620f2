// Writes the benchmarks' table of random pitches as a source table, for timing
// orvette-cli as a whole process: random_table COUNT OUT.txt
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "finder/scala.h"
#include "random_pitches.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: random_table COUNT OUT.txt\n";
    return 2;
  }
  const std::string text =
      finder::SourceTableText(finder::bench::RandomPitches(std::strtoull(argv[1], nullptr, 10)));
  std::ofstream out(argv[2], std::ios::binary);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return out ? 0 : 1;
}
