// F1 anywhere in the program opens the help book at the current topic.
#pragma once

#include <memory>

#include "app/help.h"

namespace zrv {

// Makes F1 open help.showCurrent() in every window of the program until the returned object
// is destroyed.
class HelpKey {
 public:
  explicit HelpKey(Help& help);
  ~HelpKey();
  HelpKey(const HelpKey&) = delete;
  HelpKey& operator=(const HelpKey&) = delete;

 private:
  class Filter;
  std::unique_ptr<Filter> filter_;
};

}  // namespace zrv
