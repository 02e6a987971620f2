#include "finder/messages.h"

#include "finder/scala.h"

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

std::string ScalaRefused(const ScalaReading& reading) {
  using Status = ScalaReading::Status;
  std::string text = "Scala dosyasında ";
  switch (reading.status) {
    case Status::Ok:
      return "";
    case Status::NumberExpected:
      text += "sayı bekleniyordu";
      break;
    case Status::NumberTooLarge:
      text += "sayı çok büyük";
      break;
    case Status::RatioNotPositive:
      text += "oran 0'dan büyük olmalı";
      break;
    case Status::OutOfOctave:
      text += "1200 sentin üstünde perde var";
      break;
    case Status::CountMismatch:
      text += std::to_string(reading.count) + " perde yazılı ama " + std::to_string(reading.pitchLines) +
              " perde satırı var";
      break;
  }
  return text + " (satır " + std::to_string(reading.line) + ").";
}

std::string TemperedDescription(std::int32_t degree, std::string_view sourceName) {
  return std::to_string(degree) + " eşit temperaman, kaynak: " + std::string(sourceName);
}

std::string TemperedStep(std::int32_t step) { return std::to_string(step) + ". basamak"; }

}  // namespace finder::messages
