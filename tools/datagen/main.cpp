// vantorel-datagen: writes the game's DATA tree (and its icons under icons/)
// below the folder given as its one argument. Deterministic: the same bytes
// on every run. The jobs (images, sounds, music tracks, effect files) run
// on every core; each writes its own files. Prints the time taken.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Effects.h"
#include "Images.h"
#include "MusicFiles.h"
#include "SoundEffects.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string root = argv[1];
    auto start = std::chrono::steady_clock::now();

    // Slowest first, so the cores finish together.
    std::vector<std::function<void()>> jobs = datagen::musicJobs(root);
    for (auto& job : datagen::imageJobs(root)) jobs.push_back(std::move(job));
    jobs.push_back([root] { datagen::writeSoundEffects(root); });
    jobs.push_back([root] { datagen::writeEffectFiles(root); });

    std::atomic<size_t> next{0};
    std::mutex failureLock;
    std::string failure;
    auto worker = [&] {
        for (size_t i = next++; i < jobs.size(); i = next++) {
            try {
                jobs[i]();
            } catch (const std::exception& e) {
                std::lock_guard<std::mutex> lock(failureLock);
                failure = e.what();
            }
        }
    };
    unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < cores; ++t) threads.emplace_back(worker);
    for (auto& t : threads) t.join();

    if (!failure.empty()) {
        std::fprintf(stderr, "vantorel-datagen: %s\n", failure.c_str());
        return 1;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("vantorel-datagen: wrote DATA in %.2f s on %u threads\n", seconds, cores);
    return 0;
}
