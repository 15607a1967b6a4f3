#include "../model/fake_host.h"
#include "game_catalog.h"
#include "images_cards.h"
#include "images_module.h"

#include <string>
#include <vector>

#include <QDirIterator>
#include <QFile>
#include <QResource>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace quendra {
namespace {

using test::FakeHost;

// The names are built here from the naming rules, not listed from the module.
QStringList NumberedNames(const QString& prefix, int first, int last, const QString& suffix = "") {
    QStringList names;
    for (int n = first; n <= last; ++n)
        names << QString("%1%2%3").arg(prefix).arg(n, 3, 10, QChar('0')).arg(suffix);
    return names;
}

QStringList CardImageNames() {
    QStringList names;
    auto sheets = [&](char size, int set) {
        for (const char* suit : {"H", "D", "C", "S"})
            names << QString("C%1%2%3").arg(size).arg(set, 3, 10, QChar('0')).arg(suit);
    };
    for (int set = 1; set <= 5; ++set)
        sheets('B', set);
    sheets('M', 3);
    sheets('L', 3);
    for (const char* size : {"B", "M", "L"})
        names << QString("JOKER_") + size;
    // Back_Card defaults to 30 and 0 becomes 001.
    names << NumberedNames("DB", 1, 30) << NumberedNames("DL", 1, 30) << "DM011";
    const char* marks[] = {"022", "008", "_WASTE", "_TABLEAU", "004", "010", "012",
                           "013", "014", "015",    "016",      "017", "018", "019",
                           "020", "006", "003",    "011",      "001", "009", "021"};
    for (const char* size : {"B", "M", "L"})
        for (const char* mark : marks)
            names << QString("W") + size + mark;
    return names;
}

QStringList OtherPictureNames() {
    QStringList names;
    for (const char* size : {"B", "M", "L"})
        for (const char* strip : {"1", "2"})
            names << QString("SHADOW_") + size + strip << QString("3D_BORDER_") + size + strip;
    names << NumberedNames("B", 1, 40) << "BMP_PAUSE_1"
          << "BMP_PAUSE_2"
          << "Panel_pk";
    const char* types[] = {"CANFIELD",     "FORTYTHIEVES", "FREECELL",     "KLONDIKE",
                           "PAIRING",      "SIMPLEGAMES",  "SPIDER",       "1DECK",
                           "2DECK",        "FAN",          "BAKERSDOZEN",  "ROW",
                           "PUZZLE",       "ADDITION",     "MEMORY",       "BELEAGUEREDCASTLE",
                           "QUEENOFITALY", "YUKON",        "MATHEMATICAL", "SIRTOMMY",
                           "NONBUILDERS",  "STRIPPEDDECK"};
    for (const char* type : types)
        for (const char* colour : {"", "_WIN", "_NOWIN"})
            names << QString("TREE5_%1_TYPE%2").arg(type, colour);
    for (const char* colour : {"", "_WIN", "_NOWIN"})
        names << QString("TREE5_CUSTOMIZED_GAMES") + colour;
    names << "TREE5_ORIGINAL_TYPE"
          << "TREE1"
          << "TREE2"
          << "N_TREE3"
          << "N_TREE4"
          << "N_TREE5";
    for (const char* group : {"F", "S", "D", "C", "T", "I"})
        names << QString(group) + "_TREE1" << QString(group) + "_TREE2";
    names << "PROG_TIME_LONG"
          << "PROG_TIME_MEDIUM"
          << "PROG_TIME_QUICK"
          << "PROG_DIFF_EASY"
          << "PROG_DIFF_MEDIUM"
          << "PROG_DIFF_HARD"
          << "PROG_CHAN_VERYHIGH"
          << "PROG_CHAN_HIGH"
          << "PROG_CHAN_MEDIUM"
          << "PROG_CHAN_LOW"
          << "PROG_CHAN_VERYLOW"
          << "PROG_SKILL_DIFFICULT"
          << "PROG_SKILL_MOSTLYSKILL"
          << "PROG_SKILL_MODERATE"
          << "PROG_SKILL_MOSTLYCHANCE"
          << "PROG_SKILL_CHANCEONLY"
          << "PROG_DISABLED";
    names << "Card_None"
          << "card_hearts"
          << "card_diamonds"
          << "card_clubs"
          << "card_spades";
    for (int rank = 1; rank <= 13; ++rank)
        names << QString("Card_%1_Up").arg(rank) << QString("Card_%1_Down").arg(rank);
    names << "COMMENT_YES";
    return names;
}

QStringList CursorNames() {
    QStringList names;
    for (const char* state : {"A", "B"})
        for (const char* shape :
             {"ARROW1", "ARROW2", "RIGHT_HAND1", "RIGHT_HAND2", "LEFT_HAND1", "LEFT_HAND2"})
            names << QString("CUR_") + shape + state;
    return names;
}

const QStringList kSoundNames = {
    "About",   "Autoplay", "Foundation", "Eddy",    "Face_up",  "card_down", "card_up", "Stock",
    "Tableau", "Pairing",  "Shuffle",    "Redeal",  "Red_no_a", "New",       "Restart", "Undo",
    "Redo",    "Reorder",  "Won",        "Hi-Scor", "Scores",   "Splash",    "_t1dz"};

class ImagesModuleTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(module.Open(host, QUENDRA_SOL_RGF)) << QUENDRA_SOL_RGF; }

    CardImages CardsFor(const char* size, const char* set, const char* back) {
        SettingsRecord settings;
        settings.SetSetting(field::kCardSize.position, field::kCardSize.length, size);
        settings.SetSetting(field::kCardSet.position, field::kCardSet.length, set);
        settings.SetSetting(field::kBackCard.position, field::kBackCard.length, back);
        CardImages cards(module);
        cards.LoadCardImages(settings);
        return cards;
    }

    FakeHost host;
    ImagesModule module;
};

TEST_F(ImagesModuleTest, EveryCardPictureExistsWithItsSharpVersion) {
    for (const QString& name : CardImageNames()) {
        const QImage normal = module.LoadPicture(name);
        const QImage sharp = module.LoadPicture(name + "@2x");
        EXPECT_FALSE(normal.isNull()) << name.toStdString();
        EXPECT_EQ(sharp.size(), normal.size() * 2) << name.toStdString();
    }
}

TEST_F(ImagesModuleTest, EveryOtherPictureAndCursorExists) {
    for (const QString& name : OtherPictureNames())
        EXPECT_TRUE(module.HasPicture(name)) << name.toStdString();
    for (const QString& name : CursorNames()) {
        const ImagesModule::CursorPicture cursor = module.LoadCursor(name);
        ASSERT_FALSE(cursor.image.isNull()) << name.toStdString();
        EXPECT_TRUE(cursor.image.rect().contains(cursor.hotSpot)) << name.toStdString();
        // The sharp cursor has its hot spot at the same logical place.
        EXPECT_EQ(module.LoadCursor(name, 2.0).hotSpot, cursor.hotSpot) << name.toStdString();
    }
}

TEST_F(ImagesModuleTest, EveryGameOfTheCatalogueHasAPreview) {
    GameContext ctx(host);
    ctx.gamesFile = QUENDRA_GAMES_DAT;
    ASSERT_TRUE(LoadGameList(ctx));
    ASSERT_FALSE(ctx.mainGame.GameList.empty());
    for (const std::string& line : ctx.mainGame.GameList) {
        const int number = std::stoi(line.substr(4, 3));
        const QString name = QString("GAME%1").arg(number, 4, 10, QChar('0'));
        EXPECT_TRUE(module.HasPicture(name)) << name.toStdString();
    }
}

TEST_F(ImagesModuleTest, EverySoundIsShortSixteenBitPcm) {
    for (const QString& name : kSoundNames) {
        const QByteArray wav = module.LoadSound(name);
        ASSERT_GT(wav.size(), 44) << name.toStdString();
        const auto* bytes = reinterpret_cast<const uchar*>(wav.constData());
        EXPECT_TRUE(wav.startsWith("RIFF") && wav.mid(8, 8) == "WAVEfmt ") << name.toStdString();
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes + 20), 1) << "PCM " << name.toStdString();
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes + 34), 16) << "bits " << name.toStdString();
        const quint32 rate = qFromLittleEndian<quint32>(bytes + 24);
        const quint32 length = qFromLittleEndian<quint32>(bytes + 40);
        EXPECT_EQ(length + 44, quint32(wav.size())) << name.toStdString();
        EXPECT_LT(length / 2.0 / rate, 1.5) << "seconds " << name.toStdString();
    }
}

TEST_F(ImagesModuleTest, NamesTheModuleLacksGiveEmptyPicturesAndSounds) {
    EXPECT_TRUE(module.LoadPicture("CB009H").isNull());
    EXPECT_TRUE(module.LoadPicture("").isNull());
    EXPECT_TRUE(module.LoadPicture("NoSuchPicture", 2.0).isNull());
    EXPECT_TRUE(module.LoadSound("NoSuchSound").isEmpty());
    // A picture name is not a sound name.
    EXPECT_TRUE(module.LoadSound("CB001H").isEmpty());
    CardImages cards = CardsFor("B", "009", "999");
    EXPECT_TRUE(cards.Card(0).isNull());
    EXPECT_TRUE(cards.Back().isNull());
    EXPECT_FALSE(cards.Card(kJokerImage).isNull());
}

// The module reads its entries from the file itself: every entry Qt's own reader of the
// format finds is there with the same bytes, and nothing else is.
TEST_F(ImagesModuleTest, EntriesAgreeWithQtsResourceReader) {
    const QString root = "/images-check";
    ASSERT_TRUE(QResource::registerResource(QUENDRA_SOL_RGF, root));
    int pictures = 0, sounds = 0;
    QDirIterator it(":" + root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = path.mid(root.size() + 2); // after ":<root>/"
        const QString base = name.left(name.size() - 4);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray bytes = file.readAll();
        if (name.endsWith(".wav")) {
            EXPECT_EQ(module.LoadSound(base), bytes) << name.toStdString();
            ++sounds;
        } else if (name.endsWith(".png")) {
            EXPECT_TRUE(module.HasPicture(base)) << name.toStdString();
            // Every twentieth picture decoded both ways (all of them would be slow).
            if (pictures % 20 == 0) {
                EXPECT_EQ(module.LoadPicture(base), QImage::fromData(bytes, "PNG"))
                    << name.toStdString();
            }
            ++pictures;
        }
    }
    QResource::unregisterResource(QUENDRA_SOL_RGF, root);
    EXPECT_EQ(sounds, kSoundNames.size());
    EXPECT_GT(pictures, 600);
    EXPECT_FALSE(module.HasPicture("About"));
    EXPECT_FALSE(module.HasSound("CB001H"));
}

// An open module keeps no part of its file in memory (no mapping), so opening it costs only
// the list of its entries.
TEST_F(ImagesModuleTest, OpeningKeepsTheFileOutOfMemory) {
    QFile maps("/proc/self/maps");
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    EXPECT_FALSE(maps.readAll().contains("SOL.RGF"));
    EXPECT_FALSE(module.LoadPicture("CB001H").isNull());
    // Closed, it answers nothing.
    module.Close();
    EXPECT_FALSE(module.IsOpen());
    EXPECT_TRUE(module.LoadPicture("CB001S").isNull());
    EXPECT_FALSE(module.HasSound("Won"));
}

TEST_F(ImagesModuleTest, CardsHaveTheSizeOfTheirLetterAtBothRatios) {
    struct Case {
        const char* size;
        const char* set;
        int width, height;
    };
    for (const Case& c :
         {Case{"B", "001", 71, 96}, Case{"M", "003", 59, 80}, Case{"L", "003", 25, 32}}) {
        CardImages cards = CardsFor(c.size, c.set, "030");
        EXPECT_EQ(cards.CardWidth(), c.width);
        EXPECT_EQ(cards.CardHeight(), c.height);
        for (int image : {0, 12, 13, 38, 51, kJokerImage}) {
            EXPECT_EQ(cards.Card(image).size(), QSize(c.width, c.height)) << c.size << image;
            const QImage sharp = cards.Card(image, 2.0);
            EXPECT_EQ(sharp.size(), QSize(c.width, c.height) * 2) << c.size << image;
            EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
        }
        EXPECT_EQ(cards.Back().size(), QSize(c.width, c.height)) << c.size;
        EXPECT_EQ(cards.Back(2.0).size(), QSize(c.width, c.height) * 2) << c.size;
        EXPECT_EQ(cards.EmptyMark("_TABLEAU").size(), QSize(c.width, c.height)) << c.size;
    }
    EXPECT_TRUE(CardsFor("X", "001", "001").Card(0).size() == QSize(71, 96));
}

TEST_F(ImagesModuleTest, SuitSheetsAreCutFiveToARow) {
    CardImages cards = CardsFor("B", "002", "001");
    const QImage sheet = module.LoadPicture("CB002D");
    ASSERT_EQ(sheet.size(), QSize(5 * 71, 3 * 96));
    // The King of diamonds (image 25) is the third card of the sheet's last row.
    EXPECT_EQ(cards.Card(25).convertToFormat(QImage::Format_ARGB32),
              sheet.copy(2 * 71, 2 * 96, 71, 96).convertToFormat(QImage::Format_ARGB32));
    // Set 002 has four colours: the middle of its Ace of diamonds is blue, of set 001 red.
    // The King came first and alone; the Ace brings the rest of the suit, each in its place.
    const QRgb blue = cards.Card(13).pixel(35, 48);
    EXPECT_EQ(cards.Card(19).convertToFormat(QImage::Format_ARGB32),
              sheet.copy(1 * 71, 1 * 96, 71, 96).convertToFormat(QImage::Format_ARGB32));
    EXPECT_GT(qBlue(blue), qRed(blue) + 80);
    const QRgb red = CardsFor("B", "001", "001").Card(13).pixel(35, 48);
    EXPECT_GT(qRed(red), qBlue(red) + 80);
    // Cut ahead of drawing, the sheets read side by side, the cards are the same.
    CardImages ahead = CardsFor("B", "002", "001");
    const int dealt[] = {25, 0, 40, 51};
    ahead.Prepare(dealt);
    for (const int image : {25, 19, 0, 40})
        EXPECT_EQ(ahead.Card(image).convertToFormat(QImage::Format_ARGB32),
                  cards.Card(image).convertToFormat(QImage::Format_ARGB32))
            << image;
}

TEST_F(ImagesModuleTest, MediumBackIsTheLargeOneScaledExceptBackEleven) {
    const QImage scaled = CardsFor("M", "003", "007").Back();
    EXPECT_EQ(scaled.size(), QSize(59, 80));
    EXPECT_EQ(CardsFor("M", "003", "011").Back().convertToFormat(QImage::Format_ARGB32),
              module.LoadPicture("DM011").convertToFormat(QImage::Format_ARGB32));
    // A zero back is taken as back 001.
    EXPECT_EQ(CardsFor("B", "001", "0").Back(), module.LoadPicture("DB001"));
}

TEST_F(ImagesModuleTest, EveryBackShowsItsDesignInItsTopRows) {
    // A face-down card fanned under another shows only its top four rows: inside the outline
    // they must carry the back's colours, not a white border like a face's.
    for (char size : {'B', 'L'})
        for (int back : module.Backs(size))
            for (qreal ratio : {1.0, 2.0}) {
                const QImage image =
                    module.LoadPicture(QString("D%1%2").arg(size).arg(back, 3, 10, QChar('0')), ratio)
                        .convertToFormat(QImage::Format_ARGB32);
                ASSERT_FALSE(image.isNull()) << size << back;
                const int rows = int(4 * ratio);
                int light = 0, total = 0;
                for (int y = int(2 * ratio); y < rows; ++y)
                    for (int x = image.width() / 4; x < image.width() * 3 / 4; ++x, ++total)
                        if (qGray(image.pixel(x, y)) > 235) ++light;
                EXPECT_LT(light * 4, total) << "back " << back << " size " << size << " x" << ratio;
            }
}

TEST_F(ImagesModuleTest, ListsWhatTheCustomisationDialogOffers) {
    EXPECT_EQ(module.FaceSets('B'), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(module.FaceSets('M'), (std::vector<int>{3}));
    EXPECT_GE(module.Backs('B').size(), 27u);
    EXPECT_GE(module.Backgrounds().size(), 40u);
}

TEST(CardImageNumberTest, BothDecksShareTheImagesAndHigherNumbersAreTheJoker) {
    EXPECT_EQ(CardImageNumber(0), -1);
    EXPECT_EQ(CardImageNumber(1), 0);
    EXPECT_EQ(CardImageNumber(52), 51);
    EXPECT_EQ(CardImageNumber(53), 0);
    EXPECT_EQ(CardImageNumber(104), 51);
    EXPECT_EQ(CardImageNumber(105), kJokerImage);
}

// Damaged modules -----------------------------------------------------------------------

class DamagedModuleTest : public ::testing::Test {
  protected:
    std::string Write(const QByteArray& bytes) {
        const QString path = dir.filePath("SOL.RGF");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path.toStdString();
    }
    void ExpectRefused(const std::string& path) {
        FakeHost host;
        ImagesModule module;
        EXPECT_FALSE(module.Open(host, path));
        ASSERT_EQ(host.errors.size(), 1u);
        EXPECT_NE(host.errors[0].find("Cannot find images file:\r" + path), std::string::npos);
        EXPECT_FALSE(module.IsOpen());
        EXPECT_TRUE(module.LoadPicture("CB001H").isNull());
        EXPECT_TRUE(module.LoadSound("Won").isEmpty());
    }
    QByteArray Real() {
        QFile file(QUENDRA_SOL_RGF);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QTemporaryDir dir;
};

TEST_F(DamagedModuleTest, MissingFileIsReported) {
    ExpectRefused(dir.filePath("missing/SOL.RGF").toStdString());
}

TEST_F(DamagedModuleTest, GarbageEmptyAndTruncatedFilesAreReported) {
    ExpectRefused(Write(QByteArray()));
    ExpectRefused(Write(QByteArray("not a resource file at all, just some text")));
    const QByteArray real = Real();
    ExpectRefused(Write(real.left(real.size() / 2)));
    ExpectRefused(Write(real.left(24)));
}

TEST_F(DamagedModuleTest, OffsetsPointingOutsideTheFileAreReported) {
    QByteArray bad = Real();
    // The tree offset beyond the end of the file.
    qToBigEndian<quint32>(quint32(bad.size() + 100), bad.data() + 8);
    ExpectRefused(Write(bad));
    // The root directory claiming a huge number of children.
    bad = Real();
    const quint32 tree = qFromBigEndian<quint32>(bad.constData() + 8);
    qToBigEndian<quint32>(0x7fffffff, bad.data() + tree + 6);
    ExpectRefused(Write(bad));
}

TEST(ResourceFileCheckTest, TheBuiltModuleIsWellFormed) {
    QFile file(QUENDRA_SOL_RGF);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(IsWellFormedResourceFile(file.readAll()));
}

} // namespace
} // namespace quendra
