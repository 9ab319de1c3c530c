// SPDX-License-Identifier: MIT
#include "runtime/work_ahead.h"

#include <deque>
#include <mutex>
#include <thread>
#include <utility>

namespace runtime {
namespace {

struct Worker {
  std::mutex lock;
  std::deque<std::function<void()>> jobs;  // under `lock`
  bool running = false;                    // under `lock`
  std::jthread thread;                     // the interface's thread's only
};

Worker& TheWorker() {
  static Worker worker;
  return worker;
}

// Runs jobs until none is left, then ends; the next job starts a new thread.
void RunJobs(Worker& worker) {
  for (;;) {
    std::function<void()> job;
    {
      const std::lock_guard<std::mutex> held(worker.lock);
      if (worker.jobs.empty()) {
        worker.running = false;
        return;
      }
      job = std::move(worker.jobs.front());
      worker.jobs.pop_front();
    }
    job();
  }
}

}  // namespace

void WorkAhead(std::function<void()> job) {
  Worker& worker = TheWorker();
  std::unique_lock<std::mutex> held(worker.lock);
  worker.jobs.push_back(std::move(job));
  if (worker.running) return;
  worker.running = true;
  held.unlock();
  // A thread that has ended (or is about to) is joined before the next.
  if (worker.thread.joinable()) worker.thread.join();
  worker.thread = std::jthread([&worker] { RunJobs(worker); });
}

void FinishWorkAhead() {
  Worker& worker = TheWorker();
  if (worker.thread.joinable()) worker.thread.join();
}

}  // namespace runtime
