// The entry of the help module (zorvane_help.so): the program opens the module at the first
// request for help and makes its viewer here. The module uses the program's wx libraries; only
// the HTML library comes with it.
#include <wx/module.h>

#include <exception>

#include "app/help_module.h"
#include "help_module/wx_help_viewer.h"

namespace zrv {
namespace {

// wx starts the modules of its libraries (for HTML: the tag handlers, the page filters) when the
// program starts. A library loaded later brings modules that nobody has started; they are
// started here, and wx ends them with its own at the end of the run.
class LateModules : public wxModule {
 public:
  static bool start() {
    wxModuleList added;
    for (const wxClassInfo* info = wxClassInfo::GetFirst(); info; info = info->GetNext()) {
      if (!info->IsKindOf(wxCLASSINFO(wxModule)) || running(info)) continue;
      if (auto* module = wxDynamicCast(info->CreateObject(), wxModule)) added.push_back(module);
    }
    if (added.empty()) return true;
    // wx starts the modules of its list that are not started yet and then keeps only those in
    // it; the list is therefore handed over with the new modules alone and joined afterwards.
    wxModuleList all = ms_modules;
    ms_modules.clear();
    for (wxModule* module : added)
      RegisterModule(module);
    const bool started = InitializeModules();  // on failure the new modules are deleted
    for (wxModule* module : ms_modules)
      all.push_back(module);
    ms_modules = all;
    return started;
  }
  bool OnInit() override { return true; }
  void OnExit() override {}

 private:
  static bool running(const wxClassInfo* info) {
    for (const wxModule* module : ms_modules) {
      if (module->GetClassInfo() == info) return true;
    }
    return false;
  }
};

}  // namespace
}  // namespace zrv

extern "C" __attribute__((visibility("default"))) zrv::HelpViewer* zrvMakeHelpViewer(
    const char* bookFile, const zrv::HelpComplaint* complain) {
  try {
    if (!zrv::LateModules::start()) return nullptr;
    return new zrv::WxHelpViewer(bookFile, *complain);
  } catch (const std::exception&) {
    return nullptr;
  }
}
