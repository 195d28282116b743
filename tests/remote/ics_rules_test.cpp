// The iCalendar mapping on its own: what the six recurrence kinds cannot express is refused
// with the event's UID and a reason, what they can is mapped (several weekdays of every week
// become a daily series on those days, every third month a month mask), and times in UTC or a
// named zone come in as local wall-clock time, an unknown zone is refused rather than guessed.
// Also the protocol's reader, which takes lines from the socket, refuses what is not a request.
#include <gtest/gtest.h>

#include "app/check_ini.h"
#include "app/context.h"
#include "ical/ics_codec.h"
#include "reminder/recurrence.h"
#include "remote/json.h"
#include "remote/protocol.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

std::string event(const std::string& uid, const std::string& lines) {
  return "BEGIN:VEVENT\r\nUID:" + uid + "\r\nSUMMARY:" + uid + "\r\n" + lines + "END:VEVENT\r\n";
}

TEST(IcsImport, RefusesWhatNoKindExpressesAndMapsTheRest) {
  const FixedClock clock("07.12.2026", "10:00");
  Logbook log({}, {}, clock);
  const FixedLists lists = buildFixedLists();
  // Local time is one hour ahead of UTC here.
  const IcsImportRules rules{lists, log, 10, {}, [](std::int64_t utc) {
                               const std::int64_t local = utc + 3600;
                               Moment m;
                               m.date = Date::fromSerial(static_cast<long>(local / 86400));
                               m.secondsOfDay = static_cast<int>(local % 86400);
                               return m;
                             }};
  const std::string ics =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:test\r\n" +
      event("count", "DTSTART:20270104T090000\r\nRRULE:FREQ=DAILY;COUNT=5\r\n") +
      event("exdate",
            "DTSTART:20270104T090000\r\nRRULE:FREQ=WEEKLY\r\nEXDATE:20270111T090000\r\n") +
      event("minutely", "DTSTART:20270104T090000\r\nRRULE:FREQ=MINUTELY;INTERVAL=15\r\n") +
      event("secondmonday", "DTSTART:20270111T090000\r\nRRULE:FREQ=MONTHLY;BYDAY=2MO\r\n") +
      event("nowhere", "DTSTART;TZID=Mars/Olympus:20270104T090000\r\n") +
      event("monwed", "DTSTART:20270104T090000\r\nRRULE:FREQ=WEEKLY;BYDAY=MO,WE\r\n") +
      event("quarterly", "DTSTART:20270115T090000\r\nRRULE:FREQ=MONTHLY;INTERVAL=3\r\n") +
      event("utc", "DTSTART:20270104T233000Z\r\n") + "END:VCALENDAR\r\n";
  const IcsImport in = linkedIcsCodec().importIcs(ics, rules);
  ASSERT_EQ(in.refusals.size(), 5u);
  EXPECT_EQ(in.refusals[0].rfind("Termin count nicht übernommen: ", 0), 0u) << in.refusals[0];
  EXPECT_NE(in.refusals[0].find("COUNT"), std::string::npos);
  EXPECT_NE(in.refusals[1].find("EXDATE"), std::string::npos);
  EXPECT_NE(in.refusals[2].find("stündlich"), std::string::npos);
  EXPECT_NE(in.refusals[3].find("BYDAY"), std::string::npos);
  EXPECT_NE(in.refusals[4].find("Zeitzone"), std::string::npos);

  ASSERT_EQ(in.appointments.size(), 3u);
  EXPECT_EQ(in.appointments[0].VORLAGE, kDaily);
  EXPECT_EQ(in.appointments[0].WEEKDAYS, "-X-X---");
  EXPECT_EQ(in.appointments[1].VORLAGE, kMonthly);
  EXPECT_EQ(in.appointments[1].MONTH, "X--X--X--X--");
  EXPECT_EQ(in.appointments[1].MONTHDAY, 15);
  EXPECT_EQ(in.appointments[2].DATE, Date::fromDisplay("05.01.2027"));  // 23:30 UTC + 1 h
  EXPECT_EQ(in.appointments[2].TIME, "00:30");
  EXPECT_EQ(in.appointments[2].NICHTMEHR, 10);
  EXPECT_TRUE(linkedIcsCodec().importIcs("kein Kalender", rules).problem.size() > 0);
}

TEST(Protocol, ALineThatIsNoRequestIsRefusedWhateverItHolds) {
  EXPECT_FALSE(requestOf(""));
  EXPECT_FALSE(requestOf("{\"cmd\":\"next\""));
  EXPECT_FALSE(requestOf("[\"next\"]"));
  EXPECT_FALSE(requestOf("{\"cmd\":\"rm -rf\"}"));
  EXPECT_FALSE(Json::parse(std::string(100000, '[') + std::string(100000, ']')));
  EXPECT_FALSE(Json::parse("\"\\ud800\""));  // a lone surrogate
  CliRequest add;
  add.command = CliCommand::Add;
  add.add.text = "Zeile 1\nZeile \"2\" mit Ümlaut";
  add.add.weekdays = "-X-X---";
  const std::string line = requestLine(add);
  EXPECT_EQ(line.find('\n'), line.size() - 1) << "one request, one line";
  const std::optional<CliRequest> back = requestOf(line);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->command, CliCommand::Add);
  EXPECT_EQ(back->add.text, add.add.text);
  EXPECT_EQ(back->add.weekdays, "-X-X---");
}

}  // namespace
}  // namespace zrv
