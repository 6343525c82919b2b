// Images: the file names and the makers behind them.
#include "Images.h"

#include <memory>

#include "Art.h"
#include "Output.h"
#include "Png.h"

namespace datagen {

std::vector<std::function<void()>> imageJobs(const std::string& root) {
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
  return {
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
      plain("icons/vantorel.png", makeGameIcon),
      plain("DATA/PuzzleField/cursor.png", makeBoardCursor),
      withFonts("DATA/UI/paused.png", makePauseCover),
      withFonts("DATA/UI/volume.png", makeVolumeSheet),
  };
}

}  // namespace datagen
