// The window services of window tests: every request is recorded, dates and files come from a
// script, messages are kept as "title: text" and questions answered from a queue.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ports/window_services.h"

namespace zrv::test {

class FakeWindowServices : public WindowServices {
 public:
  std::optional<Date> pickDate(wxWindow* owner, const Date& current) override {
    dateOwner = owner;
    datesAsked.push_back(current);
    return datePicked;
  }
  void showHelp(const std::string& topic) override { helpTopics.push_back(topic); }
  std::string chooseFile(wxWindow*, const std::string& title, const std::filesystem::path&,
                         const std::string&) override {
    filesAsked.push_back(title);
    return fileChosen;
  }
  void tell(wxWindow*, Severity severity, const std::string& title,
            const std::string& text) override {
    messages.push_back(title + ": " + text);
    severities.push_back(severity);
  }
  bool ask(wxWindow*, const std::string& title, const std::string& text, bool defaultYes) override {
    questions.push_back(title + ": " + text);
    if (answers.empty()) return defaultYes;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::optional<Date> datePicked;  // what the calendar gives
  std::string fileChosen;          // what the file chooser gives
  std::deque<bool> answers;        // the questions' answers; the default when empty

  wxWindow* dateOwner = nullptr;
  std::vector<Date> datesAsked;
  std::vector<std::string> helpTopics;
  std::vector<std::string> filesAsked;
  std::vector<std::string> messages;
  std::vector<Severity> severities;
  std::vector<std::string> questions;
};

}  // namespace zrv::test
