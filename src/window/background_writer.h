#pragma once

#include <QObject>
#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace qarn {

// Writes to the disk on a thread of its own, so that the interface never waits for a sync:
// recovery copies, their notes and locks, and the settings. Jobs run one after another in the
// order they were posted, so a later copy is never overtaken by an earlier one. Each job works
// on its own copy of the bytes of the moment; its outcome comes back on the interface thread.
// The destructor waits for the last job: quitting never cuts a write short.
class BackgroundWriter : public QObject {
  Q_OBJECT

 public:
  using Job = std::function<void()>;                       // on the worker; throws on failure
  using Done = std::function<void(const QString& error)>;  // back here; empty when it worked

  explicit BackgroundWriter(QObject* parent = nullptr);
  ~BackgroundWriter() override;
  BackgroundWriter(const BackgroundWriter&) = delete;
  BackgroundWriter& operator=(const BackgroundWriter&) = delete;

  void Post(Job job, Done done = {});
  // Returns once every job posted so far has run.
  void WaitForAll();
  bool Idle();
  // Waits for every writer of the process: what one editor wrote, the next start reads.
  static void WaitForEveryWriter();

 private:
  void Work();
  void Finish(const Done& done, const QString& error);

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::pair<Job, Done>> jobs_;
  bool running_ = false;  // a job is being run
  bool stopping_ = false;
  std::thread worker_;
};

}  // namespace qarn
