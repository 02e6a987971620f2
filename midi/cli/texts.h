#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Every text of tessaro-cli, in one place. UTF-8.
namespace midi::cli::texts {

inline constexpr std::string_view kProgram = "tessaro-cli";

inline constexpr std::string_view kUsage =
    "Kullanım: tessaro-cli [--build Tessaro5Vu|Tessaro5|Lumbric5] [--decimal-separator C] KOMUT "
    "DOSYA.mid...\n"
    "\n"
    "MIDI aracının işini her dosya için yapar; yazdığı dosyalar girdinin yanına çıkar.\n"
    "\n"
    "Komutlar:\n"
    "  test    çözülemeyen delta zamanlarını sayar (\"Çok büyük Tick ! !\"); dosya başına bir satır\n"
    "  dump    okunur raporu yazar: AD.txt\n"
    "  split   paketleri ayırır: AD_13.mid (tek paketler çalar) ve AD_24.mid (çift paketler çalar)\n"
    "  cents   paketlerin perdesini sent, süresini tik olarak yazar: AD_cent.txt\n"
    "          (satır başına \"sent,süre\", bulucunun kaynak tablosu)\n"
    "\n"
    "Seçenekler:\n"
    "  --build B               Tessaro5Vu (varsayılan), Tessaro5 ya da Lumbric5 gibi çalışır\n"
    "  --decimal-separator C   raporda sentlerin ondalık ayırıcısı (varsayılan: bölge ayarlarınızınki)\n"
    "  --help                  bu yardımı gösterir\n"
    "\n"
    "Çıkış durumu: 0 her dosya işlendiğinde, 1 bir dosya işlenemediğinde, 2 komut satırı yanlışsa.\n";

inline std::string UnknownOption(std::string_view option) {
  return std::string("bilinmeyen seçenek: ").append(option);
}
inline std::string MissingValue(std::string_view option) {
  return std::string(option).append(" bir değer ister.");
}
inline std::string UnknownBuild(std::string_view build) {
  return std::string("bilinmeyen yapı: ").append(build);
}
inline std::string BadSeparator(std::string_view separator) {
  return std::string("ondalık ayırıcı tek bir ASCII karakteri olmalı: ").append(separator);
}
inline std::string UnknownCommand(std::string_view command) {
  return std::string("bilinmeyen komut: ").append(command);
}
inline constexpr std::string_view kCommandAndFiles = "bir komut ve en az bir dosya gerekli.";

// A file the command would write is one it was given to read.
inline std::string InputNotReplaced(std::string_view fileName) {
  return std::string("Okunacak dosyanın üzerine yazılmaz: ").append(fileName);
}

// Standard output refused what was printed (a full disk, a closed pipe).
inline constexpr std::string_view kOutputFailed = "standart çıktıya yazılamadı.";

// The cents table.
inline std::string NoNoteOn(std::int32_t packet) {
  return "Paket " + std::to_string(packet) + " atlandı: Note On yok.";
}
inline std::string Unreadable(std::int32_t packet) {
  return "Paket " + std::to_string(packet) + " atlandı: perdesi ya da süresi okunamadı.";
}
inline constexpr std::string_view kNoCentRows = "Sent tablosuna yazılacak paket bulunamadı.";

}  // namespace midi::cli::texts
