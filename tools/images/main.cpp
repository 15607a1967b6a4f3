// quendra-imagegen: draws every picture and synthesises every sound of the images module
// into a folder, with the resource collection file that rcc packs into SOL.RGF.
//
//   quendra-imagegen [--fonts DIR] [--games GAMES.DAT] OUT_DIR OUT.qrc
//
// or draws the program's icon at one size:
//
//   quendra-imagegen --app-icon SIZE OUT.png

#include "app_icon.h"
#include "card_backs.h"
#include "card_faces.h"
#include "face_style.h"
#include "game_previews.h"
#include "module_output.h"
#include "panels_and_icons.h"
#include "sounds.h"
#include "table_marks.h"
#include "text_paths.h"

#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

#include <QElapsedTimer>
#include <QGuiApplication>

using namespace quendra::imagegen;

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: quendra-imagegen [--fonts DIR] [--games GAMES.DAT] OUT_DIR OUT.qrc\n"
                 "       quendra-imagegen --app-icon SIZE OUT.png\n");
    return 2;
}

// The icon at SIZE pixels (16 to 1024) into OUT.png.
int WriteAppIcon(const QString& sizeText, const QString& path) {
    constexpr int kSmallest = 16;
    constexpr int kLargest = 1024;
    bool ok = false;
    const int size = sizeText.toInt(&ok);
    if (!ok || size < kSmallest || size > kLargest) return Usage();
    if (!DrawAppIcon(size).save(path, "PNG")) {
        std::fprintf(stderr, "quendra-imagegen: cannot write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (!args.isEmpty() && args[0] == "--app-icon")
        return args.size() == 3 ? WriteAppIcon(args[1], args[2]) : Usage();
    QString fontsDir = "/usr/share/fonts/truetype/dejavu";
    QString gamesDat;
    QStringList positional;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--fonts" && i + 1 < args.size()) {
            fontsDir = args[++i];
        } else if (args[i] == "--games" && i + 1 < args.size()) {
            gamesDat = args[++i];
        } else if (args[i].startsWith("--")) {
            return Usage();
        } else {
            positional << args[i];
        }
    }
    if (positional.size() != 2) return Usage();

    QElapsedTimer timer;
    timer.start();
    FontFamilies fonts;
    QString error;
    if (!LoadDejaVuFonts(fontsDir, fonts, error)) {
        std::fprintf(stderr, "quendra-imagegen: %s\n", qPrintable(error));
        return 1;
    }
    const std::vector<FaceStyle> styles = FaceStyles(fonts);
    ModuleOutput out(positional[0]);

    // Two halves of roughly equal work, one per core.
    std::vector<std::function<void()>> first = {
        [&] { GenerateCardFaces(out, styles, fonts); },
    };
    std::vector<std::function<void()>> second = {
        [&] { GenerateCardBacks(out); },   [&] { GenerateTableMarks(out, fonts); },
        [&] { GenerateBackgrounds(out); }, [&] { GeneratePanelsAndIcons(out, fonts); },
        [&] { GenerateSounds(out); },      [&] { GenerateGamePreviews(out, fonts, gamesDat); },
    };
    std::thread worker([&] {
        for (auto& job : second)
            job();
    });
    for (auto& job : first)
        job();
    worker.join();

    if (out.failed() || !out.WriteQrc(positional[1])) {
        std::fprintf(stderr, "quendra-imagegen: cannot write into %s\n", qPrintable(positional[0]));
        return 1;
    }
    std::printf("quendra-imagegen: module drawn in %lld ms\n",
                static_cast<long long>(timer.elapsed()));
    return 0;
}
