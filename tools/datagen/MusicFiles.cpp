// MusicFiles: the background tracks' paths, serial numbers and encoding quality.
#include "MusicFiles.h"

#include "Ogg.h"
#include "Output.h"
#include "Tracks.h"

namespace datagen {

std::vector<std::function<void()>> musicJobs(const std::string& root)
{
    struct Track {
        const char* path;
        const char* title;
        std::vector<float> (*compose)();
    };
    static const Track tracks[] = {
        {"DATA/Sound/BGM/Emberlo/homura.ogg", "Homura", composeHomura},
        {"DATA/Sound/BGM/Tonfal/PlasticAdventure.ogg", "Plastic Adventure", composePlasticAdventure},
        {"DATA/Sound/BGM/Emberlo/the_escapers_fly_into_the_sky.ogg", "The Escapers Fly into the Sky", composeEscapers},
        {"DATA/Sound/BGM/Emberlo/sixth_sense.ogg", "Sixth Sense", composeSixthSense},
        {"DATA/Sound/BGM/Tonfal/hakugin.ogg", "Hakugin", composeHakugin},
    };
    std::vector<std::function<void()>> jobs;
    int serial = 0x56540001;  // fixed, so the files are the same on every run
    for (const Track& t : tracks) {
        jobs.push_back([root, t, serial] { writeFile(root, t.path, encodeOgg(t.compose(), 0.3f, serial, t.title)); });
        ++serial;
    }
    return jobs;
}

}  // namespace datagen
