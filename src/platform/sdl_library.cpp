#include "platform/sdl_library.h"

#include <dlfcn.h>

#include <mutex>

namespace zrv {
namespace {

template <typename F>
bool resolve(void* handle, const char* name, F& out) {
  out = reinterpret_cast<F>(dlsym(handle, name));
  return out != nullptr;
}

const SdlLibrary* load() {
  // The handle stays open for the run: SDL keeps its audio thread and state once started.
  void* handle = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
  if (!handle) return nullptr;
  static SdlLibrary lib{};
  const bool complete = resolve(handle, "SDL_SetHint", lib.setHint) &&
                        resolve(handle, "SDL_InitSubSystem", lib.initSubSystem) &&
                        resolve(handle, "SDL_QuitSubSystem", lib.quitSubSystem) &&
                        resolve(handle, "SDL_GetError", lib.getError) &&
                        resolve(handle, "SDL_OpenAudioDevice", lib.openAudioDevice) &&
                        resolve(handle, "SDL_CloseAudioDevice", lib.closeAudioDevice) &&
                        resolve(handle, "SDL_PauseAudioDevice", lib.pauseAudioDevice) &&
                        resolve(handle, "SDL_QueueAudio", lib.queueAudio) &&
                        resolve(handle, "SDL_GetQueuedAudioSize", lib.getQueuedAudioSize) &&
                        resolve(handle, "SDL_ClearQueuedAudio", lib.clearQueuedAudio) &&
                        resolve(handle, "SDL_RWFromFile", lib.rwFromFile) &&
                        resolve(handle, "SDL_LoadWAV_RW", lib.loadWavRw) &&
                        resolve(handle, "SDL_FreeWAV", lib.freeWav) &&
                        resolve(handle, "SDL_NewAudioStream", lib.newAudioStream) &&
                        resolve(handle, "SDL_AudioStreamPut", lib.audioStreamPut) &&
                        resolve(handle, "SDL_AudioStreamFlush", lib.audioStreamFlush) &&
                        resolve(handle, "SDL_AudioStreamAvailable", lib.audioStreamAvailable) &&
                        resolve(handle, "SDL_AudioStreamGet", lib.audioStreamGet) &&
                        resolve(handle, "SDL_FreeAudioStream", lib.freeAudioStream);
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
