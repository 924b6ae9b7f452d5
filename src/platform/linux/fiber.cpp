// Fibers on Linux: a context of the C library's own with a stack of its own, switched to and
// from on the calling thread. AddressSanitizer is told of every switch, so that it watches the
// right stack.
#include "platform/fiber.h"

#include <ucontext.h>

#include <exception>
#include <memory>
#include <utility>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#define VOCAPAN_FIBER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/common_interface_defs.h>
#define VOCAPAN_FIBER_ASAN 1
#endif
#endif

namespace platform {

namespace {

// The panel's operations call deep into the radio's link; the sanitizers' frames are larger.
constexpr std::size_t kStackSize = 1 << 20;

class LinuxFiber;
thread_local LinuxFiber* running = nullptr;

// A fiber is made for every message the panel handles: the stacks of ended ones are used again.
using Stack = std::unique_ptr<char[]>;
thread_local std::vector<Stack> spareStacks;

Stack takeStack() {
    if (spareStacks.empty()) return std::make_unique_for_overwrite<char[]>(kStackSize);
    Stack stack = std::move(spareStacks.back());
    spareStacks.pop_back();
    return stack;
}

class LinuxFiber : public Fiber {
public:
    explicit LinuxFiber(std::function<void()> work) : work_(std::move(work)), stack_(takeStack()) {}
    ~LinuxFiber() override {
        // A fiber dropped part-way keeps its stack, which may still hold what its work points to.
        if (ended_ || !started_) spareStacks.push_back(std::move(stack_));
    }

    bool resume() override {
        if (ended_) return true;
        if (!started_) {
            started_ = true;
            getcontext(&own_);
            own_.uc_stack.ss_sp = stack_.get();
            own_.uc_stack.ss_size = kStackSize;
            own_.uc_link = nullptr;
            makecontext(&own_, reinterpret_cast<void (*)()>(&LinuxFiber::entry), 0);
        }
        LinuxFiber* outer = running;
        running = this;
        switchTo(&caller_, &own_, stack_.get(), kStackSize, nullptr, nullptr);
        running = outer;
        if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
        return ended_;
    }

    void yield() { switchTo(&own_, &caller_, callerStack_, callerStackSize_, &callerStack_, &callerStackSize_); }

private:
    static void entry() {
        LinuxFiber* self = running;
        self->arrived();
        try {
            self->work_();
        } catch (...) {
            self->failure_ = std::current_exception();
        }
        self->ended_ = true;
        self->finalSwitch();
    }

    // Switches stacks; once back, `cameFrom` holds the stack that switched here.
    static void switchTo(ucontext_t* from, ucontext_t* to, const void* toStack, std::size_t toSize,
                         const void** cameFrom, std::size_t* cameFromSize) {
#ifdef VOCAPAN_FIBER_ASAN
        void* fakeStack = nullptr;
        __sanitizer_start_switch_fiber(&fakeStack, toStack, toSize);
        swapcontext(from, to);
        __sanitizer_finish_switch_fiber(fakeStack, cameFrom, cameFromSize);
#else
        (void)toStack, (void)toSize, (void)cameFrom, (void)cameFromSize;
        swapcontext(from, to);
#endif
    }

    // On the fiber's first run: where the caller's stack is, to switch back to it.
    void arrived() {
#ifdef VOCAPAN_FIBER_ASAN
        __sanitizer_finish_switch_fiber(nullptr, &callerStack_, &callerStackSize_);
#endif
    }

    // The work has ended: its stack is not returned to.
    void finalSwitch() {
#ifdef VOCAPAN_FIBER_ASAN
        __sanitizer_start_switch_fiber(nullptr, callerStack_, callerStackSize_);
#endif
        setcontext(&caller_);
    }

    std::function<void()> work_;
    Stack stack_;
    ucontext_t own_{};
    ucontext_t caller_{};
    const void* callerStack_ = nullptr;
    std::size_t callerStackSize_ = 0;
    bool started_ = false;
    bool ended_ = false;
    std::exception_ptr failure_;
};

}  // namespace

std::unique_ptr<Fiber> makeFiber(std::function<void()> work) { return std::make_unique<LinuxFiber>(std::move(work)); }

void yieldFiber() {
    if (running != nullptr) running->yield();
}

bool insideFiber() { return running != nullptr; }

}  // namespace platform
