// texture_prefetch.cpp — the start-up worker that decodes image files ahead
// of the caller.
#include "d3d9/texture_prefetch.h"

#include "d3d9/whole_file.h"

#include "host/host.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace layer::d3d {

namespace {

// Bounds on what the worker looks at and holds: a folder tree of a game's
// images, not a whole disk.
constexpr int DeepestFolder = 4;
constexpr int MostEntriesVisited = 4096;
constexpr size_t MostImages = 64;
constexpr uint64_t MostPixels = 64ull * 1024 * 1024;

bool fileId(const std::string& path, uint64_t& device, uint64_t& inode)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    device = status.st_dev;
    inode = status.st_ino;
    return true;
}

// The width × height a PNG file's header declares; 0 when it is not a PNG
// of a texture's size.
uint64_t declaredPixels(const std::string& path)
{
    static constexpr uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    uint8_t header[24];
    if (!file || std::fread(header, 1, sizeof header, file.get()) != sizeof header) return 0;
    if (!std::equal(std::begin(Signature), std::end(Signature), header)) return 0;
    auto word = [&](int at) {
        return uint32_t{header[at]} << 24 | uint32_t{header[at + 1]} << 16 | uint32_t{header[at + 2]} << 8 |
               header[at + 3];
    };
    const uint32_t width = word(16), height = word(20);
    if (width == 0 || height == 0 || width > LargestTextureSide || height > LargestTextureSide) return 0;
    return uint64_t{width} * height;
}

bool isPngName(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".png";
}

// The folder tree a file's relative path starts in; empty for a file given
// with an absolute path, outside any folder, or through "." or "..".
std::string treeOf(const std::string& path)
{
    const size_t slash = path.find('/');
    if (slash == std::string::npos || slash == 0) return {};
    std::string root = path.substr(0, slash);
    if (root == "." || root == "..") return {};
    return root;
}

}  // namespace

TexturePrefetch::TexturePrefetch(const std::string& path)
{
    std::string root = treeOf(path);
    if (root.empty()) return;
    // Without a second thread the caller decodes everything, as it would anyway.
    host::current().startThread([this, root = std::move(root)] { run(root); }, worker_);
}

TexturePrefetch::~TexturePrefetch()
{
    finish();
    if (worker_.joinable()) worker_.join();
}

void TexturePrefetch::finish()
{
    std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
    for (Entry& entry : entries_)
        if (entry.state != Entry::State::Decoding) {
            entry.state = Entry::State::Taken;
            entry.bytes = {};
            entry.image = DecodedImage{};
        }
}

bool TexturePrefetch::take(const std::string& path, const std::vector<uint8_t>& bytes, DecodedImage& image)
{
    FileId id;
    if (!fileId(path, id.device, id.inode)) return false;
    std::unique_lock<std::mutex> lock(mutex_);
    if (stopped_) return false;
    if (!listed_) {
        takenEarly_.push_back(id);
        return false;
    }
    auto entry = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.id == id; });
    if (entry == entries_.end()) return false;
    changed_.wait(lock, [&] { return entry->state != Entry::State::Decoding; });
    const bool taken = entry->state == Entry::State::Decoded && entry->bytes == bytes;
    if (taken) image = std::move(entry->image);
    entry->state = Entry::State::Taken;
    entry->bytes = {};
    entry->image = DecodedImage{};
    return taken;
}

std::vector<TexturePrefetch::Entry> TexturePrefetch::listImages(const std::string& root)
{
    namespace fs = std::filesystem;
    std::vector<Entry> found;
    std::error_code error;
    fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error);
    uint64_t pixels = 0;
    for (int visited = 0; !error && it != fs::recursive_directory_iterator() && visited < MostEntriesVisited;
         it.increment(error), ++visited) {
        if (it.depth() >= DeepestFolder) it.disable_recursion_pending();
        if (!it->is_regular_file(error) || !isPngName(it->path())) continue;
        Entry entry;
        entry.path = it->path().string();
        entry.pixels = declaredPixels(entry.path);
        if (entry.pixels == 0 || pixels + entry.pixels > MostPixels) continue;
        if (!fileId(entry.path, entry.id.device, entry.id.inode)) continue;
        pixels += entry.pixels;
        found.push_back(std::move(entry));
        if (found.size() == MostImages) break;
    }
    std::sort(found.begin(), found.end(), [](const Entry& a, const Entry& b) {
        return a.pixels != b.pixels ? a.pixels > b.pixels : a.path < b.path;
    });
    return found;
}

void TexturePrefetch::run(std::string root)
{
    std::vector<Entry> listed;
    try {
        listed = listImages(root);
    } catch (const std::exception&) {
        listed.clear();
    }
    std::unique_lock<std::mutex> lock(mutex_);
    entries_ = std::move(listed);
    for (Entry& entry : entries_)
        if (std::find(takenEarly_.begin(), takenEarly_.end(), entry.id) != takenEarly_.end())
            entry.state = Entry::State::Taken;
    listed_ = true;
    for (Entry& entry : entries_) {
        if (stopped_) break;
        if (entry.state != Entry::State::Waiting) continue;
        entry.state = Entry::State::Decoding;
        const std::string path = entry.path;
        lock.unlock();
        std::vector<uint8_t> bytes;
        DecodedImage image;
        std::string error;
        bool decoded = false;
        try {
            decoded = readWholeFile(path, LargestImageFile, bytes) == WholeFile::Read &&
                      decodePng(bytes.data(), bytes.size(), image, error);
        } catch (const std::bad_alloc&) {
            decoded = false;
        }
        lock.lock();
        if (stopped_) {
            entry.state = Entry::State::Taken;
        } else if (decoded) {
            entry.state = Entry::State::Decoded;
            entry.bytes = std::move(bytes);
            entry.image = std::move(image);
        } else {
            entry.state = Entry::State::Failed;
        }
        changed_.notify_all();
    }
}

}  // namespace layer::d3d
