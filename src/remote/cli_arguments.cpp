#include "remote/cli_arguments.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

#include "app/context.h"
#include "reminder/recurrence.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  // The upper-case umlauts are the only non-ASCII letters of the names compared here.
  for (const auto& [from, to] : {std::pair{"Ä", "ä"}, {"Ö", "ö"}, {"Ü", "ü"}}) {
    for (std::size_t p = s.find(from); p != std::string::npos; p = s.find(from, p))
      s.replace(p, 2, to);
  }
  return s;
}

std::vector<std::string> split(const std::string& text, char sep) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(sep, start);
    std::string part = text.substr(start, end - start);
    part.erase(0, part.find_first_not_of(' '));
    part.erase(part.find_last_not_of(' ') + 1);
    parts.push_back(part);
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

std::optional<int> repeatKind(const std::string& name) {
  static const std::map<std::string, int> kinds{{"einmal", kOnce},         {"stündlich", kHourly},
                                                {"stuendlich", kHourly},   {"täglich", kDaily},
                                                {"taeglich", kDaily},      {"wöchentlich", kWeekly},
                                                {"woechentlich", kWeekly}, {"monatlich", kMonthly},
                                                {"jährlich", kYearly},     {"jaehrlich", kYearly}};
  const auto it = kinds.find(lower(name));
  if (it == kinds.end()) return std::nullopt;
  return it->second;
}

std::optional<int> viewOf(const std::string& name) {
  const std::string n = lower(name);
  if (n == "aktuelle") return 1;
  if (n == "heutige") return 2;
  if (n == "abgelegte") return 3;
  return std::nullopt;
}

std::optional<int> positiveNumber(const std::string& text, long max) {
  if (text.empty() || text.size() > 9 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  const long n = std::stol(text);
  if (n < 1 || n > max) return std::nullopt;
  return static_cast<int>(n);
}

// The kind code of a code or a kind's name ("TA7", "privat"); "" when neither.
std::string kindCodeOf(const std::string& given, const FixedLists& lists) {
  const std::string g = lower(given);
  for (std::size_t i = 0; i < lists.AT_TART.size(); ++i) {
    if (g == lower(lists.AT_TART[i]) ||
        (i < lists.ATERMART.size() && g == lower(lists.ATERMART[i])))
      return lists.AT_TART[i];
  }
  return "";
}

struct Command {
  const char* name;
  CliCommand command;
  bool takesValue;
};
constexpr Command kCommands[] = {
    {"--help", CliCommand::Help, false},           {"-h", CliCommand::Help, false},
    {"--version", CliCommand::Version, false},     {"--next", CliCommand::Next, false},
    {"--list", CliCommand::List, false},           {"--add", CliCommand::Add, true},
    {"--file-away", CliCommand::FileAway, true},   {"--delete", CliCommand::Delete, true},
    {"--export-ics", CliCommand::ExportIcs, true}, {"--import-ics", CliCommand::ImportIcs, true},
};

// The options and the command they belong to.
struct Option {
  const char* name;
  CliCommand command;
};
constexpr Option kOptions[] = {
    {"--view", CliCommand::List},  {"--from", CliCommand::List},    {"--to", CliCommand::List},
    {"--date", CliCommand::Add},   {"--time", CliCommand::Add},     {"--lead", CliCommand::Add},
    {"--repeat", CliCommand::Add}, {"--weekdays", CliCommand::Add}, {"--every", CliCommand::Add},
    {"--months", CliCommand::Add}, {"--until", CliCommand::Add},    {"--kind", CliCommand::Add},
    {"--sound", CliCommand::Add},  {"--mail", CliCommand::Add},
};

class Parser {
 public:
  Parser(const FixedLists& lists, fs::path workingDir)
      : lists_(lists), workingDir_(std::move(workingDir)) {}

  ParsedArguments run(const std::vector<std::string>& args) {
    std::vector<std::pair<std::string, std::string>> options;  // name, value
    bool commandSeen = false;
    std::string commandValue;
    for (std::size_t i = 0; i < args.size() && error_.empty(); ++i) {
      std::string name = args[i];
      std::optional<std::string> inlineValue;
      if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
        inlineValue = name.substr(eq + 1);
        name.erase(eq);
      }
      auto valueOf = [&]() -> std::optional<std::string> {
        if (inlineValue) return inlineValue;
        if (i + 1 < args.size()) return args[++i];
        error_ = "Zu " + name + " fehlt der Wert.";
        return std::nullopt;
      };
      if (name == "--json") {
        out_.request.json = true;
        continue;
      }
      if (const Command* c = findCommand(name)) {
        if (commandSeen) {
          error_ = "Nur ein Befehl auf einmal: " + name + " kommt zu einem anderen hinzu.";
          break;
        }
        commandSeen = true;
        out_.request.command = c->command;
        if (c->takesValue) {
          std::optional<std::string> v = valueOf();
          if (!v) break;
          commandValue = *v;
        }
        continue;
      }
      if (findOption(name)) {
        std::optional<std::string> v = valueOf();
        if (!v) break;
        options.emplace_back(name, *v);
        continue;
      }
      error_ = "Unbekanntes Argument: " + args[i];
    }
    if (error_.empty() && !commandSeen) {
      error_ = options.empty() ? "Es fehlt ein Befehl."
                               : "Zu " + options.front().first + " fehlt der Befehl.";
    }
    if (error_.empty()) commandArgument(commandValue);
    for (const auto& [name, value] : options) {
      if (!error_.empty()) break;
      option(name, value);
    }
    if (error_.empty() && out_.request.command == CliCommand::Add) checkAdd();
    out_.error = error_;
    return out_;
  }

 private:
  static const Command* findCommand(const std::string& name) {
    for (const Command& c : kCommands) {
      if (name == c.name) return &c;
    }
    return nullptr;
  }
  static const Option* findOption(const std::string& name) {
    for (const Option& o : kOptions) {
      if (name == o.name) return &o;
    }
    return nullptr;
  }

  std::string absolute(const std::string& file) const {
    const fs::path p(file);
    return (p.is_absolute() ? p : workingDir_ / p).lexically_normal().string();
  }

  void commandArgument(const std::string& value) {
    CliRequest& r = out_.request;
    switch (r.command) {
      case CliCommand::Add:
        r.add.text = value;
        if (value.empty()) error_ = "Der Text des Termins ist leer.";
        break;
      case CliCommand::FileAway:
      case CliCommand::Delete: {
        const std::optional<int> n = positiveNumber(value, 999999999);
        if (!n) {
          error_ = "Die Terminnummer muss eine Zahl ab 1 sein: " + value;
        } else {
          r.recno = static_cast<std::uint32_t>(*n);
        }
        break;
      }
      case CliCommand::ExportIcs:
      case CliCommand::ImportIcs:
        if (value.empty()) {
          error_ = "Der Dateiname fehlt.";
        } else {
          r.file = absolute(value);
        }
        break;
      default:
        break;
    }
  }

  Date date(const std::string& name, const std::string& value) {
    const Date d = Date::fromDisplay(value);
    if (d.empty() || value.size() != 10) {
      error_ = "Zu " + name + " gehört ein Datum TT.MM.JJJJ, nicht " + value + ".";
    }
    return d;
  }

  void option(const std::string& name, const std::string& value) {
    CliRequest& r = out_.request;
    const Option* o = findOption(name);
    if (o->command != r.command) {
      error_ = name + " gehört zu " + (o->command == CliCommand::List ? "--list" : "--add") + ".";
      return;
    }
    AddRequest& a = r.add;
    if (name == "--view") {
      const std::optional<int> v = viewOf(value);
      if (!v) error_ = "--view kennt aktuelle, heutige und abgelegte, nicht " + value + ".";
      if (v) r.view = *v;
    } else if (name == "--from") {
      r.from = date(name, value);
    } else if (name == "--to") {
      r.to = date(name, value);
    } else if (name == "--date") {
      a.date = value;
    } else if (name == "--time") {
      a.time = value;
    } else if (name == "--lead") {
      a.lead = value;
    } else if (name == "--repeat") {
      const std::optional<int> k = repeatKind(value);
      if (!k)
        error_ =
            "--repeat kennt einmal, stündlich, täglich, wöchentlich, monatlich und "
            "jährlich, nicht " +
            value + ".";
      if (k) a.repeat = *k;
    } else if (name == "--weekdays") {
      a.weekdays = weekdayMaskOf(value);
      if (a.weekdays.empty())
        error_ = "--weekdays erwartet Mo,Di,Mi,Do,Fr,Sa,So, nicht " + value + ".";
    } else if (name == "--every") {
      const std::optional<int> n = positiveNumber(value, 99);
      if (!n) error_ = "--every erwartet eine Zahl von 1 bis 99, nicht " + value + ".";
      if (n) a.every = *n;
    } else if (name == "--months") {
      a.months = monthMaskOf(value);
      if (a.months.empty())
        error_ = "--months erwartet Monatszahlen 1 bis 12, nicht " + value + ".";
    } else if (name == "--until") {
      if (!date(name, value).empty()) a.until = value;
    } else if (name == "--kind") {
      a.kind = kindCodeOf(value, lists_);
      if (a.kind.empty()) error_ = "Unbekannte Art: " + value + ".";
    } else if (name == "--sound") {
      a.sound = value.empty() ? "" : absolute(value);
      a.soundGiven = true;
    } else if (name == "--mail") {
      a.mail = value;
    }
  }

  void checkAdd() {
    const AddRequest& a = out_.request.add;
    if (a.date.empty())
      error_ = "Zu --add fehlt --date TT.MM.JJJJ.";
    else if (a.time.empty())
      error_ = "Zu --add fehlt --time HH:MM.";
    else if (!a.weekdays.empty() && a.repeat != kDaily)
      error_ = "--weekdays gilt nur für täglich.";
    else if (a.every && a.repeat != kWeekly)
      error_ = "--every gilt nur für wöchentlich.";
    else if (!a.months.empty() && a.repeat != kMonthly)
      error_ = "--months gilt nur für monatlich.";
    else if (!a.until.empty() && a.repeat == kOnce) {
      error_ = "--until gilt nur für einen wiederkehrenden Termin.";
    }
  }

  const FixedLists& lists_;
  fs::path workingDir_;
  ParsedArguments out_;
  std::string error_;
};

}  // namespace

bool changesTable(CliCommand c) {
  return c == CliCommand::Add || c == CliCommand::FileAway || c == CliCommand::Delete ||
         c == CliCommand::ImportIcs;
}

ParsedArguments parseArguments(const std::vector<std::string>& args, const FixedLists& lists,
                               const fs::path& workingDir) {
  if (args.empty()) return ParsedArguments{};
  return Parser(lists, workingDir).run(args);
}

std::string weekdayMaskOf(const std::string& names) {
  static const char* const kNames[] = {"so", "mo", "di", "mi", "do", "fr", "sa"};
  std::string mask = "-------";
  for (const std::string& part : split(names, ',')) {
    const std::string n = lower(part).substr(0, 2);
    const auto* it = std::find(std::begin(kNames), std::end(kNames), n);
    if (part.size() < 2 || it == std::end(kNames)) return "";
    mask[static_cast<std::size_t>(it - std::begin(kNames))] = 'X';
  }
  return mask;
}

std::string monthMaskOf(const std::string& numbers) {
  std::string mask(12, '-');
  for (const std::string& part : split(numbers, ',')) {
    const std::optional<int> m = positiveNumber(part, 12);
    if (!m) return "";
    mask[static_cast<std::size_t>(*m) - 1] = 'X';
  }
  return mask;
}

bool helpInEnglish(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* v : {lcAll, lcMessages, lang}) {
    if (v && *v) return std::string_view(v).substr(0, 2) != "de";
  }
  return true;
}

std::string helpText(bool english) {
  if (english) {
    return R"(Usage: zorvane [COMMAND] [OPTIONS]

Without a command Zorvane starts with its window (when it runs already, its window comes to
the front).

Commands:
  --next                         the next appointment that will ring
  --list                         the appointments of a view
      --view aktuelle|heutige|abgelegte   current (default), today's or filed ones
      --from DD.MM.YYYY --to DD.MM.YYYY   only appointments on these days
  --add TEXT --date DD.MM.YYYY --time HH:MM   adds an appointment
      --lead MIN                 lead time in minutes (0 to 999)
      --repeat einmal|stündlich|täglich|wöchentlich|monatlich|jährlich
                                 once, hourly, daily, weekly, monthly, yearly
      --weekdays Mo,Di,Mi,Do,Fr,Sa,So   daily: on these weekdays
      --every N                  weekly: every N-th week
      --months 1,3,...           monthly: in these months
      --until DD.MM.YYYY         last day of the series
      --kind KIND                kind: its code (TA7) or its name (privat)
      --sound FILE               alarm sound
      --mail ADDRESS             mails the text when it is due
  --file-away NR                 files appointment NR away
  --delete NR                    deletes appointment NR
  --export-ics FILE              writes all appointments to an iCalendar file
  --import-ics FILE              adds the appointments of an iCalendar file
  --json                         output for programs (JSON)
  --help                         this help
  --version                      the version

When Zorvane runs, the running program carries out the command; otherwise the command line
opens the appointment table itself.

Exit codes: 0 done, 1 bad arguments, 2 appointment table not reachable, 3 nothing found.
)";
  }
  return R"(Aufruf: zorvane [BEFEHL] [OPTIONEN]

Ohne Befehl startet Zorvane mit seinem Fenster (läuft es schon, kommt sein Fenster nach vorn).

Befehle:
  --next                         der nächste Termin, der klingeln wird
  --list                         die Termine einer Ansicht
      --view aktuelle|heutige|abgelegte   Vorgabe: aktuelle
      --from TT.MM.JJJJ --to TT.MM.JJJJ   nur Termine an diesen Tagen
  --add TEXT --date TT.MM.JJJJ --time HH:MM   legt einen Termin an
      --lead MIN                 Vorwarnzeit in Minuten (0 bis 999)
      --repeat einmal|stündlich|täglich|wöchentlich|monatlich|jährlich
      --weekdays Mo,Di,Mi,Do,Fr,Sa,So   täglich: an diesen Wochentagen
      --every N                  wöchentlich: jede N. Woche
      --months 1,3,...           monatlich: in diesen Monaten
      --until TT.MM.JJJJ         Enddatum der Wiederholung
      --kind ART                 Art des Termins: Kürzel (TA7) oder Name (privat)
      --sound DATEI              Alarmton
      --mail ADRESSE             Email-Versand des Termintextes
  --file-away NR                 legt Termin NR ab
  --delete NR                    löscht Termin NR
  --export-ics DATEI             schreibt alle Termine in eine iCalendar-Datei
  --import-ics DATEI             übernimmt die Termine einer iCalendar-Datei
  --json                         Ausgabe für Programme (JSON)
  --help                         diese Hilfe
  --version                      die Version

Läuft Zorvane, führt das laufende Programm den Befehl aus; sonst öffnet die Befehlszeile
die Termindatei selbst.

Rückgabewerte: 0 erledigt, 1 falsche Argumente, 2 Termindatei nicht erreichbar,
3 nichts gefunden.
)";
}

}  // namespace zrv
