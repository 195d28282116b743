// From an iCalendar file to appointments: each VEVENT whose recurrence the six recurrence kinds
// can express becomes one appointment, its times in local wall-clock time; every other event is
// refused with a German line naming its UID and why.
#pragma once

#include <string_view>

#include "ical/ics_codec.h"

namespace zrv {

IcsImport importIcs(std::string_view text, const IcsImportRules& rules);

}  // namespace zrv
