#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "finder/search.h"

// Every text of orvette-cli, in one place. UTF-8.
namespace finder::cli::texts {

inline constexpr std::string_view kProgram = "orvette-cli";

inline constexpr std::string_view kUsage =
    "Kullanım: orvette-cli TABLO [--single N | --range BAŞ SON] [--criterion max|std] [--limit X]\n"
    "                     [--csv] [--curve] [--table DOSYA.txt] [--scl DOSYA.scl] [--plot DOSYA.svg|.png]\n"
    "\n"
    "Kaynak tablosuna (satır başına \"sent,süre\") ya da adı .scl ile biten bir Scala dizisine uyan\n"
    "eşit temperamanı arar ve bulunan dereceyi, basamak tablosunu ve özeti yazar. Scala dizisinin\n"
    "1/1'i 0 sent olarak başa eklenir, kapanış oktavı (2/1) alınmaz; her perdenin süresi 1'dir.\n"
    "\n"
    "Seçenekler:\n"
    "  --single N          yalnız N dereceyi dener\n"
    "  --range BAŞ SON     BAŞ ile SON arasındaki ilk uyan dereceyi arar (varsayılan: 12 2400)\n"
    "  --criterion max     en büyük sapma ölçütü (varsayılan)\n"
    "  --criterion std     standart sapma ölçütü\n"
    "  --limit X           sent sınırı: ölçü bundan küçük olmalı (varsayılan: 1)\n"
    "  --csv               sonucu tablonun yanına sonuc.csv olarak da yazar\n"
    "  --curve             önce denenen her derecenin ölçüsünü yazar, satır başına \"derece ölçü\"\n"
    "  --table DOSYA.txt   okunan perde tablosunu kaynak biçiminde (\"sent,süre\") yazar\n"
    "  --scl DOSYA.scl     bulunan dereceye yerleştirilmiş diziyi Scala dosyası olarak yazar\n"
    "  --plot DOSYA.svg    denenen derecelerin ölçülerini sent sınırıyla birlikte çizer (.svg ya da .png)\n"
    "  --help              bu yardımı gösterir\n"
    "\n"
    "Çıkış durumu: 0 bir derece bulunduğunda, 1 bir hata olduğunda, 2 komut satırı yanlışsa,\n"
    "3 hiçbir derece ölçütü sağlamadığında.\n";

inline std::string UnknownOption(std::string_view option) {
  return std::string("bilinmeyen seçenek: ").append(option);
}
inline std::string MissingValue(std::string_view option) {
  return std::string(option).append(" bir değer ister.");
}
inline std::string NotANumber(std::string_view option, std::string_view value) {
  return std::string(option).append(" bir sayı ister: ").append(value);
}
inline std::string UnknownCriterion(std::string_view criterion) {
  return std::string("bilinmeyen ölçüt: ").append(criterion);
}
inline constexpr std::string_view kSingleOrRange = "--single ile --range birlikte kullanılamaz.";
inline constexpr std::string_view kOneTable = "tam olarak bir kaynak tablosu gerekli.";

inline constexpr std::string_view kNoRecords = "Kaynak dosyada kayıt yok.";
inline std::string OverwritesTable(std::string_view file) {
  return std::string("Okunacak dosyanın üzerine yazılmaz: ").append(file);
}
inline constexpr std::string_view kOutputFailed = "Standart çıktıya yazılamadı.";

inline std::string PlotEnding(std::string_view file) {
  return std::string("--plot .svg ya da .png ile biten bir dosya adı ister: ").append(file);
}

// The plot of a run's measures over its degrees.
inline std::string PlotTitle(std::string_view table, std::int16_t start, std::int16_t stop) {
  return std::string(table) + ": " +
         (start == stop ? std::to_string(start) : std::to_string(start) + "-" + std::to_string(stop));
}
inline constexpr std::string_view kPlotDegreeAxis = "Derece (oktavın eşit bölüm sayısı)";
inline constexpr std::string_view PlotMeasureAxis(Criterion criterion) {
  return criterion == Criterion::MaxDeviation ? "En büyük sapma (sent)" : "Standart sapma (sent)";
}
inline std::string PlotLimit(std::string_view limit) {
  return std::string("sınır ").append(limit).append(" sent");
}
inline std::string PlotFound(std::int16_t degree, std::string_view measure) {
  return std::to_string(degree) + " eşit temperaman: " + std::string(measure) + " sent";
}
inline constexpr std::string_view kPlotNoneFound = "Hiçbir derece sınırın altına inmedi.";

}  // namespace finder::cli::texts
