#include "midi/messages.h"

namespace midi::messages {
namespace {

// A warning for every delta time the walk could not decode, then its stop.
Messages OfWalk(const WalkOutcome& walk, bool withStop) {
  Messages messages(walk.tickWarnings.size(), std::string(kTickTooLarge));
  if (withStop && walk.stop) messages.push_back(ForFailure(*walk.stop));
  return messages;
}

}  // namespace

std::string CannotRead(std::string_view fileName) {
  return std::string("Dosya okunamadı: ").append(fileName);
}

std::string EmptyFile(std::string_view fileName) { return std::string("Dosya boş: ").append(fileName); }

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

Messages Of(const LoadOutcome& outcome) {
  switch (outcome.kind) {
    case LoadOutcome::Kind::Loaded:
      return {};
    case LoadOutcome::Kind::Empty:
      return {EmptyFile(outcome.fileName)};
    case LoadOutcome::Kind::Unreadable:
      return {CannotRead(outcome.fileName)};
  }
  return {};
}

Messages Of(const TestOutcome& outcome) {
  if (!outcome.loaded) return {std::string(kChooseFile)};
  return OfWalk(outcome.walk, true);
}

Messages Of(const StartOutcome& outcome) {
  switch (outcome.kind) {
    case StartOutcome::Kind::NoImage:
      return {std::string(kChooseFile)};
    case StartOutcome::Kind::NoPackets:
      return {std::string(kNoPackets)};
    case StartOutcome::Kind::NotWritten:
      return {CannotWrite(outcome.unwritten)};
    case StartOutcome::Kind::Closed:
    case StartOutcome::Kind::Written:
      return {};
  }
  return {};
}

Messages BeforeSave(const TxtOutcome& outcome) { return OfWalk(outcome.walk, false); }

Messages AfterSave(const TxtOutcome& outcome) {
  if (!outcome.loaded) return {std::string(kChooseFile)};
  if (!outcome.written) return {CannotWrite(outcome.name)};
  if (outcome.walk.stop) return {ForFailure(*outcome.walk.stop)};
  return {};
}

}  // namespace midi::messages
