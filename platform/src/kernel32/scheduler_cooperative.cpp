// scheduler_cooperative.cpp — the kernel's scheduler where the program has
// one thread only (the browser build, which a plain static host must be able
// to serve: threads there need cross-origin isolation). Each thread that
// CreateThread makes is a coroutine (an Emscripten fiber on Asyncify) that
// runs on the program's own thread whenever that thread waits: at the
// message loop's wait (serviceThreads), in Sleep and in the kernel's waits.
// A coroutine runs until it waits; it is switched to again once its wait is
// over (an object it waits on is signalled, or the wait's time is up).
//
// Limits: a coroutine runs only when the program's own thread waits, so a
// thread's work must fit between two of the loop's waits (the music stream
// refills a half of a buffer that lasts a second or more); a coroutine's
// stack has a fixed size (StackBytes).
#include "kernel32/kernel32_internal.h"
#include "kernel32/kernel_objects.h"

#include <emscripten.h>
#include <emscripten/fiber.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace layer::kernel {

namespace {

constexpr size_t StackBytes = 512 * 1024;
// What Asyncify saves of a switched-out stack: the calls down to the wait.
constexpr size_t SavedStackBytes = 64 * 1024;

struct Coroutine {
    Object* thread = nullptr;
    ThreadBody body = nullptr;
    LPTHREAD_START_ROUTINE start = nullptr;
    LPVOID parameter = nullptr;
    emscripten_fiber_t fiber{};
    std::unique_ptr<char[]> stack{new char[StackBytes]};
    std::unique_ptr<char[]> saved{new char[SavedStackBytes]};
    bool hasDeadline = false;
    Deadline deadline{};
    bool ended = false;
};

struct Scheduler {
    emscripten_fiber_t program{};
    std::unique_ptr<char[]> programSaved{new char[SavedStackBytes]};
    bool programReady = false;
    std::vector<std::unique_ptr<Coroutine>> coroutines;
    Coroutine* running = nullptr;
};

Scheduler& scheduler()
{
    static auto* s = new Scheduler;
    return *s;
}

void entry(void* argument)
{
    auto* self = static_cast<Coroutine*>(argument);
    self->body(self->thread, self->start, self->parameter);
    self->ended = true;
    // A fiber never returns: the program's thread frees it after this switch.
    emscripten_fiber_swap(&self->fiber, &scheduler().program);
}

// Under lock(): whether the coroutine's wait is over.
bool canGoOn(const Coroutine& c, Deadline now)
{
    if (c.ended) return false;
    if (!c.thread->parked && !c.hasDeadline) return true;
    if (c.thread->parked && satisfied(c.thread->waitingOn, c.thread->waitAll)) return true;
    return c.hasDeadline && now >= c.deadline;
}

// From the program's own thread: one turn for each coroutine that can go on,
// and the ended ones freed. True when any ran.
bool runOnce()
{
    Scheduler& s = scheduler();
    if (!s.programReady) {
        emscripten_fiber_init_from_current_context(&s.program, s.programSaved.get(), SavedStackBytes);
        s.programReady = true;
    }
    bool ran = false;
    const Deadline now = std::chrono::steady_clock::now();
    for (size_t i = 0; i < s.coroutines.size(); ++i) {
        Coroutine* c = s.coroutines[i].get();
        if (!canGoOn(*c, now)) continue;
        s.running = c;
        currentThread() = c->thread;
        emscripten_fiber_swap(&s.program, &c->fiber);
        currentThread() = nullptr;
        s.running = nullptr;
        ran = true;
    }
    auto& list = s.coroutines;
    list.erase(std::remove_if(list.begin(), list.end(), [](const auto& c) { return c->ended; }), list.end());
    return ran;
}

// From a coroutine: back to the program's thread until the wait is over.
void yieldTurn(const Deadline* deadline)
{
    Coroutine* self = scheduler().running;
    self->hasDeadline = deadline != nullptr;
    if (deadline) self->deadline = *deadline;
    emscripten_fiber_swap(&self->fiber, &scheduler().program);
    self->hasDeadline = false;
}

// From the program's thread: the coroutines run until none can go on.
void runAll()
{
    for (int round = 0; round < 16 && runOnce(); ++round) {
    }
}

}  // namespace

bool startThread(Object* thread, ThreadBody body, LPTHREAD_START_ROUTINE start, LPVOID parameter)
{
    auto c = std::make_unique<Coroutine>();
    c->thread = thread;
    c->body = body;
    c->start = start;
    c->parameter = parameter;
    emscripten_fiber_init(&c->fiber, entry, c.get(), c->stack.get(), StackBytes, c->saved.get(), SavedStackBytes);
    scheduler().coroutines.push_back(std::move(c));
    return true;
}

// The lock is no lock with one thread: it stays "held" across the switch.
bool awaitChange(std::unique_lock<std::mutex>& /*guard*/, const Deadline* deadline)
{
    if (scheduler().running) {
        yieldTurn(deadline);
    } else if (!runOnce()) {
        // Nothing could go on: the browser gets its turn (input, audio, the
        // timers) before the wait looks again.
        emscripten_sleep(1);
    }
    return !deadline || std::chrono::steady_clock::now() < *deadline;
}

void announceChange() {}

void pause(DWORD milliseconds)
{
    const Deadline deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    if (scheduler().running) {
        yieldTurn(&deadline);
        return;
    }
    runAll();
    if (milliseconds > 0) emscripten_sleep(milliseconds);
}

}  // namespace layer::kernel

namespace layer {

void serviceThreads() { kernel::runAll(); }

}  // namespace layer
