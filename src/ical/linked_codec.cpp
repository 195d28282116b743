// The codec over the mapping in this library.
#include "ical/ics_codec.h"
#include "ical/ics_export.h"
#include "ical/ics_import.h"

namespace zrv {
namespace {

class LinkedCodec : public IcsCodec {
 public:
  std::string exportIcs(const std::vector<Appointment>& appointments, const FixedLists& lists,
                        std::int64_t nowUtc) const override {
    return zrv::exportIcs(appointments, lists, nowUtc);
  }
  IcsImport importIcs(std::string_view text, const IcsImportRules& rules) const override {
    return zrv::importIcs(text, rules);
  }
};

}  // namespace

const IcsCodec& linkedIcsCodec() {
  static const LinkedCodec codec;
  return codec;
}

}  // namespace zrv
