#include "update/update_commands.h"

#include <array>
#include <string>

#include "app/context.h"
#include "commands/commands.h"
#include "store/base/logbook.h"
#include "update/downloads.h"
#include "update/update_install.h"

namespace zrv {
namespace {

// The dialog, remembering what its display lines show, so that the logbook keeps how a check
// ended.
class RememberingView : public UpdateView {
 public:
  explicit RememberingView(UpdateView& view) : view_(view) {}
  void show(UpdateLine line, const std::string& text) override {
    lines_[static_cast<std::size_t>(line)] = text;
    view_.show(line, text);
  }
  bool ask(const std::string& title, const std::string& text, bool defaultYes) override {
    return view_.ask(title, text, defaultYes);
  }
  void tell(const std::string& title, const std::string& text) override { view_.tell(title, text); }
  void busy(bool on) override { view_.busy(on); }

  bool showedAnything() const {
    for (const std::string& text : lines_)
      if (!text.empty()) return true;
    return false;
  }
  // "Verbinden mit: …; Status: …; Dateistatus: …; Download: …" (line breaks as blanks).
  std::string summary() const {
    static constexpr const char* kNames[] = {"Verbinden mit", "Status", "Dateistatus", "Download"};
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      std::string text = lines_[i];
      for (char& c : text)
        if (c == '\n') c = ' ';
      out += (i ? "; " : "") + std::string(kNames[i]) + ": " + text;
    }
    return out;
  }

 private:
  UpdateView& view_;
  std::array<std::string, 4> lines_;
};

}  // namespace

void downloadIt(Context& ctx, UpdateWindows& windows, WaitPort& wait) {
  const bool LOK = windows.downloadDialog([&ctx, &wait](UpdateView& view) {
    RememberingView remembering(view);
    UpdateRun run{ctx, remembering, wait, ""};
    const bool received = downloads(run);
    if (remembering.showedAnything()) ctx.log.log("Update", remembering.summary());
    return received;
  });
  if (LOK && startInstaller(ctx)) windows.endProgram();
}

void registerUpdateCommands(Commands& commands, UpdateWindows& windows, WaitPort& wait) {
  commands.add(CommandId::HelpUpdate,
               [&windows, &wait](CommandScope& s) { downloadIt(s.ctx, windows, wait); });
}

}  // namespace zrv
