// The entry of the iCalendar module (zorvane_ical.so): the program opens it for an export or an
// import only, so that libical and the Unicode library under it cost the other runs nothing.
#include "ical/ics_codec.h"

extern "C" __attribute__((visibility("default"))) const zrv::IcsCodec* zrvIcsCodec() {
  return &zrv::linkedIcsCodec();
}
