// The sound player on SDL2 audio: wave files converted to the device's format and queued, so
// that they play in the background; a new sound replaces the one playing. Without a usable
// sound device it stays silent and says so once through its report.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ports/sound_port.h"

namespace zrv {

class SdlSoundPlayer : public SoundPlayer {
 public:
  // Receives a German line for the logbook when something cannot be played.
  using Report = std::function<void(const std::string&)>;

  explicit SdlSoundPlayer(Report report);
  ~SdlSoundPlayer() override;
  SdlSoundPlayer(const SdlSoundPlayer&) = delete;
  SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

  // The device is opened at the first sound; a failure is reported once and not retried.
  bool play(const std::filesystem::path& file) override;
  void stop() override;

  // Bytes still waiting to be played (0 when silent).
  std::uint32_t queuedBytes() const;

 private:
  bool ensureDevice();

  Report report_;
  bool tried_ = false;
  bool subsystemUp_ = false;
  std::uint32_t device_ = 0;
  int format_ = 0;
  int channels_ = 0;
  int rate_ = 0;
};

}  // namespace zrv
