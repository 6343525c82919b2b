// texture_prefetch.h — start-up images decoded ahead on a second core. A game
// loads its images one after another while it starts, each decoded before it
// asks for the next. The device's first image file starts one worker that
// decodes, largest first, the PNG files of the folder tree that file lies in
// (the first folder of its relative path, "DATA" for "DATA/UI/Status.png"),
// while the caller decodes itself every file the worker has not started on.
// A request takes the worker's image only when the file's bytes, read again
// by the caller, are the bytes the worker decoded, so no result depends on
// timing; a file the worker could not decode is decoded (and reported) again
// by the caller. The first Present ends the start-up: the worker stops after
// the image in hand and every image not asked for is dropped.
// All state the two threads share sits under one mutex.
#pragma once

#include "d3d9/png_image.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace layer::d3d {

class TexturePrefetch {
public:
    // path: the first image file asked for, as the host spells it.
    explicit TexturePrefetch(const std::string& path);
    ~TexturePrefetch();
    TexturePrefetch(const TexturePrefetch&) = delete;
    TexturePrefetch& operator=(const TexturePrefetch&) = delete;

    // The worker's image of the file at path, read by the caller as bytes;
    // false: the caller decodes the bytes itself.
    bool take(const std::string& path, const std::vector<uint8_t>& bytes, DecodedImage& image);
    // The start-up is over.
    void finish();

private:
    // A file by its device and inode, so that "DATA/UI//Status.png" and
    // "DATA/UI/Status.png" are one file.
    struct FileId {
        uint64_t device = 0;
        uint64_t inode = 0;
        bool operator==(const FileId& other) const { return device == other.device && inode == other.inode; }
    };
    struct Entry {
        enum class State { Waiting, Decoding, Decoded, Failed, Taken };
        FileId id;
        std::string path;
        uint64_t pixels = 0;
        State state = State::Waiting;
        std::vector<uint8_t> bytes;  // what the worker decoded
        DecodedImage image;
    };

    void run(std::string root);
    static std::vector<Entry> listImages(const std::string& root);

    std::mutex mutex_;
    std::condition_variable changed_;
    bool stopped_ = false;
    bool listed_ = false;
    std::vector<Entry> entries_;      // set once by the worker, then only their states change
    std::vector<FileId> takenEarly_;  // asked for before the worker had listed the files
    std::thread worker_;
};

}  // namespace layer::d3d
