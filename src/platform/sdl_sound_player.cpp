#include "platform/sdl_sound_player.h"

#include "platform/sdl_library.h"

#include <memory>
#include <vector>

namespace zrv {
namespace {

struct WavFree {
  void operator()(Uint8* p) const { sdlLibrary()->freeWav(p); }
};
struct StreamFree {
  void operator()(SDL_AudioStream* s) const { sdlLibrary()->freeAudioStream(s); }
};

std::string sdlError() {
  return sdlLibrary()->getError();
}

}  // namespace

SdlSoundPlayer::SdlSoundPlayer(Report report) : report_(std::move(report)) {}

SdlSoundPlayer::~SdlSoundPlayer() {
  if (device_ != 0) sdlLibrary()->closeAudioDevice(device_);
  if (subsystemUp_) sdlLibrary()->quitSubSystem(SDL_INIT_AUDIO);
}

bool SdlSoundPlayer::ensureDevice() {
  if (device_ != 0) return true;
  if (tried_) return false;
  tried_ = true;
  const SdlLibrary* sdl = sdlLibrary();
  if (!sdl) {
    report_("Keine Tonausgabe möglich: die Bibliothek SDL2 fehlt");
    return false;
  }
  // The window system owns the process's signals.
  sdl->setHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (sdl->initSubSystem(SDL_INIT_AUDIO) != 0) {
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
  device_ = sdl->openAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_ANY_CHANGE);
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
  const SdlLibrary* sdl = sdlLibrary();
  SDL_AudioSpec wavFormat{};
  Uint8* raw = nullptr;
  Uint32 length = 0;
  if (sdl->loadWavRw(sdl->rwFromFile(file.c_str(), "rb"), 1, &wavFormat, &raw, &length) ==
      nullptr) {
    report_("Sounddatei nicht abspielbar: " + file.string() + " (" + sdlError() + ")");
    return false;
  }
  const std::unique_ptr<Uint8, WavFree> wav(raw);
  const std::unique_ptr<SDL_AudioStream, StreamFree> stream(sdl->newAudioStream(
      wavFormat.format, wavFormat.channels, wavFormat.freq, static_cast<SDL_AudioFormat>(format_),
      static_cast<Uint8>(channels_), rate_));
  if (!stream || sdl->audioStreamPut(stream.get(), wav.get(), static_cast<int>(length)) != 0 ||
      sdl->audioStreamFlush(stream.get()) != 0) {
    report_("Sounddatei nicht abspielbar: " + file.string() + " (" + sdlError() + ")");
    return false;
  }
  std::vector<Uint8> samples(static_cast<std::size_t>(sdl->audioStreamAvailable(stream.get())));
  const int got =
      sdl->audioStreamGet(stream.get(), samples.data(), static_cast<int>(samples.size()));
  if (got <= 0 || sdl->queueAudio(device_, samples.data(), static_cast<Uint32>(got)) != 0) {
    report_("Sounddatei nicht abspielbar: " + file.string() + " (" + sdlError() + ")");
    return false;
  }
  sdl->pauseAudioDevice(device_, 0);
  return true;
}

void SdlSoundPlayer::stop() {
  if (device_ != 0) sdlLibrary()->clearQueuedAudio(device_);
}

std::uint32_t SdlSoundPlayer::queuedBytes() const {
  return device_ != 0 ? sdlLibrary()->getQueuedAudioSize(device_) : 0;
}

}  // namespace zrv
