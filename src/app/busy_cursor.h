// The wait cursor for the length of a scope: on when made, back to normal when left, on every
// way out.
#pragma once

#include "ports/user_interface.h"

namespace zrv {

class BusyCursor {
 public:
  explicit BusyCursor(UserInterface& ui) : ui_(ui) { ui_.busy(true); }
  ~BusyCursor() { ui_.busy(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  UserInterface& ui_;
};

}  // namespace zrv
