#include "platform/sdl_sound_player.h"

#include <SDL.h>

#include <memory>
#include <vector>

namespace zrv {
namespace {

struct WavFree {
  void operator()(Uint8* p) const { SDL_FreeWAV(p); }
};
struct StreamFree {
  void operator()(SDL_AudioStream* s) const { SDL_FreeAudioStream(s); }
};

std::string sdlError() {
  return SDL_GetError();
}

}  // namespace

SdlSoundPlayer::SdlSoundPlayer(Report report) : report_(std::move(report)) {}

SdlSoundPlayer::~SdlSoundPlayer() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  if (subsystemUp_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlSoundPlayer::ensureDevice() {
  if (device_ != 0) return true;
  if (tried_) return false;
  tried_ = true;
  // The window system owns the process's signals.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    report_("Keine Tonausgabe möglich: " + sdlError());
    return false;
  }
  subsystemUp_ = true;
  SDL_AudioSpec want{};
  want.freq = 44100;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 4096;
  SDL_AudioSpec have{};
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_ANY_CHANGE);
  if (device_ == 0) {
    report_("Keine Tonausgabe möglich: " + sdlError());
    return false;
  }
  format_ = have.format;
  channels_ = have.channels;
  rate_ = have.freq;
  return true;
}

bool SdlSoundPlayer::play(const std::filesystem::path& file) {
  stop();
  // An appointment without an alarm sound passes an empty name: silence, not a fault.
  if (file.empty()) return true;
  if (!ensureDevice()) return false;
  SDL_AudioSpec wavFormat{};
  Uint8* raw = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV(file.c_str(), &wavFormat, &raw, &length) == nullptr) {
    report_("Sounddatei nicht abspielbar: " + file.string() + " (" + sdlError() + ")");
    return false;
  }
  const std::unique_ptr<Uint8, WavFree> wav(raw);
  const std::unique_ptr<SDL_AudioStream, StreamFree> stream(SDL_NewAudioStream(
      wavFormat.format, wavFormat.channels, wavFormat.freq, static_cast<SDL_AudioFormat>(format_),
      static_cast<Uint8>(channels_), rate_));
  if (!stream || SDL_AudioStreamPut(stream.get(), wav.get(), static_cast<int>(length)) != 0 ||
      SDL_AudioStreamFlush(stream.get()) != 0) {
    report_("Sounddatei nicht abspielbar: " + file.string() + " (" + sdlError() + ")");
    return false;
  }
  std::vector<Uint8> samples(static_cast<std::size_t>(SDL_AudioStreamAvailable(stream.get())));
  const int got =
      SDL_AudioStreamGet(stream.get(), samples.data(), static_cast<int>(samples.size()));
  if (got <= 0 || SDL_QueueAudio(device_, samples.data(), static_cast<Uint32>(got)) != 0) {
    report_("Sounddatei nicht abspielbar: " + file.string() + " (" + sdlError() + ")");
    return false;
  }
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void SdlSoundPlayer::stop() {
  if (device_ != 0) SDL_ClearQueuedAudio(device_);
}

std::uint32_t SdlSoundPlayer::queuedBytes() const {
  return device_ != 0 ? SDL_GetQueuedAudioSize(device_) : 0;
}

}  // namespace zrv
