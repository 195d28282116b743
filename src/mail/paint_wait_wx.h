// The wait of the window thread while a mail goes out: windows keep repainting and resizing,
// while clicks, keys and timers wait until the mail is done.
#pragma once

#include "mail/off_thread.h"

namespace zrv {

class WxPaintWait : public ResponsiveWait {
 public:
  void whileWaiting() override;
};

}  // namespace zrv
