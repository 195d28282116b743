#include "app/sample_appointments.h"

#include "store/base/clock.h"
#include "store/base/date_time.h"

namespace zrv {
namespace {

constexpr int kWeekly = 4;
constexpr int kYearly = 6;

const char* const kWelcome =
    "Herzlich willkommen!\r\n"
    "Vielen Dank, dass Sie Zorvane installiert haben. Fragen und Anregungen schicken Sie uns "
    "am einfachsten per E-Mail über das Menü \"Hilfe\".\r\n"
    "\r\n"
    "Einige Beispieltermine haben wir bereits eingefügt.";
const char* const kNews =
    "Neuigkeiten und Aktualisierungen zu Zorvane finden Sie im Internet: das Menü \"Hilfe\" "
    "bringt Sie dorthin.";
// "#" marks the birth year; the alert shows the age instead.
const char* const kBirthday = "Geburtstag von Lena Birkenfeld (#1985)";
const char* const kChristmas = "Es weihnachtet sehr, Zeit endlich die Geschenke zu kaufen !";

// A date of this year, or of the next one when `nextIfPassed` and it lies before today.
Date dayOfYear(const Date& today, int month, int day, bool nextIfPassed) {
  Date d = *Date::fromYmd(today.year(), month, day);
  if (nextIfPassed && d < today) d = *Date::fromYmd(today.year() + 1, month, day);
  return d;
}

// A yearly appointment at `time` whose trigger is its own time, for forty years.
Appointment yearly(const Date& date, const char* time) {
  Appointment a;
  a.DATE = a.TDATE = date;
  a.TIME = a.TIMEVON = a.TTIME = time;
  a.VORLAGE = kYearly;
  a.REPDATE = addYear(date, 40);
  a.ALARM = true;
  return a;
}

}  // namespace

std::vector<Appointment> sampleAppointments(const Clock& clock) {
  const Date today = clock.today();
  const std::string now = clock.hhmm();
  std::vector<Appointment> samples(2);

  Appointment& welcome = samples[0];
  welcome.TDATE = welcome.DATE = today + 1;
  welcome.TTIME = welcome.TIME = welcome.TIMEVON = now;
  welcome.TEXT = kWelcome;
  welcome.VORLAGE = kWeekly;
  welcome.VORLNACH = 1;
  welcome.REPDATE = today + 366;
  welcome.ALARM = true;
  welcome.ALARMFILE = ".\\sounds\\Wichtig.wav";
  welcome.TERMINART = "TA10";
  welcome.NICHTMEHR = 60;
  welcome.DAYINTVALL = 1;
  welcome.WEKINTVALL = 1;

  // Its trigger lies three days before its own date, as the sample has always had it.
  Appointment& news = samples[1];
  news.TDATE = today + 2;
  news.TTIME = "12:00";
  news.DATE = today + 5;
  news.TIME = news.TIMEVON = "12:00";
  news.TEXT = kNews;
  news.VORLAGE = kWeekly;
  news.REPDATE = today + 366;
  news.ALARM = true;
  news.ALARMFILE = ".\\sounds\\InfoTerm.wav";
  news.TERMINART = "TA40";
  news.NICHTMEHR = 60;
  news.DAYINTVALL = 1;
  news.WEKINTVALL = 1;

  Appointment birthday = yearly(dayOfYear(today, 5, 3, true), "01:00");
  birthday.TEXT = kBirthday;
  birthday.ALARMFILE = ".\\Sounds\\HBIRTHD1.wav";
  birthday.TERMINART = "TA60";
  birthday.NICHTMEHR = 300;
  samples.push_back(birthday);

  Appointment christmas = yearly(dayOfYear(today, 12, 20, false), "16:00");
  christmas.TEXT = kChristmas;
  christmas.REPEAT = 1;
  christmas.ALARMFILE = ".\\Sounds\\BesuchI.wav";
  christmas.TERMINART = "TA50";
  christmas.DAYINTVALL = 1;
  christmas.WEKINTVALL = 1;
  christmas.WEEKDAYS = "XXXXXXX";
  samples.push_back(christmas);
  return samples;
}

Appointment newTableNote(const Clock& clock) {
  Appointment a;
  a.TDATE = a.DATE = clock.today() + 1;
  a.TTIME = a.TIME = a.TIMEVON = clock.hhmm();
  a.TEXT = "Sie haben eine neue, leere Termindatei erzeugt.";
  a.VORLAGE = 1;
  a.REPEAT = 1;
  a.TERMINART = "TA40";
  a.ALARM = true;
  a.ALARMFILE = ".\\SOUNDS\\CARHORN.WAV";
  return a;
}

}  // namespace zrv
