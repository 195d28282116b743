#include "remote/ics_module.h"

#include "ical/ics_codec.h"

namespace zrv {

const IcsCodec* IcsModule::codec(std::string& why) {
  if (!tried_) {
    tried_ = true;
    IcsCodecEntry entry = nullptr;
    if (!library_.open(file_.c_str())) {
      why_ = "das Modul fehlt oder ist beschädigt: " + SharedLibrary::lastError();
    } else if (!library_.resolve(kIcsCodecEntry, entry)) {
      why_ = file_.string() + ": " + kIcsCodecEntry + " fehlt";
    } else {
      codec_ = entry();
    }
  }
  why = why_;
  return codec_;
}

}  // namespace zrv
