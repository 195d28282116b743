#include "reminder/shipped_sounds.h"

namespace zrv {
namespace {

// Area 8 holds the default sound of each appointment kind, in the order of the kind list.
constexpr SoundSlot kSlots[] = {
    {0, 0, "Alle Sounds", ""},
    {1, 0, "Programm", ""},
    {1, 1, "Programmstart", "Start.wav"},
    {1, 2, "Termin bearbeitet", "Gelesen.wav"},
    {1, 3, "Termin gelöscht", "Geloescht.wav"},
    {1, 7, "Netzwerk-Änderung", "Netzwerk.wav"},
    {3, 0, "Zeitsignale", ""},
    {3, 2, "Viertelstunde", "Viertel1.wav"},
    {3, 3, "Halbe Stunde", "Viertel2.wav"},
    {3, 4, "Dreiviertelstunde", "Viertel3.wav"},
    {3, 5, "Volle Stunde", "Viertel4.wav"},
    {3, 6, "Neuer Tag", "NeuerTag.wav"},
    {8, 0, "Terminarten", ""},
    {8, 1, "Keine Zuordnung", "Termin.wav"},
    {8, 2, "privat", "Privat.wav"},
    {8, 3, "telefonisch", "Telefon.wav"},
    {8, 4, "Besuch auswärts", "BesuchA.wav"},
    {8, 5, "Besuch intern", "BesuchI.wav"},
    {8, 6, "Sitzung", "Sitzung.wav"},
    {8, 7, "Infotermin", "InfoTerm.wav"},
    {8, 8, "Messe", "Messe.wav"},
    {8, 9, "Sehr wichtig !", "SehrWich.wav"},
    {8, 10, "Wichtig", "Wichtig.wav"},
    {8, 11, "Urlaub", "Urlaub.wav"},
    {8, 12, "Geburtstag", "HBIRTHD1.wav"},
    {8, 13, "Programmstart", "PrgStart.wav"},
    {8, 14, "Dateiversand", "DateiVer.wav"},
};

constexpr const char* kFiles[] = {
    "Start.wav",    "Gelesen.wav",  "Geloescht.wav", "Netzwerk.wav", "Viertel1.wav", "Viertel2.wav",
    "Viertel3.wav", "Viertel4.wav", "NeuerTag.wav",  "Termin.wav",   "Privat.wav",   "Telefon.wav",
    "BesuchA.wav",  "BesuchI.wav",  "Sitzung.wav",   "InfoTerm.wav", "Messe.wav",    "SehrWich.wav",
    "Wichtig.wav",  "Urlaub.wav",   "HBIRTHD1.wav",  "PrgStart.wav", "DateiVer.wav", "CARHORN.WAV",
};

}  // namespace

std::span<const char* const> shippedSoundFiles() {
  return kFiles;
}

std::span<const SoundSlot> shippedSoundSlots() {
  return kSlots;
}

std::string storedSoundPath(const char* file) {
  return std::string(".\\") + kSoundDir + "\\" + file;
}

}  // namespace zrv
