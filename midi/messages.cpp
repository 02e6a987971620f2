#include "midi/messages.h"

namespace midi::messages {

std::string CannotRead(std::string_view fileName) {
  return std::string("Dosya okunamadı: ").append(fileName);
}

std::string EmptyFile(std::string_view fileName) {
  return std::string("Dosya boş: ").append(fileName);
}

std::string CannotWrite(std::string_view fileName) {
  return std::string("Dosya yazılamadı: ").append(fileName);
}

std::string ForFailure(const ReadFailure& failure) {
  std::string_view head;
  switch (failure.kind()) {
    case ReadFailure::Kind::Truncated:
      head = "Dosya beklenmedik biçimde sona eriyor (konum ";
      break;
    case ReadFailure::Kind::ZeroTempo:
      head = "Tempo sıfır olamaz (konum ";
      break;
    case ReadFailure::Kind::Overflow:
      head = "Sayı sınırı aşıldı (konum ";
      break;
  }
  return std::string(head) + std::to_string(failure.position()) + ").";
}

}  // namespace midi::messages
