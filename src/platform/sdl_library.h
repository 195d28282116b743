// SDL2 loaded at the first sound rather than linked: the library and the sound and codec
// libraries behind it cost memory and start-up time of every run, and many runs play nothing.
#pragma once

#include <SDL.h>

namespace zrv {

// The SDL functions the sound player uses.
struct SdlLibrary {
  SDL_bool (*setHint)(const char*, const char*);
  int (*initSubSystem)(Uint32);
  void (*quitSubSystem)(Uint32);
  const char* (*getError)();
  SDL_AudioDeviceID (*openAudioDevice)(const char*, int, const SDL_AudioSpec*, SDL_AudioSpec*, int);
  void (*closeAudioDevice)(SDL_AudioDeviceID);
  void (*pauseAudioDevice)(SDL_AudioDeviceID, int);
  int (*queueAudio)(SDL_AudioDeviceID, const void*, Uint32);
  Uint32 (*getQueuedAudioSize)(SDL_AudioDeviceID);
  void (*clearQueuedAudio)(SDL_AudioDeviceID);
  SDL_RWops* (*rwFromFile)(const char*, const char*);
  SDL_AudioSpec* (*loadWavRw)(SDL_RWops*, int, SDL_AudioSpec*, Uint8**, Uint32*);
  void (*freeWav)(Uint8*);
  SDL_AudioStream* (*newAudioStream)(SDL_AudioFormat, Uint8, int, SDL_AudioFormat, Uint8, int);
  int (*audioStreamPut)(SDL_AudioStream*, const void*, int);
  int (*audioStreamFlush)(SDL_AudioStream*);
  int (*audioStreamAvailable)(SDL_AudioStream*);
  int (*audioStreamGet)(SDL_AudioStream*, void*, int);
  void (*freeAudioStream)(SDL_AudioStream*);
};

// SDL2 loaded once for the run; null when it is missing or incomplete.
const SdlLibrary* sdlLibrary();

}  // namespace zrv
