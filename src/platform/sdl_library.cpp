#include "platform/sdl_library.h"

#include <mutex>

#include "store/base/shared_library.h"

namespace zrv {
namespace {

const SdlLibrary* load() {
  static SharedLibrary library;  // open for the rest of the run
  if (!library.open("libSDL2-2.0.so.0")) return nullptr;
  static SdlLibrary lib{};
  const bool complete = library.resolve("SDL_SetHint", lib.setHint) &&
                        library.resolve("SDL_InitSubSystem", lib.initSubSystem) &&
                        library.resolve("SDL_QuitSubSystem", lib.quitSubSystem) &&
                        library.resolve("SDL_GetError", lib.getError) &&
                        library.resolve("SDL_OpenAudioDevice", lib.openAudioDevice) &&
                        library.resolve("SDL_CloseAudioDevice", lib.closeAudioDevice) &&
                        library.resolve("SDL_PauseAudioDevice", lib.pauseAudioDevice) &&
                        library.resolve("SDL_QueueAudio", lib.queueAudio) &&
                        library.resolve("SDL_GetQueuedAudioSize", lib.getQueuedAudioSize) &&
                        library.resolve("SDL_ClearQueuedAudio", lib.clearQueuedAudio) &&
                        library.resolve("SDL_RWFromFile", lib.rwFromFile) &&
                        library.resolve("SDL_LoadWAV_RW", lib.loadWavRw) &&
                        library.resolve("SDL_FreeWAV", lib.freeWav) &&
                        library.resolve("SDL_NewAudioStream", lib.newAudioStream) &&
                        library.resolve("SDL_AudioStreamPut", lib.audioStreamPut) &&
                        library.resolve("SDL_AudioStreamFlush", lib.audioStreamFlush) &&
                        library.resolve("SDL_AudioStreamAvailable", lib.audioStreamAvailable) &&
                        library.resolve("SDL_AudioStreamGet", lib.audioStreamGet) &&
                        library.resolve("SDL_FreeAudioStream", lib.freeAudioStream);
  return complete ? &lib : nullptr;
}

}  // namespace

const SdlLibrary* sdlLibrary() {
  static std::once_flag once;
  static const SdlLibrary* lib = nullptr;
  std::call_once(once, [] { lib = load(); });
  return lib;
}

}  // namespace zrv
