// The installed program mails a due appointment: started with an appointment whose trigger is
// now and whose e-mail address is set, and with a mail account on a local SMTP server, it sends
// the mail without raising the alert and deals with the appointment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "app/context.h"
#include "platform/system_clock.h"
#include "reminder/recurrence.h"
#include "store/appointments/appointment_record.h"
#include "store/appointments/appointment_table.h"
#include "store/base/logbook.h"
#include "store/appointments/trigger.h"
#include "support/local_smtp.h"
#include "support/process.h"
#include "support/test_dir.h"
#include "support/virtual_display.h"
#include "support/window_watch.h"
#include "ui_test_util.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kTitle = "QLS Zorvane v2.00.65";

std::string binaryDir() {
  const char* env = std::getenv("ZRV_BINARY_DIR");
  return env ? env : ZRV_BINARY_DIR;
}

void writeTable(const fs::path& dir, Appointment a, const Clock& clock) {
  Logbook off(dir / "unused.log", kRelease, clock);
  applyTriggerRule(a, off);
  ASSERT_TRUE(Table::create(appointmentTableFile(dir / "ZORVANE"), terStruct(), clock));
  auto table = AppointmentTable::open(dir / "ZORVANE", clock, {});
  ASSERT_TRUE(table) << table.message();
  ASSERT_TRUE((*table)->append(a));
  ASSERT_TRUE((*table)->commit());
  ASSERT_TRUE((*table)->close());
}

TEST(MailEndToEnd, ADueAppointmentWithAnAddressIsMailedWithoutAnAlert) {
  test::LocalSmtpOptions options;
  options.password = "e2e-Geheimnis";
  test::LocalSmtp smtp(options);
  ASSERT_TRUE(smtp.ready()) << smtp.whyNotReady();

  SystemClock clock;
  test::TestDir dir;
  const auto installed = test::run({"cmake", "--install", binaryDir(), "--prefix", dir.path()});
  ASSERT_EQ(installed.status, 0) << installed.output;
  dir.write("ZORVANE.SAV",
            "[SYSTEM]\r\nTimer=1\r\n[SETUP]\r\nLOGBUCH=1\r\n[MailSupport]\r\n"
            "Name=Erika Mustermann\r\nReply=erika@example.org\r\nSMTP=" +
                smtp.server() + "\r\nUser=zorvane\r\nPass=" + options.password +
                "\r\nOnline=1\r\n");
  Appointment a;
  a.DATE = clock.today();
  a.TIME = a.TIMEVON = clock.hhmm();
  a.TEXT = "Angebot nachfassen\nM\xC3\xBCller anrufen";
  a.VORLAGE = kOnce;
  a.TERMINART = "TA4";
  a.EMAIL = "chef@example.org";
  writeTable(dir.path(), a, clock);

  test::VirtualDisplay display;
  ASSERT_TRUE(display.ready()) << display.diagnostics();
  test::WindowWatch watch{display.name()};
  auto env = display.environment();
  env["XDG_CONFIG_HOME"] = (dir / "config").string();
  env["SDL_AUDIODRIVER"] = "dummy";
  test::Process program({(dir / "zorvane").string()}, env);
  ASSERT_NE(watch.waitShown(kTitle, 60s), 0u) << "no main window";

  ASSERT_TRUE(smtp.waitForMessages(1, 90s)) << dir.read("Zorvane.Log");
  const test::ReceivedMail got = smtp.received().at(0);
  EXPECT_EQ(got.read("envelope.txt"), "erika@example.org\nchef@example.org");
  EXPECT_EQ(got.read("subject.txt"), kTitle);
  EXPECT_NE(got.read("body.txt").find("Angebot nachfassen\r\nM\xC3\xBCller anrufen"),
            std::string::npos)
      << got.read("body.txt");
  // The appointment is dealt with: nothing remains to remind of.
  ASSERT_TRUE(test::waitUntil(
      [&] {
        const std::string log = dir.read("Zorvane.Log");
        return log.find("(ShowTermin) Termin automatisch") != std::string::npos ||
               log.find("(ShowTermin) Termin abgelegt") != std::string::npos;
      },
      30s))
      << dir.read("Zorvane.Log");
  test::pump(300);
  EXPECT_EQ(test::run({"wmctrl", "-l"}, env, 5s).output.find("Aktueller Termin"),
            std::string::npos);

  ASSERT_EQ(test::run({"wmctrl", "-F", "-c", kTitle}, env, 5s).status, 0);
  const auto status = program.waitFor(60s);
  ASSERT_TRUE(status.has_value()) << "the program did not end after its window was closed";
  EXPECT_EQ(*status, 0);
  const std::string log = dir.read("Zorvane.Log");
  std::ofstream(test::artifactDir() / "e2e_mail_Zorvane.Log", std::ios::binary) << log;
  EXPECT_EQ(log.find("(ShowTermin) Melden"), std::string::npos) << log;
  EXPECT_NE(log.find("-u zorvane -p **** -h LOGIN"), std::string::npos) << log;
  EXPECT_EQ(log.find(options.password), std::string::npos) << log;
  EXPECT_FALSE(fs::exists(dir / "SendMail.txt"));
  EXPECT_FALSE(fs::exists(dir / "Email.txt"));
}

}  // namespace
}  // namespace zrv
