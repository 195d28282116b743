// The captions, status texts, bitmaps and enabling rules of the main window's menus and
// buttons.
#include "commands/menu_tables.h"

#include "store/appointments/appointment.h"

namespace zrv {
namespace {

using Id = CommandId;
using Kind = MenuEntry::Kind;

MenuEntry item(Id id, const char* caption, const char* status, const char* bitmap = "",
               EnableRule rule = EnableRule::Always) {
  return MenuEntry{Kind::Item, id, caption, status, bitmap, rule, {}};
}

MenuEntry separator() {
  return MenuEntry{Kind::Separator, Id{}, "", "", "", EnableRule::Always, {}};
}

MenuEntry submenu(const char* caption, std::vector<MenuEntry> children) {
  return MenuEntry{Kind::Submenu, Id{}, caption, "", "", EnableRule::Always, std::move(children)};
}

}  // namespace

bool isEnabled(EnableRule rule, const MenuFacts& facts) {
  switch (rule) {
    case EnableRule::Always:
      return true;
    case EnableRule::Network:
      return facts.network;
    case EnableRule::RunNow:
      return facts.record &&
             (facts.record->TERMINART == "TA20" || facts.record->TERMINART == "TA22");
    case EnableRule::NotFiled:
      return facts.record && !facts.record->QUIT;
    case EnableRule::Filed:
      return facts.record && facts.record->QUIT;
  }
  return false;
}

std::vector<MenuTable> menuBarTable() {
  const EnableRule net = EnableRule::Network;
  return {
      {"&Datei",
       {item(Id::FileNew, "&Neu", "Neue Termindatei anlegen", "NEW"),
        item(Id::FileOpen, "&Öffnen", "Termindatei öffnen", "S_OPEN"),
        item(Id::FileDelete, "&Löschen", "Termindatei löschen", "DELETE"),
        item(Id::FileUser, "&Benutzer", "Benutzer wechseln", "USERLIST", net), separator(),
        item(Id::FileHide, "&Verstecken", "In der Traybar ablegen", "INTOTRAY"), separator(),
        item(Id::FileUninstall, "&Deinstallieren", "Zorvane deinstallieren", "", net),
        item(Id::FileExit, "&Beenden / Alt-F4", "Zorvane verlassen", "EXIT")}},
      {"&Termine",
       {item(Id::AppointmentNew, "&Neuer Termin", "Neuen Termin anlegen", "NEW"),
        item(Id::AppointmentEdit, "Termin &ändern", "Termin verändern", "EDIT"),
        item(Id::AppointmentDelete, "Termin &löschen", "Termin löschen", "DELETE"), separator(),
        item(Id::AppointmentFromClipboard, "Termin aus ClipBoard &bilden",
             "Termin aus Zwischenablage einfügen", "FROMCLIP"),
        item(Id::AppointmentToClipboard, "Termin ins ClipBoard &kopieren",
             "Termin in Zwischenablage kopieren", "TOCLIP"),
        separator(),
        item(Id::AppointmentCalendar, "&Kalender anzeigen", "Kalender anzeigen", "KALENDER")}},
      {"&Gehe zu",
       {item(Id::GoFirst, "Zum &ersten Datensatz", "Zum ersten Begriff", "FIRST"),
        item(Id::GoPrevious, "Zum &vorherigen Datensatz", "Zum vorherigen Begriff", "PREV"),
        item(Id::GoNext, "Zum &nächsten Datensatz", "Zum nächsten Begriff", "NEXT"),
        item(Id::GoLast, "Zum &letzten Datensatz", "Zum letzten Begriff", "LAST"), separator(),
        item(Id::GoCurrentAppointment, "Zum &aktuellen Termin", "Zum nächsten Termin springen",
             "AHAV")}},
      {"&Anzeige",
       {item(Id::ViewCurrent, "Nur &aktuelle Termine", "Aktuelle Termine anzeigen"),
        item(Id::ViewToday, "Nur &heutige Termine", "Heutige Termine anzeigen"),
        item(Id::ViewFiled, "Nur a&bgelegte Termine", "Abgelegte Termine anzeigen"), separator(),
        item(Id::ViewWeekOverview, "&Wochenübersicht", "Wochenübersicht anzeigen", "WEEK")}},
      {"D&rucken",
       {item(Id::PrintToday, "Termine für &Heute", "Termine für heute drucken"),
        item(Id::PrintTomorrow, "Termine für &Morgen", "Termine für morgen drucken"),
        item(Id::PrintNextWeek, "Termine für &nächste Woche", "Termine für nächste Woche drucken"),
        item(Id::PrintPeriod, "Termine für &definierten Zeitraum",
             "Termine für einen definierten Zeitraum drucken"),
        separator(), item(Id::PrintSetup, "&Setup drucken", "Setup / Voreinstellungen drucken")}},
      {"&Einstellungen",
       {item(Id::SettingsGeneral, "&Allgemeine Einstellungen", "Allgemeine Voreinstellungen",
             "SETUP"),
        item(Id::SettingsNetwork, "&Netzwerk-Einstellungen", "Netzwerk-Einstellungen", "", net),
        item(Id::SettingsSound, "&Sound-Einstellungen", "Soundsupport Voreinstellungen", "S_PLAY"),
        separator(),
        item(Id::SettingsOptimizeUsers, "Benutzer-&Datei optimieren", "Benutzerdatei optimieren",
             "USERLIST")}},
      {"&Hilfe",
       {item(Id::HelpContents, "&Hilfe", "Hilfe zum Programm anzeigen", "HELP"),
        item(Id::HelpIndex, "Hilfe &Index", "Hilfe zum Programm anzeigen"), separator(),
        item(Id::HelpAbout, "&Über Zorvane ...", ""),
        item(Id::HelpSystemInfo, "&System-Informationen", ""), separator(),
        item(Id::HelpHomepage, "&Quarn's Internet Homepage", "Mit unserer Homepage verbinden",
             "WEB"),
        item(Id::HelpSupportMail, "&Email an den Support", "Eine Email an den Autor versenden",
             "EMAIL"),
        separator(),
        item(Id::HelpUpdate, "&Zorvane Update suchen", "Im Internet nach neuer Version suchen",
             "UPDATE")}},
  };
}

std::vector<MenuEntry> dropDownTable(int number, bool network) {
  if (number == 1) {
    return {item(Id::PopupViewCurrent, "Nur &aktuelle Termine", "Aktuelle Termine anzeigen"),
            item(Id::PopupViewToday, "Nur &heutige Termine", "Heutige Termine anzeigen"),
            item(Id::PopupViewFiled, "Nur a&bgelegte Termine", "Abgelegte Termine anzeigen")};
  }
  std::vector<MenuEntry> entries{
      item(Id::PopupSettingsGeneral, "&Allgemeines", "Allgemeine Voreinstellungen")};
  if (network) {
    entries.push_back(item(Id::PopupSettingsNetwork, "&Netzwerk", "Netzwerk-Einstellungen"));
  }
  entries.push_back(item(Id::PopupSettingsSound, "&Sounds", "Soundsupport Voreinstellungen"));
  return entries;
}

std::vector<MenuEntry> contextMenuTable() {
  return {
      item(Id::ContextRunNow, "Termin s&ofort ausführen", "Termin sofort starten", "",
           EnableRule::RunNow),
      separator(),
      item(Id::ContextNew, "&Neuer Termin", "Neuen Termin anlegen"),
      item(Id::ContextEdit, "Termin &ändern", "Termin verändern"),
      item(Id::ContextDelete, "Termin &löschen", "Termin löschen"),
      separator(),
      item(Id::ContextFile, "Termin &ablegen (deaktivieren)", "Termin ablegen (deaktivieren)", "",
           EnableRule::NotFiled),
      item(Id::ContextReactivate, "Termin &reaktivieren", "Termin reaktivieren", "",
           EnableRule::Filed),
      separator(),
      submenu("&Termine anzeigen",
              {item(Id::ContextViewCurrent, "&Aktuelle Termine", "Aktuelle Termine anzeigen"),
               item(Id::ContextViewToday, "&Heutige Termine", "Heutige Termine anzeigen"),
               item(Id::ContextViewFiled, "A&bgelegte Termine", "Abgelegte Termine anzeigen"),
               separator(),
               item(Id::ContextWeekOverview, "&Wochenübersicht", "Wochenübersicht anzeigen")}),
      item(Id::ContextNextAppointment, "&Zum nächsten Termin", "Zum nächsten Termin springen"),
  };
}

std::vector<BarButton> buttonBarTable(bool network) {
  auto b = [](Id id, const char* bitmap, bool gap, const char* status, const char* tip,
              int width = 26, int dropDown = 0) {
    return BarButton{id, bitmap, width, 26, gap, status, tip, dropDown};
  };
  const std::string userOrFile = std::string(network ? "Benutzer" : "Termindatei") + " wechseln";
  const char* views = "Alle, heutige oder abgelegte Termine anzeigen";
  return {
      b(Id::BarNew, "NEW", false, "Neuen Termin anlegen", "Neuen Termin anlegen"),
      b(Id::BarEdit, "EDIT", false, "Termin verändern", "Termin verändern"),
      b(Id::BarDelete, "DELETE", false, "Termin löschen", "Termin löschen"),
      b(Id::BarToClipboard, "TOCLIP", true, "Termin in die Zwischenablage kopieren",
        "Termin in Zwischenablage kopieren"),
      b(Id::BarFromClipboard, "FROMCLIP", false, "Termin aus der Zwischenablage einfügen",
        "Termin aus Zwischenablage einfügen"),
      b(Id::BarFirst, "FIRST", true, "Ersten Termin anzeigen", "Zum ersten Termin"),
      b(Id::BarPrevious, "PREV", false, "Vorherigen Termin anzeigen", "Zum vorherigen Termin"),
      b(Id::BarNext, "NEXT", false, "Nächsten Termin anzeigen", "Zum nächsten Termin"),
      b(Id::BarLast, "LAST", false, "Letzten Termin anzeigen", "Zum letzten Termin"),
      b(Id::BarViews, "AHAV", true, views, views, 33, 1),
      b(Id::BarWeekOverview, "WEEK", false, "Wochenübersicht anzeigen", "Wochenübersicht anzeigen"),
      BarButton{Id::BarUserOrFile, network ? "USERLIST" : "TDATEIEN", 26, 26, true, userOrFile,
                userOrFile, 0},
      b(Id::BarCalendar, "KALENDER", false, "Kalender anzeigen", "Kalender anzeigen"),
      b(Id::BarSettings, "SETUP", true, "Voreinstellungen", "Voreinstellungen", 33, 2),
      b(Id::BarHelp, "HELP", false, "Hilfe anzeigen", "Hilfe anzeigen"),
      b(Id::BarHide, "INTOTRAY", false, "In der Traybar ablegen", "Zorvane verstecken"),
  };
}

const MenuEntry* findEntry(const std::vector<MenuEntry>& entries, CommandId id) {
  for (const MenuEntry& e : entries) {
    if (e.kind == Kind::Item && e.id == id) return &e;
    if (e.kind == Kind::Submenu) {
      if (const MenuEntry* found = findEntry(e.children, id)) return found;
    }
  }
  return nullptr;
}

}  // namespace zrv
