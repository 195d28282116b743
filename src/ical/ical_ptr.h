// Ownership of libical's objects: a component tree and a string the library allocated.
#pragma once

#include <libical/ical.h>

#include <cstdlib>
#include <memory>

namespace zrv {

struct IcalComponentFree {
  void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using IcalComponentPtr = std::unique_ptr<icalcomponent, IcalComponentFree>;

struct IcalStringFree {
  void operator()(char* s) const { std::free(s); }
};
using IcalStringPtr = std::unique_ptr<char, IcalStringFree>;

}  // namespace zrv
