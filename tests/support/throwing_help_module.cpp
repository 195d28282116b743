// A help module whose every page fails with an exception, as a fault in the program's own code
// would. End-to-end tests put it in place of zorvane_help.so to reach the program's exception
// boundary through its real windows: the editor's help button (a modal window) and F1 (a call
// made after the key's event).
#include <stdexcept>
#include <string>

#include "app/help.h"
#include "app/help_module.h"

namespace {

class ThrowingViewer : public zrv::HelpViewer {
 public:
  void showTopic(const std::string& topic) override {
    throw std::runtime_error("Hilfeseite " + topic + " kaputt");
  }
  void showContents() override { throw std::runtime_error("Hilfeinhalt kaputt"); }
  void showIndex() override { throw std::runtime_error("Hilfeindex kaputt"); }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) zrv::HelpViewer* zrvMakeHelpViewer(
    const char*, const zrv::HelpComplaint*) {
  return new ThrowingViewer;
}
