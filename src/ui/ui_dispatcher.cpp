#include "ui/ui_dispatcher.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace novu {

UiDispatcher::UiDispatcher(QObject* parent)
    : QObject(parent), wake_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (wake_ >= 0) {
        notifier_ = std::make_unique<QSocketNotifier>(wake_, QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, &UiDispatcher::RunPending);
    }
}

UiDispatcher::~UiDispatcher() {
    notifier_.reset();
    if (wake_ >= 0) {
        close(wake_);
    }
}

void UiDispatcher::Post(const void* owner, std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        tasks_.emplace_back(owner, std::move(task));
    }
    if (wake_ >= 0) {
        const std::uint64_t one = 1;
        // A full counter (never reached) still leaves the fd readable: the tasks run anyway.
        (void)!write(wake_, &one, sizeof one);
    }
}

void UiDispatcher::Forget(const void* owner) {
    std::lock_guard lock(mutex_);
    std::erase_if(tasks_, [owner](const auto& task) { return task.first == owner; });
}

void UiDispatcher::RunPending() {
    if (wake_ >= 0) {
        std::uint64_t count = 0;
        (void)!read(wake_, &count, sizeof count);
    }
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard lock(mutex_);
            if (tasks_.empty()) {
                return;
            }
            task = std::move(tasks_.front().second);
            tasks_.pop_front();
        }
        task();
    }
}

}  // namespace novu
