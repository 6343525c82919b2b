// Images: the file names and the makers behind them.
#include "Images.h"

#include <memory>
#include <string>

#include "Art.h"
#include "Ico.h"
#include "Output.h"
#include "Png.h"

namespace datagen {

std::vector<std::function<void()>> imageJobs(const std::string& root)
{
    // Fonts are loaded once per job: FreeType faces are not shared across threads.
    auto withFonts = [root](const char* path, Canvas (*make)(const Fonts&)) {
        return [root, path, make] {
            Fonts fonts{Font(VT_FONT_SANS_BOLD), Font(VT_FONT_MONO_BOLD)};
            writeFile(root, path, encodePng(make(fonts)));
        };
    };
    auto plain = [root](const char* path, Canvas (*make)()) {
        return [root, path, make] { writeFile(root, path, encodePng(make())); };
    };
    std::vector<std::function<void()>> jobs = {
        plain("DATA/PuzzleField/peace.png", makePieces),
        plain("DATA/PuzzleField/window.png", makeBoardFrame),
        withFonts("DATA/UI/Status.png", makeStatusColumn),
        plain("DATA/PuzzleField/arrow.png", makeArrow),
        plain("DATA/UI/colorChange.png", makeColourChange),
        withFonts("DATA/number.png", makeScoreDigits),
        withFonts("DATA/rensa.png", makeChainDigits),
        withFonts("DATA/gamestart.png", makeStartBanner),
        withFonts("DATA/UI/BestScores.png", makeBestScores),
        plain("DATA/mouse/MousePointer.png", makeMousePointer),
        plain("DATA/mouse/PointRotate.png", makeSpinner),
        plain("DATA/PARTICLE.PNG", makeParticle),
        plain("DATA/PuzzleField/cursor.png", makeBoardCursor),
        withFonts("DATA/UI/paused.png", makePauseCover),
        withFonts("DATA/UI/volume.png", makeVolumeSheet),
        withFonts("DATA/UI/replay.png", makeReplayMark),
        plain("DATA/UI/chosen.png", makeChosenRow),
        withFonts("DATA/UI/dayround.png", makeDayBanner),
        withFonts("DATA/UI/daytable.png", makeDayTable),
    };
    // The icon: one PNG per size for the desktop's icon themes, and every size
    // up to 256 in one .ico, the program's icon resource.
    for (int size : GameIconSizes)
        jobs.push_back(
            [root, size] { writeFile(root, "icons/" + std::to_string(size) + ".png", encodePng(makeGameIcon(size))); });
    jobs.push_back([root] {
        std::vector<Canvas> pictures;
        for (int size : GameIconSizes)
            if (size <= 256) pictures.push_back(makeGameIcon(size));
        writeFile(root, "icons/vantorel.ico", encodeIco(pictures));
    });
    return jobs;
}

}  // namespace datagen
