#include "app/context.h"

#include "app/settings_listener.h"
#include "app/table_in_use.h"
#include "store/appointments/appointment_table.h"

namespace zrv {

Context::Context(std::filesystem::path programDir, const Clock& clock, Logbook& log,
                 UserInterface& ui)
    : CRUNIN(std::move(programDir)), runFiles(CRUNIN), clock(clock), log(log), ui(ui) {
  static NoTableListener nobody;
  tableListener = &nobody;
  static NoSettingsListener noSettings;
  settingsListener = &noSettings;
}

Context::~Context() = default;

}  // namespace zrv
