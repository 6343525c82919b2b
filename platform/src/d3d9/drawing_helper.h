// drawing_helper.h — the second thread a device draws a large damage with:
// one thread for the life of its owner, asked of the host the first time a
// frame would share its drawing, and given one part of a frame at a time.
// Where the host gives no thread (the system refuses one, a build without
// threads) or the machine has one core, there is no helper and the owner
// draws everything on its own thread, with the same pixels.
// The job, its end and the stop request sit under one mutex; the parts a
// job draws share no pixel with what the owner draws meanwhile.
#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace layer::d3d {

class DrawingHelper {
public:
    DrawingHelper() = default;
    ~DrawingHelper();
    DrawingHelper(const DrawingHelper&) = delete;
    DrawingHelper& operator=(const DrawingHelper&) = delete;

    // Whether a helper thread is there to share with, started on first ask.
    bool available();
    // Runs helperPart on the helper thread while ownPart runs on the
    // caller's; returns once both are done (an exception of either part is
    // thrown here). Only when available().
    void share(const std::function<void()>& helperPart, const std::function<void()>& ownPart);

private:
    enum class Start { NotAsked, Running, Refused };

    void run();

    Start start_ = Start::NotAsked;
    std::mutex mutex_;
    std::condition_variable changed_;
    const std::function<void()>* job_ = nullptr;  // set by share, cleared by the helper when done
    std::exception_ptr failure_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace layer::d3d
