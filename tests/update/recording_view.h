// The update dialog as the tests see it: what each display line last showed, every text shown,
// the questions asked (answered as told) and the messages.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "update/downloads.h"

namespace zrv::test {

class RecordingView : public UpdateView {
 public:
  void show(UpdateLine line, const std::string& text) override {
    lines[static_cast<std::size_t>(line)] = text;
    shown.push_back(text);
  }
  bool ask(const std::string& title, const std::string& text, bool) override {
    questions.emplace_back(title, text);
    return answer;
  }
  void tell(const std::string& title, const std::string& text) override {
    messages.emplace_back(title, text);
  }
  void busy(bool on) override { busyDepth += on ? 1 : -1; }

  const std::string& line(UpdateLine l) const { return lines[static_cast<std::size_t>(l)]; }

  std::array<std::string, 4> lines;
  std::vector<std::string> shown;
  std::vector<std::pair<std::string, std::string>> questions;
  std::vector<std::pair<std::string, std::string>> messages;
  int busyDepth = 0;
  bool answer = true;
};

}  // namespace zrv::test
