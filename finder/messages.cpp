#include "finder/messages.h"

#include "finder/result.h"
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

std::optional<std::string> MessageOf(const SourceOutcome& outcome, std::string_view fileName) {
  using Status = SourceOutcome::Status;
  switch (outcome.status) {
    case Status::Read:
      return std::nullopt;
    case Status::Unreadable:
      return CannotRead(fileName);
    case Status::NumberExpected:
      return NumberExpected(outcome.line);
    case Status::NumberTooLarge:
      return NumberTooLarge(outcome.line);
    case Status::TooManyRecords:
      return std::string(kTooManyRecords);
    case Status::OutOfOctave:
      break;
  }
  return std::string(kOutOfOctave);
}

std::optional<std::string> MessageOf(const RunOutcome& outcome) {
  using Status = RunOutcome::Status;
  switch (outcome.status) {
    case Status::Found:
      return std::nullopt;
    case Status::NoneQualified:
      return outcome.settings.span == Span::Single ? SingleNotFound(outcome.stop)
                                                   : RangeNotFound(outcome.start, outcome.stop);
    case Status::NoTable:
      return std::string(kChooseFile);
    case Status::DegreeOutOfRange:
      return std::string(kDegreeRange);
    case Status::DurationTooLarge:
      break;
  }
  return std::string(kDurationTooLarge);
}

std::optional<std::string> MessageOf(PrintOutcome outcome) {
  switch (outcome) {
    case PrintOutcome::Written:
      return std::nullopt;
    case PrintOutcome::NoRun:
      return std::string(kRunFirst);
    case PrintOutcome::Unwritable:
      break;
  }
  return CannotWrite(kResultFile);
}

std::optional<std::string> MessageOf(const ScalaReading& reading) {
  using Status = ScalaReading::Status;
  std::string text = "Scala dosyasında ";
  switch (reading.status) {
    case Status::Ok:
      return std::nullopt;
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
