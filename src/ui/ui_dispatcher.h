#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

namespace novu {

// Hands work from other threads (uploads, the device threads, the bus watcher) to the
// window's thread. The hand-over is a mutex-guarded queue and an eventfd that the window's
// event loop watches: a worker never calls into Qt, whose objects belong to the window's
// thread, and every hand-over is an ordinary, checkable synchronisation.
class UiDispatcher : public QObject {
    Q_OBJECT

public:
    explicit UiDispatcher(QObject* parent = nullptr);
    ~UiDispatcher() override;
    UiDispatcher(const UiDispatcher&) = delete;
    UiDispatcher& operator=(const UiDispatcher&) = delete;

    // Any thread: runs `task` on the window's thread, after what was posted before it.
    // `owner` names the object the task belongs to.
    void Post(const void* owner, std::function<void()> task);
    // Window's thread: drops the tasks of `owner`, which is going away.
    void Forget(const void* owner);
    // Window's thread: runs the tasks posted so far.
    void RunPending();

private:
    std::mutex mutex_;
    std::deque<std::pair<const void*, std::function<void()>>> tasks_;
    int wake_ = -1;  // an eventfd, readable while tasks wait
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace novu
