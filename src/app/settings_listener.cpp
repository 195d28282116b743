#include "app/settings_listener.h"

#include "app/context.h"

namespace zrv {

void settingsChanged(Context& ctx) {
  ctx.settingsListener->settingsChanged(ctx);
}

}  // namespace zrv
