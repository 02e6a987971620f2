#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "finder/finder.h"
#include "finder/scala.h"

// Every text that the finder's commands give the user, in one place, and the
// one place that turns what a command did into its text. UTF-8; the window
// converts them.
namespace finder::messages {

inline constexpr std::string_view kChooseFile = "Bir dosya seçin";
inline constexpr std::string_view kOutOfOctave = "oktav dışında Cent bulundu, akış durudurulacak.";
inline constexpr std::string_view kDegreeRange = "Derece 1 ile 32766 arasında olmalı.";
inline constexpr std::string_view kTooManyRecords = "Kaynak dosyada çok fazla kayıt var.";
inline constexpr std::string_view kDurationTooLarge = "Süre toplamı sayı sınırını aşıyor.";
inline constexpr std::string_view kRunFirst = "Önce çalıştırın.";

std::string CannotRead(std::string_view fileName);   // "Dosya okunamadı: a.txt"
std::string CannotWrite(std::string_view fileName);  // "Dosya yazılamadı: sonuc.csv"
std::string NumberExpected(std::int32_t line);       // "Kaynak dosyada sayı bekleniyordu (satır 3)."
std::string NumberTooLarge(std::int32_t line);       // "Kaynak dosyada sayı çok büyük (satır 3)."

// "53 eşit temperaman kriterleri sağlamadı."
std::string SingleNotFound(std::int32_t degree);
// "12-2400 arasındaki temperamanlar kriterleri sağlamadı."
std::string RangeNotFound(std::int32_t start, std::int32_t stop);

// What the user is told of an outcome; nothing for one that says nothing.
// `fileName` is the picked file's name as listed.
std::optional<std::string> MessageOf(const SourceOutcome& outcome, std::string_view fileName);
std::optional<std::string> MessageOf(const RunOutcome& outcome);
std::optional<std::string> MessageOf(PrintOutcome outcome);

// Why a Scala text was refused, with its line: "Scala dosyasında sayı bekleniyordu (satır 3).";
// nothing for one that was read.
std::optional<std::string> MessageOf(const ScalaReading& reading);
// The description of a scale tempered into a degree: "53 eşit temperaman, kaynak: rast.scl"
std::string TemperedDescription(std::int32_t degree, std::string_view sourceName);
// The comment over a step of that scale: "9. basamak"
std::string TemperedStep(std::int32_t step);

}  // namespace finder::messages
