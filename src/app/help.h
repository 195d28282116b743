// The help book as the core sees it: topics by name, the current topic that F1 opens, and the
// viewer that shows a page. Windows set the current topic while they are open and give it back
// afterwards (ScopedHelpTopic); without a viewer nothing is shown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zrv {

// The topic names of the help book. Every topic the program opens is one of these.
namespace help_topic {
inline constexpr const char* kContents = "Inhalt";
inline constexpr const char* kMain = "Hauptauswahl";
inline constexpr const char* kAlert = "Terminalarm";
inline constexpr const char* kEditor = "Neuer Termin";
inline constexpr const char* kRepetition = "Details TagTermin";
inline constexpr const char* kCalendar = "Kalender";
inline constexpr const char* kWeek = "Wochenübersicht";
inline constexpr const char* kSettings = "Allgemeine Einstellungen";
inline constexpr const char* kNetwork = "Netzwerk Einstellungen";
inline constexpr const char* kSounds = "Sound-Einstellungen";
inline constexpr const char* kUserSetup = "Benutzer-Einstellungen";
inline constexpr const char* kUsers = "Benutzer";
inline constexpr const char* kMissed = "Während Sie weg waren";
inline constexpr const char* kCommandLine = "Befehlszeile";
}  // namespace help_topic

// Every topic name above, contents first.
const std::vector<std::string>& helpTopics();

// Shows pages of the help book; the wx help window implements it.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  // The page of `topic` (a name of helpTopics()).
  virtual void showTopic(const std::string& topic) = 0;
  virtual void showContents() = 0;
  virtual void showIndex() = 0;
};

class Help {
 public:
  // `viewer` may be null (nothing is shown) and must outlive this object or be detached.
  void attach(HelpViewer* viewer) { viewer_ = viewer; }

  void setTopic(std::string_view topic) { topic_ = topic; }
  const std::string& topic() const { return topic_; }

  // F1: the current topic.
  void showCurrent() { show(topic_); }
  // A help button: its own topic, whatever is current.
  void show(const std::string& topic);
  void showContents();
  void showIndex();

 private:
  HelpViewer* viewer_ = nullptr;
  std::string topic_ = help_topic::kContents;
};

// Makes `topic` current for the life of the object, then `after`.
class ScopedHelpTopic {
 public:
  ScopedHelpTopic(Help& help, std::string_view topic, std::string_view after)
      : help_(help), after_(after) {
    help_.setTopic(topic);
  }
  ~ScopedHelpTopic() { help_.setTopic(after_); }
  ScopedHelpTopic(const ScopedHelpTopic&) = delete;
  ScopedHelpTopic& operator=(const ScopedHelpTopic&) = delete;

 private:
  Help& help_;
  std::string after_;
};

}  // namespace zrv
