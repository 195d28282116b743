#include "remote/request_relay.h"

#include <condition_variable>
#include <mutex>
#include <optional>

#include "remote/protocol.h"

namespace zrv {
namespace {

enum class JobState { Waiting, Running, Done, Abandoned };

struct Job {
  CliRequest request;
  JobState state = JobState::Waiting;
  CliResponse response;
};

CliResponse refused(const std::string& why) {
  return CliResponse{kExitTableUnreachable, "", why + "\n"};
}

}  // namespace

struct RequestRelay::Shared {
  WindowSide window;
  RelayTiming timing;
  std::mutex mutex;
  std::condition_variable changed;
  bool closed = false;
  std::optional<CliResponse> nextHuman, nextJson;

  // On the window thread.
  void attempt(const std::shared_ptr<Shared>& self, const std::shared_ptr<Job>& job) {
    {
      std::lock_guard<std::mutex> lock(mutex);
      if (closed || job->state != JobState::Waiting) return;
      if (changesTable(job->request.command) && window.busy()) {
        window.postLater([self, job] { self->attempt(self, job); }, timing.retry);
        return;
      }
      job->state = JobState::Running;
    }
    bool answered = false;
    const WindowSide::Answer answer = [&](CliResponse r) {
      if (answered) return;
      answered = true;
      finish(job, std::move(r));
    };
    try {
      window.execute(job->request, answer);
    } catch (...) {
      answer(refused("Der Befehl ist mit einem Fehler abgebrochen."));
      throw;  // on to the program's exception boundary
    }
    answer(refused("Zorvane hat den Befehl nicht beantwortet."));
  }

  void finish(const std::shared_ptr<Job>& job, CliResponse response) {
    {
      std::lock_guard<std::mutex> lock(mutex);
      job->response = std::move(response);
      job->state = JobState::Done;
    }
    changed.notify_all();
  }
};

RequestRelay::RequestRelay(WindowSide window, RelayTiming timing)
    : shared_(std::make_shared<Shared>()) {
  shared_->window = std::move(window);
  shared_->timing = timing;
}

RequestRelay::~RequestRelay() {
  close();
}

std::string RequestRelay::handle(const std::string& line) {
  const std::optional<CliRequest> request = requestOf(line);
  if (!request) return responseLine(CliResponse{kExitBadArguments, "", "Unbekannte Anfrage.\n"});
  auto job = std::make_shared<Job>();
  job->request = *request;
  const bool change = changesTable(request->command);
  Shared& s = *shared_;
  std::unique_lock<std::mutex> lock(s.mutex);
  if (s.closed) return responseLine(refused("Zorvane wird gerade beendet."));
  s.window.post([self = shared_, job] { self->attempt(self, job); });
  const auto deadline =
      std::chrono::steady_clock::now() + (change ? s.timing.change : s.timing.read);
  s.changed.wait_until(lock, deadline, [&] { return s.closed || job->state != JobState::Waiting; });
  if (job->state == JobState::Waiting) {
    job->state = JobState::Abandoned;
    if (s.closed) return responseLine(refused("Zorvane wird gerade beendet."));
    if (request->command == CliCommand::Next && (request->json ? s.nextJson : s.nextHuman)) {
      CliResponse last = *(request->json ? s.nextJson : s.nextHuman);
      last.err += "Zorvane ist gerade beschäftigt: Stand der letzten Prüfung.\n";
      return responseLine(last);
    }
    return responseLine(refused(change ? "Zorvane ist beschäftigt (ein Fenster ist offen); der "
                                         "Befehl wurde nicht ausgeführt."
                                       : "Zorvane ist gerade beschäftigt."));
  }
  s.changed.wait(lock, [&] { return job->state == JobState::Done; });
  return responseLine(job->response);
}

void RequestRelay::publishNext(CliResponse human, CliResponse json) {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  shared_->nextHuman = std::move(human);
  shared_->nextJson = std::move(json);
}

void RequestRelay::close() {
  {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->closed = true;
  }
  shared_->changed.notify_all();
}

}  // namespace zrv
