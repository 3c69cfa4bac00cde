#include "window/background_writer.h"

#include <QMetaObject>
#include <set>

namespace qarn {

namespace {

std::mutex everyWriterMutex;
std::set<BackgroundWriter*> everyWriter;

}  // namespace

BackgroundWriter::BackgroundWriter(QObject* parent) : QObject(parent) {
  worker_ = std::thread([this] { Work(); });
  const std::lock_guard lock(everyWriterMutex);
  everyWriter.insert(this);
}

void BackgroundWriter::WaitForEveryWriter() {
  const std::lock_guard lock(everyWriterMutex);
  for (BackgroundWriter* writer : everyWriter) writer->WaitForAll();
}

BackgroundWriter::~BackgroundWriter() {
  {
    const std::lock_guard lock(everyWriterMutex);
    everyWriter.erase(this);
  }
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  worker_.join();  // after the last job: the queue is run empty first
}

void BackgroundWriter::Post(Job job, Done done) {
  {
    const std::lock_guard lock(mutex_);
    jobs_.emplace_back(std::move(job), std::move(done));
  }
  changed_.notify_all();
}

void BackgroundWriter::WaitForAll() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return jobs_.empty() && !running_; });
}

bool BackgroundWriter::Idle() {
  const std::lock_guard lock(mutex_);
  return jobs_.empty() && !running_;
}

void BackgroundWriter::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
    if (jobs_.empty()) return;  // stopping, and nothing left to write
    auto [job, done] = std::move(jobs_.front());
    jobs_.pop_front();
    running_ = true;
    lock.unlock();
    QString error;
    try {
      job();
    } catch (const std::exception& failure) {
      error = QString::fromUtf8(failure.what());
    }
    Finish(done, error);
    lock.lock();
    running_ = false;
    changed_.notify_all();
  }
}

// On the interface thread, unless the writer is gone by then (quitting).
void BackgroundWriter::Finish(const Done& done, const QString& error) {
  if (!done) return;
  QMetaObject::invokeMethod(
      this, [done, error] { done(error); }, Qt::QueuedConnection);
}

}  // namespace qarn
