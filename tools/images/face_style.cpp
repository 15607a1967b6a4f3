#include "face_style.h"

#include "text_paths.h"

namespace quendra::imagegen {

std::vector<FaceStyle> FaceStyles(const FontFamilies& fonts) {
    std::vector<FaceStyle> styles;

    // 001 Classic: white cards, serif corners, red and black, courts in red, blue and gold.
    FaceStyle classic;
    classic.code = "001";
    classic.face = QColor(255, 255, 255);
    classic.edge = QColor(96, 96, 96);
    classic.suitColours = {QColor(204, 20, 36), QColor(204, 20, 36), QColor(20, 20, 24),
                           QColor(20, 20, 24)};
    classic.indexFamily = fonts.serif;
    classic.frameColour = QColor(40, 60, 140);
    classic.courtGround = QColor(250, 246, 232);
    classic.robes = {QColor(196, 32, 44), QColor(36, 70, 170)};
    classic.trim = QColor(236, 184, 40);
    classic.lining = QColor(255, 255, 255);
    classic.hair = QColor(120, 74, 36);
    classic.skin = QColor(252, 222, 190);
    classic.outline = QColor(30, 30, 40);
    styles.push_back(classic);

    // 002 Four colours: every suit its own colour, plain sans-serif corners.
    FaceStyle four = classic;
    four.code = "002";
    four.suitColours = {QColor(210, 24, 32), QColor(20, 96, 210), QColor(16, 138, 56),
                        QColor(16, 16, 20)};
    four.indexFamily = fonts.sans;
    four.frameColour = QColor(120, 120, 120);
    four.courtGround = QColor(246, 248, 250);
    four.robesInSuitColour = true;
    four.trim = QColor(250, 206, 64);
    four.hair = QColor(70, 50, 30);
    styles.push_back(four);

    // 003 Large print: the biggest corners and one large suit symbol in the middle; also
    // drawn medium and little.
    FaceStyle large;
    large.code = "003";
    large.face = QColor(255, 255, 255);
    large.edge = QColor(80, 80, 80);
    large.suitColours = {QColor(214, 16, 28), QColor(214, 16, 28), QColor(0, 0, 0),
                         QColor(0, 0, 0)};
    large.indexFamily = fonts.sans;
    large.indexHeight = 15;
    large.centre = CentreKind::BigSuit;
    large.frameColour = QColor(60, 60, 60);
    large.courtGround = QColor(255, 250, 235);
    large.robes = {QColor(214, 36, 40), QColor(24, 24, 28)};
    large.trim = QColor(255, 200, 40);
    large.lining = QColor(255, 255, 255);
    large.hair = QColor(60, 40, 20);
    large.skin = QColor(255, 226, 196);
    large.outline = QColor(0, 0, 0);
    styles.push_back(large);

    // 004 Vintage: ivory cards, dark red and ink blue, a gold frame inside the edge.
    FaceStyle vintage;
    vintage.code = "004";
    vintage.face = QColor(252, 246, 228);
    vintage.edge = QColor(120, 100, 70);
    vintage.suitColours = {QColor(158, 24, 36), QColor(158, 24, 36), QColor(26, 34, 62),
                           QColor(26, 34, 62)};
    vintage.indexFamily = fonts.serif;
    vintage.innerFrame = true;
    vintage.frameColour = QColor(184, 146, 60);
    vintage.courtGround = QColor(244, 232, 200);
    vintage.robes = {QColor(140, 36, 44), QColor(40, 76, 92)};
    vintage.trim = QColor(200, 160, 60);
    vintage.lining = QColor(250, 244, 226);
    vintage.hair = QColor(90, 60, 34);
    vintage.skin = QColor(246, 214, 180);
    vintage.outline = QColor(50, 36, 28);
    styles.push_back(vintage);

    // 005 Modern: white corner figures on coloured tags, flat colourful courts.
    FaceStyle modern;
    modern.code = "005";
    modern.face = QColor(253, 253, 250);
    modern.edge = QColor(110, 110, 120);
    modern.suitColours = {QColor(226, 52, 64), QColor(232, 96, 32), QColor(30, 110, 120),
                          QColor(44, 48, 72)};
    modern.indexFamily = fonts.sans;
    modern.indexOnTag = true;
    modern.frameColour = QColor(200, 200, 210);
    modern.courtGround = QColor(238, 242, 248);
    modern.robesInSuitColour = true;
    modern.trim = QColor(255, 196, 60);
    modern.lining = QColor(255, 255, 255);
    modern.hair = QColor(52, 40, 36);
    modern.skin = QColor(246, 208, 170);
    modern.outline = QColor(40, 40, 50);
    styles.push_back(modern);

    return styles;
}

} // namespace quendra::imagegen
