#include "device/device_threads.h"

namespace novu {

namespace {

std::unique_ptr<RandomSource> OwnRandom(RandomSource* given, const Clock& clock) {
    if (given != nullptr) {
        return nullptr;
    }
    return std::make_unique<SeededRandom>(static_cast<std::uint64_t>(clock.Now().count()));
}

}  // namespace

DeviceThreads::DeviceThreads(const DeviceThreadContext& context, DeviceThreadCallbacks callbacks,
                             InputSource input, RandomSource* random)
    : clock_(context.clock),
      queue_(context.clock, press_),
      ownRandom_(OwnRandom(random, context.clock)),
      events_(context, callbacks, std::move(input), press_, queue_, macro_),
      service_(context, callbacks.repaint, press_, queue_,
               random != nullptr ? *random : *ownRandom_) {
    events_.SetSettledEvent(&settled_);
    service_.SetSettledEvent(&settled_);
}

DeviceThreads::~DeviceThreads() {
    Stop();
}

void DeviceThreads::Launch(std::thread& thread, void (DeviceThreads::*body)()) {
    running_.fetch_add(1);
    thread = std::thread([this, body] {
        {
            ClockParticipation participation(clock_);
            joined_.count_down();
            (this->*body)();
        }
        // Out of the clock before telling Stop, so its wait can let time run on.
        running_.fetch_sub(1);
        clock_.Raise(exited_);
    });
}

void DeviceThreads::Start() {
    if (started_) {
        return;
    }
    started_ = true;
    // Linux gives no higher thread priority without privileges; the threads spend their
    // time blocked anyway, and wake on the report or press that needs them.
    Launch(eventThread_, &DeviceThreads::RunEvents);
    Launch(serviceThread_, &DeviceThreads::RunService);
    // Until both threads have joined, virtual time could run past their first waits.
    joined_.wait();
}

void DeviceThreads::RunEvents() {
    events_.Run();
}

void DeviceThreads::RunService() {
    service_.Run();
}

void DeviceThreads::Stop() {
    if (!started_ || (!eventThread_.joinable() && !serviceThread_.joinable())) {
        return;
    }
    events_.Stop();
    service_.Stop();
    // A thread blocked in join looks busy to the virtual clock; waiting here lets the
    // threads' last pauses pass first.
    while (running_.load() > 0) {
        clock_.WaitFor(exited_, std::nullopt);
    }
    eventThread_.join();
    serviceThread_.join();
}

void DeviceThreads::InputChanged() {
    events_.InputChanged();
}

bool DeviceThreads::WaitUntilSettled(std::uint64_t reports, std::optional<TimePoint> deadline) {
    for (;;) {
        if (events_.ReportsHandled() >= reports && queue_.Idle()) {
            return true;
        }
        if (!clock_.WaitFor(settled_, deadline)) {
            return false;
        }
    }
}

}  // namespace novu
