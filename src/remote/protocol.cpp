#include "remote/protocol.h"

#include "remote/json.h"

namespace zrv {
namespace {

struct Name {
  CliCommand command;
  const char* text;
};
constexpr Name kNames[] = {
    {CliCommand::Next, "next"},
    {CliCommand::List, "list"},
    {CliCommand::Add, "add"},
    {CliCommand::FileAway, "file-away"},
    {CliCommand::Delete, "delete"},
    {CliCommand::ExportIcs, "export-ics"},
    {CliCommand::ImportIcs, "import-ics"},
    {CliCommand::Raise, "raise"},
};

std::string dateText(const Date& d) {
  return d.toDisplay();
}

}  // namespace

std::string requestLine(const CliRequest& r) {
  Json j = Json::object();
  for (const Name& n : kNames) {
    if (n.command == r.command) j.set("cmd", n.text);
  }
  j.set("json", r.json);
  switch (r.command) {
    case CliCommand::List:
      j.set("view", r.view).set("from", dateText(r.from)).set("to", dateText(r.to));
      break;
    case CliCommand::Add: {
      const AddRequest& a = r.add;
      Json add = Json::object();
      add.set("text", a.text).set("date", a.date).set("time", a.time).set("lead", a.lead);
      add.set("repeat", a.repeat).set("weekdays", a.weekdays).set("every", a.every);
      add.set("months", a.months).set("until", a.until).set("kind", a.kind);
      add.set("sound", a.sound).set("soundGiven", a.soundGiven).set("mail", a.mail);
      j.set("add", std::move(add));
      break;
    }
    case CliCommand::FileAway:
    case CliCommand::Delete:
      j.set("nr", static_cast<long>(r.recno));
      break;
    case CliCommand::ExportIcs:
    case CliCommand::ImportIcs:
      j.set("file", r.file);
      break;
    default:
      break;
  }
  return j.dump() + "\n";
}

std::optional<CliRequest> requestOf(std::string_view line) {
  const std::optional<Json> j = Json::parse(line);
  if (!j || j->type() != Json::Type::Object) return std::nullopt;
  CliRequest r;
  const std::string& cmd = j->get("cmd").asString();
  bool known = false;
  for (const Name& n : kNames) {
    if (cmd == n.text) {
      r.command = n.command;
      known = true;
    }
  }
  if (!known) return std::nullopt;
  r.json = j->get("json").asBool();
  const long view = j->get("view").asLong(1);
  r.view = view >= 1 && view <= 3 ? static_cast<int>(view) : 1;
  r.from = Date::fromDisplay(j->get("from").asString());
  r.to = Date::fromDisplay(j->get("to").asString());
  const long nr = j->get("nr").asLong(0);
  r.recno = nr > 0 ? static_cast<std::uint32_t>(nr) : 0;
  r.file = j->get("file").asString();
  const Json& add = j->get("add");
  AddRequest& a = r.add;
  a.text = add.get("text").asString();
  a.date = add.get("date").asString();
  a.time = add.get("time").asString();
  a.lead = add.get("lead").asString();
  const long repeat = add.get("repeat").asLong(1);
  a.repeat = repeat >= 1 && repeat <= 6 ? static_cast<int>(repeat) : 1;
  a.weekdays = add.get("weekdays").asString();
  const long every = add.get("every").asLong(0);
  a.every = every >= 0 && every <= 99 ? static_cast<int>(every) : 0;
  a.months = add.get("months").asString();
  a.until = add.get("until").asString();
  a.kind = add.get("kind").asString();
  a.sound = add.get("sound").asString();
  a.soundGiven = add.get("soundGiven").asBool();
  a.mail = add.get("mail").asString();
  return r;
}

std::string responseLine(const CliResponse& r) {
  Json j = Json::object();
  j.set("exit", r.exitCode).set("out", r.out).set("err", r.err);
  return j.dump() + "\n";
}

std::optional<CliResponse> responseOf(std::string_view line) {
  const std::optional<Json> j = Json::parse(line);
  if (!j || j->type() != Json::Type::Object || !j->has("exit")) return std::nullopt;
  CliResponse r;
  r.exitCode = static_cast<int>(j->get("exit").asLong(kExitTableUnreachable));
  r.out = j->get("out").asString();
  r.err = j->get("err").asString();
  return r;
}

}  // namespace zrv
