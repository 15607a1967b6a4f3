#include "../model/fake_host.h"
#include "cards.h"
#include "cli_render.h"
#include "fan_geometry.h"
#include "game_catalog.h"
#include "images_cards.h"
#include "images_module.h"
#include "layout.h"
#include "new_game.h"
#include "settings.h"
#include "table_choices.h"
#include "table_painter.h"

#include <filesystem>
#include <memory>
#include <sstream>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quendra {
namespace {

// A dealt game with the images module open and a painter on a 1024 x 768 table.
struct DealtTable {
    explicit DealtTable(int game, const std::string& programDir = {}) : ctx(host), cards(module) {
        ctx.gamesFile = QUENDRA_GAMES_DAT;
        if (!programDir.empty()) {
            SetProgramDir(ctx, programDir);
            LoadSettings(ctx);
        }
        SetSetting(ctx.settings, field::kCardSize, "B");
        SetSetting(ctx.settings, field::kCardSet, "001");
        SetSetting(ctx.settings, field::kBackCard, "001");
        SetSetting(ctx.settings, field::kDealNumber, "4321");
        started = LoadGameList(ctx) &&
                  SelectAndStartGame(ctx, game, GameName(ctx, game), "Player 1", kKeepDealNumber,
                                     false) &&
                  module.Open(host, QUENDRA_SOL_RGF);
        cards.LoadCardImages(ctx.settings);
        painter = std::make_unique<TablePainter>(ctx, module, cards);
        painter->Resize(1024, 768);
    }
    QRgb At(int x, int y) const { return painter->TableBuffer().pixel(x, y); }

    test::FakeHost host;
    GameContext ctx;
    ImagesModule module;
    CardImages cards;
    std::unique_ptr<TablePainter> painter;
    bool started = false;
};

constexpr int kKlondike = 0;
constexpr int kFreeCell = 1;

TEST(PileThickness, FollowsTheCardCountWithinEachPilesLimit) {
    EXPECT_EQ(PileThickness(100, true), 15);
    EXPECT_EQ(PileThickness(13, false), 2);
    EXPECT_EQ(PileThickness(1, true), 0);
    EXPECT_EQ(PileThickness(0, false), 0);
    EXPECT_EQ(PileThickness(2, true), 1);
    EXPECT_EQ(PileThickness(24, true), 4);       // 24 / 7 + 1
    EXPECT_EQ(PileThickness(56, true, true), 2); // the browser's preview: 56 / 28
}

TEST(PileThickness, MovesTheStockUpAndLeftOfItsHome) {
    DealtTable t(kKlondike);
    ASSERT_TRUE(t.started);
    const PileRef stock = pile::Stock(kMazzo);
    std::string hundred;
    for (int i = 0; i < 100; ++i)
        hundred += CardCode(i % 104 + 1);
    t.ctx.table.Pile(stock) = hundred;
    const HomePosition home = HomePositionOf(t.ctx, stock);
    t.painter->DrawPileTop(stock);
    EXPECT_EQ(PileX(t.ctx, stock), home.x - 15);
    EXPECT_EQ(PileY(t.ctx, stock), home.y - 15);
    t.ctx.table.Pile(stock) = "001";
    t.painter->DrawPileTop(stock);
    EXPECT_EQ(PileX(t.ctx, stock), home.x);
    EXPECT_EQ(PileY(t.ctx, stock), home.y);
}

TEST(FanGeometry, LargeCardsStepFourPerHiddenCardAndEighteenPerShownCard) {
    DealtTable t(kKlondike);
    ASSERT_TRUE(t.started);
    const PileRef pile = pile::Fila(0);
    t.ctx.table.Pile(pile) = "001002003004005";
    for (int card : {1, 2, 3})
        t.ctx.cardTable.SetFace(card, '0');
    for (int card : {4, 5})
        t.ctx.cardTable.SetFace(card, '1');
    const std::vector<TablePoint> places = CardPositions(t.ctx, pile);
    ASSERT_EQ(places.size(), 5u);
    EXPECT_EQ(places.back().y - places.front().y, 4 + 4 + 4 + 18);
    EXPECT_EQ(places.back().x, places.front().x);

    const FanOffsets medium = FanOffsetsFor('M', fanmode::kDown, 0, 0);
    EXPECT_EQ(medium.downFaceUp, 14);
    const FanOffsets right = FanOffsetsFor('B', fanmode::kRight, 0, 0);
    EXPECT_EQ(right.rightFaceUp, 12);
    EXPECT_EQ(right.downFaceUp, 0);
}

TEST(FanGeometry, HitTestFindsTheTopmostCardUnderThePoint) {
    DealtTable t(kKlondike);
    ASSERT_TRUE(t.started);
    const PileRef pile = pile::Fila(6);
    const std::vector<TablePoint> places = CardPositions(t.ctx, pile);
    ASSERT_EQ(places.size(), 7u);
    const TablePoint top = places.back();
    auto hit = PileUnderPoint(t.ctx, {top.x + 30, top.y + 60});
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->pile, pile);
    EXPECT_EQ(hit->position, 6);
    EXPECT_EQ(hit->card, PileTopCard(t.ctx.table.Pile(pile)));
    // The strip of the card below the top one.
    hit = PileUnderPoint(t.ctx, {places[5].x + 30, places[5].y + 1});
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->position, 5);
    EXPECT_FALSE(PileUnderPoint(t.ctx, {1020, 760}));
}

// Tri Peaks: once both cards on a card are gone, their emptied places lying over its lower
// half leave the point to the card.
TEST(FanGeometry, AnEmptiedPlaceOfThePeaksLeavesThePointToTheCardItCovered) {
    constexpr int kTriPeaks = 87;
    DealtTable t(kTriPeaks);
    ASSERT_TRUE(t.started);
    const PileRef covered = pile::Fila(9); // the second row of nine, first card
    const TablePoint lower{PileX(t.ctx, covered) + 10, PileY(t.ctx, pile::Fila(18)) + 5};
    auto hit = PileUnderPoint(t.ctx, lower);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->pile, pile::Fila(18));
    t.ctx.table.Pile(pile::Fila(18)).clear();
    t.ctx.table.Pile(pile::Fila(19)).clear();
    hit = PileUnderPoint(t.ctx, lower);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->pile, covered);
    EXPECT_EQ(hit->card, PileTopCard(t.ctx.table.Pile(covered)));
}

TEST(EmptyMarks, FollowTheRulesOfEachPile) {
    DealtTable t(kKlondike);
    ASSERT_TRUE(t.started);
    GameContext& ctx = t.ctx;
    ctx.params[131] = 13;
    EXPECT_EQ(EmptyMarkFor(ctx, pile::Fila(0)), "011");
    ctx.params[131] = 0;
    EXPECT_EQ(EmptyMarkFor(ctx, pile::Fila(0)), "_TABLEAU");
    ctx.params[131] = 50;
    EXPECT_EQ(EmptyMarkFor(ctx, pile::Fila(0)), "004");
    ctx.params[131] = 94;
    EXPECT_EQ(EmptyMarkFor(ctx, pile::Fila(0)), "");
    ctx.params[51] = 1;
    ctx.params[83] = 0;
    EXPECT_EQ(EmptyMarkFor(ctx, pile::Dest(0)), "010");
    ctx.params[83] = 10;
    EXPECT_EQ(EmptyMarkFor(ctx, pile::Dest(0)), "003");
    // Reserves: own value 4 first, then the first reserve's 9 and 8, then the own values.
    ctx.params[331] = 9;
    ctx.params[332] = 4;
    EXPECT_EQ(EmptyMarkFor(ctx, pile::Appogg(1)), "_TABLEAU");
    ctx.params[332] = 88;
    EXPECT_EQ(EmptyMarkFor(ctx, pile::Appogg(1)), "009");
    ctx.params[331] = 0;
    EXPECT_EQ(EmptyMarkFor(ctx, pile::Appogg(1)), "006");
    ctx.params[332] = 0;
    EXPECT_EQ(EmptyMarkFor(ctx, pile::Appogg(1)), "001");
    // The stock: redeal while passes are left, else the no-entry mark.
    ctx.params[50] = 0;
    ctx.params[16] = 0;
    ctx.params[15] = 3;
    ctx.play.passNumber = 1;
    ctx.table.StockGroup[kMazzoVis] = "001002";
    EXPECT_EQ(EmptyMarkFor(ctx, pile::Stock(kMazzo)), "022");
    ctx.play.passNumber = 3;
    EXPECT_EQ(EmptyMarkFor(ctx, pile::Stock(kMazzo)), "008");
    ctx.params[15] = -1;
    ctx.table.StockGroup[kMazzoVis] = "001";
    EXPECT_EQ(EmptyMarkFor(ctx, pile::Stock(kMazzo)), "008");
    ctx.params[50] = 45;
    EXPECT_EQ(EmptyMarkFor(ctx, pile::Stock(kMazzo)), "021");
    EXPECT_EQ(EmptyMarkFor(ctx, pile::Stock(kMazzoWaste)), "_WASTE");
}

TEST(Background, IsChosenInTheSettingsOrder) {
    SettingsRecord s;
    SetSetting(s, field::kBackgroundDefault, "Y");
    SetSetting(s, field::kCustomizedBackground, "Y");
    SetSetting(s, field::kBackgroundPicture, "12");
    BackgroundChoice c = ChooseBackground(s, "mine");
    EXPECT_EQ(c.kind, BackgroundChoice::Kind::Default);
    EXPECT_EQ(c.green, 96);
    EXPECT_EQ(ChooseBackground(s, "mine", false).green, 128);

    SetSetting(s, field::kBackgroundDefault, "N");
    c = ChooseBackground(s, "mine");
    EXPECT_EQ(c.kind, BackgroundChoice::Kind::Customised);
    EXPECT_EQ(c.customisedName, "mine");

    SetSetting(s, field::kCustomizedBackground, "N");
    c = ChooseBackground(s, "");
    EXPECT_EQ(c.kind, BackgroundChoice::Kind::Picture);
    EXPECT_EQ(c.picture, 12);
    EXPECT_TRUE(c.tiled);
    SetSetting(s, field::kBackgroundPicture, "501");
    EXPECT_FALSE(ChooseBackground(s, "").tiled);

    SetSetting(s, field::kBackgroundPicture, "0");
    SetSetting(s, field::kBackgroundFixedColour, "255");
    SetSetting(s, field::kBackgroundColour, "65280");
    SetSetting(s, field::kFadeBackground, "Y");
    c = ChooseBackground(s, "");
    EXPECT_EQ(c.kind, BackgroundChoice::Kind::Colour);
    EXPECT_EQ((Rgb{c.red, c.green, c.blue}), (Rgb{255, 0, 0}));
    EXPECT_TRUE(c.fade);
    EXPECT_FALSE(ChooseBackground(s, "", false).fade);
    SetSetting(s, field::kBackgroundFixedColour, "0");
    c = ChooseBackground(s, "");
    EXPECT_EQ((Rgb{c.red, c.green, c.blue}), (Rgb{0, 255, 0}));
}

TEST(Background, AMissingCustomisedPictureIsReportedAndTheDefaultDrawn) {
    QTemporaryDir dir;
    std::filesystem::create_directories(dir.path().toStdString() + "/DATA");
    DealtTable t(kKlondike, dir.path().toStdString());
    ASSERT_TRUE(t.started);
    StorePreference(t.ctx, "Customized_Background", "gone");
    SetSetting(t.ctx.settings, field::kBackgroundDefault, "N");
    SetSetting(t.ctx.settings, field::kCustomizedBackground, "Y");
    t.painter->DrawBackground();
    ASSERT_EQ(t.host.errors.size(), 1u);
    EXPECT_EQ(t.host.errors[0], "Customized background image not found: gone");
    EXPECT_EQ(GetSetting(t.ctx.settings, field::kCustomizedBackground), "N");
    EXPECT_EQ(GetSetting(t.ctx.settings, field::kBackgroundDefault), "Y");
    EXPECT_EQ(ReadPreference(t.ctx, "Customized_Background"), "");
    EXPECT_EQ(t.painter->Background(500, 700), QColor(0, 96, 0));
}

TEST(TableDrawing, CardsLieWhereTheLayoutPutsThem) {
    DealtTable t(kFreeCell);
    ASSERT_TRUE(t.started);
    t.painter->DrawTable();
    const int cw = t.ctx.geometry.CardWidth;
    for (int i = 0; i < 8; ++i) {
        const PileRef pile = pile::Fila(i);
        const std::vector<TablePoint> places = t.painter->Positions(pile);
        ASSERT_FALSE(places.empty());
        const TablePoint top = places.back();
        const QImage card = t.cards.Card(CardImageNumber(PileTopCard(t.ctx.table.Pile(pile))));
        for (const QPoint& p : {QPoint(cw / 2, 4), QPoint(10, 40), QPoint(cw - 6, 90)})
            EXPECT_EQ(t.At(top.x + p.x(), top.y + p.y()), card.pixel(p)) << "pile " << i;
    }
    // Below the piles only the background shows; the lowest drawn edge ends the deepest fan.
    EXPECT_EQ(t.At(600, 700), t.painter->Background(600, 700).rgb());
    int deepest = 0;
    for (int i = 0; i < 8; ++i)
        deepest = std::max(deepest, t.painter->Positions(pile::Fila(i)).back().y +
                                        t.ctx.geometry.CardHeight);
    EXPECT_EQ(t.painter->LowestDrawnEdge(), deepest);
}

TEST(TableDrawing, CornersShowWhatLiesUnderTheCard) {
    DealtTable t(kFreeCell);
    ASSERT_TRUE(t.started);
    t.painter->DrawTable();
    const TablePoint top = t.painter->Positions(pile::Fila(0)).back();
    const int h = t.ctx.geometry.CardHeight, w = t.ctx.geometry.CardWidth;
    const auto bg = [&t](int x, int y) { return t.painter->Background(x, y).rgb(); };
    EXPECT_EQ(t.At(top.x, top.y + h - 1), bg(top.x, top.y + h - 1));
    EXPECT_EQ(t.At(top.x + w - 2, top.y + h - 1), bg(top.x + w - 2, top.y + h - 1));
    EXPECT_NE(t.At(top.x + 3, top.y + h - 3), bg(top.x + 3, top.y + h - 3));
}

TEST(TableDrawing, ARedrawnPileMatchesAFullDrawing) {
    DealtTable t(kKlondike);
    ASSERT_TRUE(t.started);
    t.painter->DrawTable();
    const PileRef pile = pile::Fila(6);
    const std::string old = t.ctx.table.Pile(pile);
    // Two cards leave the pile: the old fan is erased and the pile drawn again.
    t.ctx.table.Pile(pile) = old.substr(0, old.size() - 6);
    t.painter->TakeDirty();
    t.painter->RedrawChangedPile(pile, old);
    const std::vector<QRect> dirty = t.painter->TakeDirty();
    EXPECT_FALSE(dirty.empty());
    const QImage partial = t.painter->TableBuffer().copy();
    t.painter->DrawTable();
    EXPECT_EQ(partial, t.painter->TableBuffer());
    // The pile grows again: only the new card is drawn.
    const std::string shorter = t.ctx.table.Pile(pile);
    t.ctx.table.Pile(pile) = shorter + old.substr(shorter.size(), 3);
    t.ctx.cardTable.SetFace(PileTopCard(t.ctx.table.Pile(pile)), '1');
    t.painter->RedrawChangedPile(pile, shorter);
    const QImage grown = t.painter->TableBuffer().copy();
    t.painter->DrawTable();
    EXPECT_EQ(grown, t.painter->TableBuffer());
}

// The background is painted afresh wherever a card leaves: for a plain colour, the gradient
// and a tiled picture, at one and two device pixels a point, an erased fan leaves the table as
// a full drawing has it, and the colour the corners are rounded with is the one painted.
TEST(TableDrawing, ErasedCardsShowTheBackgroundAsAFullDrawingDoes) {
    struct Look {
        const char* name;
        const char* picture;
        const char* fade;
    };
    for (const Look look : {Look{"colour", "0", "N"}, Look{"gradient", "0", "Y"},
                            Look{"picture", "13", "N"}})
        for (const qreal ratio : {1.0, 2.0}) {
            SCOPED_TRACE(std::string(look.name) + (ratio > 1 ? " at 2x" : " at 1x"));
            DealtTable t(kKlondike);
            ASSERT_TRUE(t.started);
            SetSetting(t.ctx.settings, field::kBackgroundDefault, "N");
            SetSetting(t.ctx.settings, field::kCustomizedBackground, "N");
            SetSetting(t.ctx.settings, field::kBackgroundPicture, look.picture);
            SetSetting(t.ctx.settings, field::kBackgroundFixedColour, "0");
            SetSetting(t.ctx.settings, field::kBackgroundColour, "45000");
            SetSetting(t.ctx.settings, field::kFadeBackground, look.fade);
            t.painter->Resize(1024, 768, ratio);
            t.painter->DrawTable();
            const PileRef pile = pile::Fila(6);
            const std::string old = t.ctx.table.Pile(pile);
            t.ctx.table.Pile(pile) = old.substr(0, 3);
            t.painter->RedrawChangedPile(pile, old);
            const QImage erased = t.painter->TableBuffer().copy();
            t.painter->DrawTable();
            EXPECT_EQ(erased, t.painter->TableBuffer());
            // Points no card covers, down to the bottom row, and where the fan was.
            const TablePoint at = t.painter->Positions(pile).back();
            int differing = 0;
            for (const QPoint& p : {QPoint(0, 0), QPoint(1023, 767), QPoint(517, 700),
                                    QPoint(at.x + 5, at.y + t.ctx.geometry.CardHeight + 40),
                                    QPoint(300, 501), QPoint(129, 383)})
                if (t.At(qRound(p.x() * ratio), qRound(p.y() * ratio)) !=
                    t.painter->Background(p.x(), p.y()).rgb())
                    ++differing;
            EXPECT_EQ(differing, 0);
            // The gradient and the picture do change over the table.
            if (std::string(look.name) != "colour") {
                EXPECT_NE(t.painter->Background(0, 0), t.painter->Background(1023, 767));
            }
        }
}

// The window holds the picture while the painter draws on: it sees each change without the
// picture being copied, and what it holds stays readable when the painter takes a new size.
TEST(TableDrawing, TheWindowsPictureFollowsTheDrawingWithoutACopy) {
    DealtTable t(kKlondike);
    ASSERT_TRUE(t.started);
    t.painter->DrawTable();
    const QImage held = t.painter->TableBuffer();
    const PileRef pile = pile::Fila(6);
    const std::string old = t.ctx.table.Pile(pile);
    t.ctx.table.Pile(pile) = old.substr(0, 3);
    t.painter->RedrawChangedPile(pile, old);
    EXPECT_EQ(held.constBits(), t.painter->TableBuffer().constBits());
    EXPECT_EQ(held, t.painter->TableBuffer());
    const QImage before = held.copy();
    t.painter->Resize(800, 600);
    EXPECT_EQ(held, before);
    EXPECT_EQ(t.painter->TableBuffer().size(), QSize(800, 600));
}

TEST(TableDrawing, ACompleteFoundationGetsARedCrossHatch) {
    QTemporaryDir dir;
    std::filesystem::create_directories(dir.path().toStdString() + "/DATA");
    DealtTable t(kKlondike, dir.path().toStdString());
    ASSERT_TRUE(t.started);
    ASSERT_TRUE(
        WriteSettingInt(t.ctx, "Preference", "HighLights_Foundations_Mark", highlight::kCross));
    ASSERT_TRUE(WriteSettingInt(t.ctx, "Preference", "HighLights_Foundations_Color", 5));
    std::string hearts;
    for (int card = 1; card <= 13; ++card)
        hearts += CardCode(card);
    t.ctx.table.DestGroup[0] = hearts;
    ASSERT_EQ(t.ctx.Param(115) == -1 ? t.ctx.Param(32) : t.ctx.Param(115), 13);
    t.painter->DrawTable();
    const TablePoint at = t.painter->Positions(pile::Dest(0)).back();
    int red = 0;
    for (int y = at.y + 2; y < at.y + t.ctx.geometry.CardHeight - 2; ++y)
        for (int x = at.x + 2; x < at.x + t.ctx.geometry.CardWidth - 2; ++x)
            if (QColor(t.At(x, y)) == QColor(255, 70, 70)) ++red;
    EXPECT_GT(red, 200); // the lines of the hatch
    // A foundation one card short is left alone.
    t.ctx.table.DestGroup[0] = hearts.substr(3);
    t.painter->DrawTable();
    red = 0;
    for (int y = at.y + 2; y < at.y + 90; ++y)
        if (QColor(t.At(at.x + 30, y)) == QColor(255, 70, 70)) ++red;
    EXPECT_EQ(red, 0);
}

TEST(TableDrawing, PileSizeLabelsAndThePauseScreenDraw) {
    DealtTable t(kKlondike);
    ASSERT_TRUE(t.started);
    t.painter->DrawTable();
    const TableLabel label = PileSizeLabel(300, 400, 13);
    t.painter->DrawLabel(label);
    // White box with black bold text.
    int dark = 0;
    for (int y = label.box.top; y < label.box.bottom; ++y)
        for (int x = label.box.left; x < label.box.right; ++x)
            if (qGray(t.At(x, y)) < 80) ++dark;
    EXPECT_GT(dark, 20);
    EXPECT_EQ(QColor(t.At(label.box.right - 1, label.box.top)), QColor(Qt::white));

    t.painter->ShowPauseScreen();
    EXPECT_EQ(t.painter->Background(5, 2).green(), 128);
    EXPECT_EQ(t.At(5, 2), t.painter->Background(5, 2).rgb());
}

// Poker Squares: a line scored after a card is placed shows its cards inverted and its hand
// on the panel in every drawing of the table, kept as a picture or rendered on demand; then
// its cards are as before and the hand stays on the panel.
TEST(TableDrawing, AScoredLineAndItsHandShowInEveryDrawingOfTheTable) {
    constexpr int kPokerSquares = 241;
    for (const bool keep : {true, false}) {
        DealtTable t(kPokerSquares);
        ASSERT_TRUE(t.started);
        std::vector<PileRef> row;
        const int cards[] = {8, 21, 28, 44, 11}; // two Eights, a Two, a Five and a Jack
        for (int k = 0; k < 5; ++k) {
            row.push_back(pile::Fila(k));
            t.ctx.table.Pile(row.back()) = CardCode(cards[k]);
            t.ctx.cardTable.SetFace(cards[k], '1');
        }
        const TablePoint card = t.painter->Positions(row[2]).back();
        const auto middle = [&](const QImage& image) {
            return image.pixel(card.x + t.ctx.geometry.CardWidth / 2,
                               card.y + t.ctx.geometry.CardHeight / 2);
        };
        t.painter->KeepPicture(keep);
        t.painter->DrawTable();
        const QImage before = t.painter->RenderImage();
        t.painter->ShowScoredLine(row, "One Pair", "2 points", ": 2 points");
        const QImage shown = t.painter->RenderImage();
        EXPECT_EQ(QColor(middle(shown)), QColor(qRgb(255 - qRed(middle(before)),
                                                     255 - qGreen(middle(before)),
                                                     255 - qBlue(middle(before)))))
            << "kept " << keep;
        t.painter->EndScoredLine();
        const QImage after = t.painter->RenderImage();
        EXPECT_EQ(middle(after), middle(before)) << "kept " << keep;
        EXPECT_NE(after, before) << "kept " << keep; // the hand on the panel
        t.painter->DrawTable();
        EXPECT_EQ(t.painter->RenderImage(), after) << "kept " << keep;
    }
}

// The render command: the picture, and a clear refusal for a missing or damaged module.
TEST(RenderCommand, WritesThePictureOrExplainsWhy) {
    QTemporaryDir dir;
    const std::string d = dir.path().toStdString();
    std::filesystem::copy_file(QUENDRA_GAMES_DAT, d + "/GAMES.DAT");
    std::filesystem::copy_file(QUENDRA_SOL_RGF, d + "/SOL.RGF");
    std::ostringstream out, err;
    const std::string png = d + "/table.png";
    EXPECT_EQ(RunRenderCommand({"--game", "0", "--deal", "7", "--size", "800x600", "--dir", d, png},
                               d, out, err),
              0)
        << err.str();
    QImage picture(QString::fromStdString(png));
    EXPECT_EQ(picture.size(), QSize(800, 600));

    EXPECT_EQ(RunRenderCommand({"--game", "0", "--size", "800x600", png}, d, out, err), 2);
    EXPECT_EQ(RunRenderCommand({"--game", "0", "--deal", "7", "--size", "big", png}, d, out, err),
              2);

    // A damaged module: a message, exit 2, no crash.
    {
        QFile damaged(QString::fromStdString(d + "/SOL.RGF"));
        ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
        damaged.resize(200);
    }
    std::ostringstream err2;
    EXPECT_EQ(RunRenderCommand({"--game", "0", "--deal", "7", "--size", "800x600", "--dir", d, png},
                               "/nonexistent", out, err2),
              2);
    EXPECT_FALSE(err2.str().empty());
}

} // namespace
} // namespace quendra
