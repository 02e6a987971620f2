#pragma once

#include <string>
#include <string_view>

#include "midi/failure.h"

// Every text the MIDI core shows, in one place. UTF-8; the window converts them.
namespace midi::messages {

inline constexpr std::string_view kTickTooLarge = "Çok büyük Tick ! !";
inline constexpr std::string_view kChooseFile = "Bir dosya seçin.";
inline constexpr std::string_view kNoPackets = "Dosyada bölünecek paket bulunamadı.";

std::string CannotRead(std::string_view fileName);    // "Dosya okunamadı: song.mid"
std::string EmptyFile(std::string_view fileName);     // "Dosya boş: song.mid"
std::string CannotWrite(std::string_view fileName);   // "Dosya yazılamadı: song.txt"
std::string ForFailure(const ReadFailure& failure);   // the walk's stop, with its position

}  // namespace midi::messages
