// host.cpp — which host is in charge. The pointer is atomic because the sound
// areas ask for the host from the audio and stream threads too.
#include "host/host.h"

#include <atomic>
#include <system_error>

namespace layer::host {

namespace {
std::atomic<Host*> replacement{nullptr};
}

Host& current()
{
    Host* h = replacement.load();
    return h ? *h : sdlHost();
}

void install(Host* host) { replacement.store(host); }

bool installed(const Host& candidate) { return replacement.load() == &candidate; }

bool startSystemThread(std::function<void()> body, std::thread& thread)
{
    try {
        thread = std::thread(std::move(body));
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

}  // namespace layer::host
