// The platform's sound player as the reminder sees it: wave files played in the background.
#pragma once

#include <filesystem>

namespace zrv {

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Starts playing the wave file and returns at once; a sound still playing is cut off. False
  // when nothing plays (no sound output, a missing or unreadable file); the player reports the
  // reason through its own report line, the caller carries on either way.
  virtual bool play(const std::filesystem::path& file) = 0;
  // Stops the sound that is playing, if any.
  virtual void stop() = 0;
};

}  // namespace zrv
