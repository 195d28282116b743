#include "app/help.h"

namespace zrv {

const std::vector<std::string>& helpTopics() {
  using namespace help_topic;
  static const std::vector<std::string> topics{
      kContents, kMain,    kAlert,  kEditor,    kRepetition, kCalendar, kWeek,
      kSettings, kNetwork, kSounds, kUserSetup, kUsers,      kMissed,   kCommandLine};
  return topics;
}

void Help::show(const std::string& topic) {
  if (viewer_) viewer_->showTopic(topic);
}

void Help::showContents() {
  if (viewer_) viewer_->showContents();
}

void Help::showIndex() {
  if (viewer_) viewer_->showIndex();
}

}  // namespace zrv
