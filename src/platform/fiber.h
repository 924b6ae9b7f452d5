// Work on a stack of its own that can stop part-way and be taken up again later, on the same
// thread: the panel's handling of a key runs on one, so that it can wait for its words while the
// loop goes on serving the radio, the programs and the transmit key.
#pragma once

#include <functional>
#include <memory>

namespace platform {

class Fiber {
public:
    virtual ~Fiber() = default;
    // Runs the work from where it stopped until it yields or ends; true once it has ended. What
    // the work throws comes out here.
    virtual bool resume() = 0;
};

// The first resume runs `work` from its beginning.
std::unique_ptr<Fiber> makeFiber(std::function<void()> work);
// From inside a fiber's work: back to the resume that ran it.
void yieldFiber();
// True while the code that asks runs inside a fiber's work.
bool insideFiber();

}  // namespace platform
