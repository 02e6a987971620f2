#include "finder/messages.h"

namespace finder::messages {

std::string CannotRead(std::string_view fileName) {
  return std::string("Dosya okunamadı: ").append(fileName);
}

std::string CannotWrite(std::string_view fileName) {
  return std::string("Dosya yazılamadı: ").append(fileName);
}

std::string NumberExpected(std::int32_t line) {
  return "Kaynak dosyada sayı bekleniyordu (satır " + std::to_string(line) + ").";
}

std::string NumberTooLarge(std::int32_t line) {
  return "Kaynak dosyada sayı çok büyük (satır " + std::to_string(line) + ").";
}

std::string SingleNotFound(std::int32_t degree) {
  return std::to_string(degree) + " eşit temperaman kriterleri sağlamadı.";
}

std::string RangeNotFound(std::int32_t start, std::int32_t stop) {
  return std::to_string(start) + "-" + std::to_string(stop) +
         " arasındaki temperamanlar kriterleri sağlamadı.";
}

}  // namespace finder::messages
