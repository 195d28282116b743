#include "support/reminder_fakes.h"

#include <algorithm>

#include "store/base/file_io.h"

namespace zrv::test {

void ScriptedUserInterface::message(const std::string& title, const std::string& text, Severity) {
  messages.push_back(title + ": " + text);
  if (whileShown) whileShown();
}

bool ScriptedUserInterface::ask(const std::string& title, const std::string& text,
                                bool defaultYes) {
  questions.push_back(title + ": " + text);
  if (answers.empty()) return defaultYes;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

void ScriptedUserInterface::statusPane(StatusPane pane, const std::string& text) {
  if (pane == StatusPane::View) viewPane = text;
}

void ScriptedUserInterface::statusPaneColour(StatusPane pane, Rgb background) {
  if (pane == StatusPane::TimerLamp) lampColours.push_back(background);
}

int FakeMainWindow::count(const std::string& call) const {
  return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

void ScriptedAlert::showAlert(const AlertContent& content, AlertActions& actions) {
  shown.push_back(content);
  if (scripts.empty()) return;
  const AlertScript script = scripts.front();
  scripts.pop_front();
  if (script.whileOpen) script.whileOpen();
  for (AlertAction a : script.presses) {
    const bool done = actions.run(a);
    results.push_back(done);
    if (done) return;
  }
}

std::optional<Postponement> ScriptedAlert::askPostponement(const Date& date,
                                                           const std::string& time) {
  postponementStarts.emplace_back(date, time);
  if (postponements.empty()) return std::nullopt;
  std::optional<Postponement> p = postponements.front();
  postponements.pop_front();
  return p;
}

std::vector<std::string> RecordingSoundPlayer::names() const {
  std::vector<std::string> out;
  for (const auto& p : played)
    out.push_back(p.filename().string());
  return out;
}

int RecordingMail::send(const MailRequest& request) {
  sent.push_back({request, readWholeFile(request.bodyFile).value_or("")});
  return result;
}

}  // namespace zrv::test
