// Fibers on Windows: the system's own, switched to and from on the calling thread, which
// becomes a fiber itself the first time one is resumed.
#include "platform/fiber.h"

#include <windows.h>

#include <exception>
#include <utility>

namespace platform {

namespace {

// The panel's operations call deep into the radio's link.
constexpr SIZE_T kStackSize = 1 << 20;

class WinFiber;
thread_local WinFiber* running = nullptr;

// The thread as a fiber, to switch back to; null when it cannot be one.
void* threadFiber() {
    static thread_local void* const own = ConvertThreadToFiber(nullptr);
    return own;
}

class WinFiber : public Fiber {
public:
    explicit WinFiber(std::function<void()> work) : work_(std::move(work)) {}
    ~WinFiber() override {
        if (own_ != nullptr) DeleteFiber(own_);
    }

    bool resume() override {
        if (ended_) return true;
        WinFiber* outer = running;
        caller_ = outer != nullptr ? outer->own_ : threadFiber();
        if (own_ == nullptr && caller_ != nullptr) own_ = CreateFiber(kStackSize, &WinFiber::entry, this);
        if (own_ == nullptr) {
            ended_ = true;  // no fiber to be had: the work runs where it was asked for
            work_();
            return true;
        }
        running = this;
        SwitchToFiber(own_);
        running = outer;
        if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
        return ended_;
    }

    void yield() { SwitchToFiber(caller_); }

private:
    static void CALLBACK entry(void* parameter) {
        auto* self = static_cast<WinFiber*>(parameter);
        try {
            self->work_();
        } catch (...) {
            self->failure_ = std::current_exception();
        }
        self->ended_ = true;
        for (;;) SwitchToFiber(self->caller_);  // a fiber's function never returns
    }

    std::function<void()> work_;
    void* own_ = nullptr;
    void* caller_ = nullptr;
    bool ended_ = false;
    std::exception_ptr failure_;
};

}  // namespace

std::unique_ptr<Fiber> makeFiber(std::function<void()> work) { return std::make_unique<WinFiber>(std::move(work)); }

void yieldFiber() {
    if (running != nullptr) running->yield();
}

bool insideFiber() { return running != nullptr; }

}  // namespace platform
