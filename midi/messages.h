#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "midi/failure.h"
#include "midi/outcome.h"

// Every text the MIDI tool's commands give the user, in one place, and which of
// them each outcome gives, in the order they are shown. UTF-8; the window
// converts them.
namespace midi::messages {

inline constexpr std::string_view kTickTooLarge = "Çok büyük Tick ! !";
inline constexpr std::string_view kChooseFile = "Bir dosya seçin.";
inline constexpr std::string_view kNoPackets = "Dosyada bölünecek paket bulunamadı.";

std::string CannotRead(std::string_view fileName);   // "Dosya okunamadı: song.mid"
std::string EmptyFile(std::string_view fileName);    // "Dosya boş: song.mid"
std::string CannotWrite(std::string_view fileName);  // "Dosya yazılamadı: song.txt"
std::string ForFailure(const ReadFailure& failure);  // the walk's stop, with its position

using Messages = std::vector<std::string>;

Messages Of(const LoadOutcome& outcome);
Messages Of(const TestOutcome& outcome);  // the warnings, then the stop
Messages Of(const StartOutcome& outcome);

// to TXT speaks twice: the walk's warnings before the report is saved, then
// whether it was saved and why the walk stopped.
Messages BeforeSave(const TxtOutcome& outcome);
Messages AfterSave(const TxtOutcome& outcome);

}  // namespace midi::messages
