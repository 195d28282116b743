#!/usr/bin/python3
"""Writes an iCalendar file as another calendar program would, with python3-icalendar: a weekly
meeting in Berlin time with an alarm 15 minutes before, an all-day birthday every year, and a
monthly event on the last working day (BYSETPOS), which has no counterpart in Zorvane."""
import sys
from datetime import date, datetime, timedelta, timezone
from zoneinfo import ZoneInfo

from icalendar import Alarm, Calendar, Event, vRecur

cal = Calendar()
cal.add("prodid", "-//Test//Fremdkalender//DE")
cal.add("version", "2.0")

meeting = Event()
meeting.add("uid", "meeting-1@example.org")
meeting.add("summary", "Teamrunde")
meeting.add("description", "Teamrunde\nRaum Süd, bitte pünktlich")
meeting.add("dtstart", datetime(2027, 1, 5, 9, 30, tzinfo=ZoneInfo("Europe/Berlin")))
meeting.add("dtend", datetime(2027, 1, 5, 10, 30, tzinfo=ZoneInfo("Europe/Berlin")))
meeting.add("rrule", vRecur(freq="WEEKLY", until=datetime(2027, 6, 30, 0, 0, tzinfo=timezone.utc)))
alarm = Alarm()
alarm.add("action", "DISPLAY")
alarm.add("description", "Teamrunde")
alarm.add("trigger", timedelta(minutes=-15))
meeting.add_component(alarm)
cal.add_component(meeting)

birthday = Event()
birthday.add("uid", "bday-1@example.org")
birthday.add("summary", "Geburtstag Jörg")
birthday.add("dtstart", date(2027, 3, 12))
birthday.add("rrule", vRecur(freq="YEARLY"))
cal.add_component(birthday)

lastday = Event()
lastday.add("uid", "setpos-1@example.org")
lastday.add("summary", "Monatsabschluss")
lastday.add("dtstart", datetime(2027, 1, 29, 16, 0))
lastday.add("rrule", vRecur(freq="MONTHLY", byday=["MO", "TU", "WE", "TH", "FR"], bysetpos=-1))
cal.add_component(lastday)

with open(sys.argv[1], "wb") as f:
    f.write(cal.to_ical())
