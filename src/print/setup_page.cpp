#include "print/setup_page.h"

#include <string>
#include <utility>
#include <vector>

#include "app/context.h"
#include "app/maker.h"
#include "print/page_writer.h"
#include "reminder/sound_slots.h"

namespace zrv {
namespace {

std::string yesNo(bool on) {
  return on ? "Ja" : "Nein";
}

std::string viewName(int view) {
  switch (view) {
    case 1:
      return "Alle Termine";
    case 2:
      return "Heutige Termine";
    case 3:
      return "Abgelegte Termine";
    default:
      return "Verpaßte Termine";
  }
}

// One line: how many rows it stands below the line before, and its text.
struct SetupLine {
  int advance;
  std::string text;
};

std::vector<SetupLine> setupLines(const Context& ctx) {
  const Settings& s = ctx.settings;
  // The sound of a new appointment, the four chimes' slots in use, the new day, a table changed
  // by another user.
  const std::vector<std::string> sounds =
      slotSounds(ctx, {{8, 1}, {3, 2}, {3, 3}, {3, 5}, {3, 6}, {1, 7}});
  return {
      {3, "Aktuelle Termindatei: " + s.CN_FILE + ".TER"},
      {2, "Verpaßte Termine anzeigen: " + yesNo(s.LS_SHOWOLD)},
      {1, "Diese nicht mehr anzeigen wenn mehr als " + std::to_string(s.NS_MIN) +
              " Min. vergangen sind"},
      {1, "Gelöschte Termine sofort entfernen: " + yesNo(s.LS_SLOESCH)},
      {1, "Automatische Wiedervorlage nach: " + std::to_string(s.NS_AUTOMIN) + " Min."},
      {2, "Programm als Icon laden: " + yesNo(s.LS_ASICON)},
      {1, "Darstellung: " + viewName(s.NS_TODAY)},
      {1, "Sound-Support: " + yesNo(s.LS_ALARMON)},
      {2, "Benutzer: " + s.CS_USER},
      {1, "Datei   : " + s.CS_USERFILE},
      {2, "Alarm für Termin: " + sounds[0]},
      {1, "Viertelstunde Sound: " + sounds[1]},
      {1, "Halbe Stunde Sound: " + sounds[2]},
      {1, "Volle Stunde Sound: " + sounds[3]},
      {1, "Neuer Tag Sound: " + sounds[4]},
      {1, "Termine aktualisiert: " + sounds[5]},
      {3, ctx.CRELEASE},
      {1, "Terminerinnerung für den Desktop"},
      {2, "Internet: " + makerWebPage()},
      {1, "Support: " + supportAccount().address},
  };
}

}  // namespace

PrintJob setupPrintout(const Context& ctx) {
  const std::string heading =
      "Zorvane" + ctx.CRELEASE + (ctx.settings.LS_LAN ? "LAN" : "") + " - Setup / Einstellungen";
  // The first line's advance counts from the heading's row.
  PageWriter w(PageLayout{heading, PageFont::Sans, kHeadingRow});
  for (SetupLine& line : setupLines(ctx)) {
    w.advance(line.advance);
    w.text(kHeadingColumn, std::move(line.text));
  }
  return PrintJob{heading, w.takePages()};
}

}  // namespace zrv
