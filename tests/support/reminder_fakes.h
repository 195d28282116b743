// Scripted stand-ins for everything the reminder engine reaches through its ports: the user,
// the main window, the timer, the alert windows, sound, program start, mail and wake-up. Each
// records what the engine asked of it; answers come from a script the test fills beforehand.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ports/alert_port.h"
#include "ports/launcher_port.h"
#include "ports/mail_port.h"
#include "ports/main_window_port.h"
#include "ports/sound_port.h"
#include "ports/timer_port.h"
#include "ports/user_interface.h"
#include "ports/wait_port.h"
#include "ports/wake_up_port.h"

namespace zrv::test {

// Messages and questions as "title: text"; questions answered from `answers` (the default
// answer when the script is empty).
class ScriptedUserInterface : public UserInterface {
 public:
  void message(const std::string& title, const std::string& text, Severity) override;
  bool ask(const std::string& title, const std::string& text, bool defaultYes) override;
  void statusText(const std::string&) override {}
  void statusPane(StatusPane pane, const std::string& text) override;
  void statusPaneColour(StatusPane pane, Rgb background) override;
  void busy(bool on) override { busyDepth += on ? 1 : -1; }

  std::vector<std::string> messages;
  // Runs while a message is shown, as the window thread does behind a message box.
  std::function<void()> whileShown;
  std::vector<std::string> questions;
  std::deque<bool> answers;
  std::string viewPane;
  std::vector<Rgb> lampColours;
  int busyDepth = 0;
};

class FakeTimer : public TimerPort {
 public:
  void start() override {
    on = true;
    ++starts;
  }
  void stop() override { on = false; }
  bool running() const override { return on; }
  void checkAt(std::optional<std::chrono::milliseconds> delay) override { checks.push_back(delay); }
  bool on = false;
  int starts = 0;
  std::vector<std::optional<std::chrono::milliseconds>> checks;  // every checkAt, in order
};

// Every call as a word: "refresh", "showOnTop", "listToFirstRow", "messages"; tooltips apart.
class FakeMainWindow : public MainWindowPort {
 public:
  void refresh() override { calls.push_back("refresh"); }
  void showOnTop() override { calls.push_back("showOnTop"); }
  void listToFirstRow() override { calls.push_back("listToFirstRow"); }
  void setTrayTooltip(const std::string& text) override { tooltips.push_back(text); }
  void processPendingMessages() override { ++pendingRuns; }
  int count(const std::string& call) const;

  std::vector<std::string> calls;
  std::vector<std::string> tooltips;
  int pendingRuns = 0;
};

// One scripted answer to an alert: the buttons pressed one after the other while the window
// stays open (an action that returns true closes it); when the list runs out the user closes
// the window.
struct AlertScript {
  std::vector<AlertAction> presses;
  std::function<void()> whileOpen;  // runs before the first press (e.g. take a lock elsewhere)
};

class ScriptedAlert : public AlertPort {
 public:
  void showAlert(const AlertContent& content, AlertActions& actions) override;
  std::optional<Postponement> askPostponement(const Date& date, const std::string& time) override;
  MissedChoice showMissedSummary(const std::vector<MissedRow>& rows) override {
    summaries.push_back(rows);
    return summaryChoice;
  }

  std::vector<std::vector<MissedRow>> summaries;  // every "Während Sie weg waren" shown
  MissedChoice summaryChoice = MissedChoice::OneByOne;
  std::deque<AlertScript> scripts;  // empty: the user closes the window at once
  std::vector<AlertContent> shown;
  std::vector<bool> results;  // the result of every press
  std::deque<std::optional<Postponement>> postponements;
  std::vector<std::pair<Date, std::string>> postponementStarts;
};

class RecordingSoundPlayer : public SoundPlayer {
 public:
  bool play(const std::filesystem::path& file) override {
    played.push_back(file);
    return true;
  }
  void stop() override { ++stops; }
  // File names (without directories) of what was played.
  std::vector<std::string> names() const;

  std::vector<std::filesystem::path> played;
  int stops = 0;
};

class FakeLauncher : public ProgramLauncher {
 public:
  LaunchResult launch(const LaunchRequest& request) override {
    requests.push_back(request);
    return result;
  }
  std::vector<LaunchRequest> requests;
  LaunchResult result{true, 4711, ""};
};

struct SentMail {
  MailRequest request;
  std::string body;  // the body file's bytes when it was handed over
};

class RecordingMail : public MailDispatch {
 public:
  int send(const MailRequest& request) override;
  std::vector<SentMail> sent;
  int result = kMailSent;
};

class FakeWakeUp : public WakeUpScheduler {
 public:
  bool available() override { return true; }
  bool removeJob() override { return false; }
  bool createJob(const Date& date, const std::string& time, bool) override {
    jobs.push_back(date.toDisplay() + " " + time);
    return true;
  }
  bool jobExists() override { return true; }
  std::vector<std::string> jobs;
};

class NoWait : public WaitPort {
 public:
  void waitOneSecond() override {}
  void whileWaiting() override {}
};

}  // namespace zrv::test
