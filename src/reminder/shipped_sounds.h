// The sound slots the program plays and the wave files installed with it in "sounds/": the
// rows the sound table is built from.
#pragma once

#include <span>
#include <string>

namespace zrv {

struct SoundSlot {
  int area;             // BEREICH
  int number;           // NUMMER; 0 is the header row of the area
  const char* caption;  // OPTION as the sound settings list it
  const char* file;     // wave file in "sounds/", "" for header rows
};

inline constexpr const char* kSoundDir = "sounds";

// All rows in the order of their key (area, number).
std::span<const SoundSlot> shippedSoundSlots();

// Every wave file installed: the slots' files and the alarm sound of the note record that a new
// table starts with ("CARHORN.WAV").
std::span<const char* const> shippedSoundFiles();

// The stored form of a shipped sound: ".\sounds\<file>".
std::string storedSoundPath(const char* file);

}  // namespace zrv
