// A whole game played with the mouse in the main window, from the game browser to the winning
// animation: Klondike, FreeCell and Spider, each on the deal of a kept winning move list. Every
// move of the list is made the way a player makes it: a drag from the card to its new pile,
// a double click that sends a card home, a click on the stock, Ctrl+Z and Ctrl+Y, the
// Autoplay command.
#include "cards.h"
#include "families_gaps.h"
#include "game_browser.h"
#include "game_context.h"
#include "legality.h"
#include "main_window.h"
#include "move_finder.h"
#include "qt_host.h"
#include "settings.h"
#include "table_play.h"
#include "table_view.h"
#include "ui_fixture.h"

#include <fstream>
#include <optional>
#include <sstream>

#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QTreeWidget>
#include <QtTest/QtTest>

namespace quendra {

namespace {

constexpr int kKlondike = 0;
constexpr int kFreeCell = 1;
constexpr int kSpider = 91;

// A kept winning move list: "# game N deal D [autoplay]", then one move a line.
struct WinFixture {
    int game = -1;
    std::string deal;
    bool autoplay = false;
    std::vector<std::string> moves;
};

// The first kept list of game `game` ("0091-deal-*.moves"); empty when there is none.
QString FixtureOf(int game) {
    const QStringList files =
        QDir(QStringLiteral(QUENDRA_WINS_DIR))
            .entryList({QStringLiteral("%1-deal-*.moves").arg(game, 4, 10, QLatin1Char('0'))},
                       QDir::Files, QDir::Name);
    return files.isEmpty() ? QString() : QStringLiteral(QUENDRA_WINS_DIR "/") + files.first();
}

std::optional<WinFixture> ReadFixture(const QString& path) {
    std::ifstream in(path.toStdString());
    std::string header;
    if (!std::getline(in, header)) return std::nullopt;
    WinFixture fixture;
    std::istringstream words(header);
    std::string hash, gameWord, dealWord;
    if (!(words >> hash >> gameWord >> fixture.game >> dealWord >> fixture.deal) || hash != "#" ||
        gameWord != "game" || dealWord != "deal")
        return std::nullopt;
    fixture.autoplay = header.find("autoplay") != std::string::npos;
    for (std::string move; in >> move;)
        fixture.moves.push_back(move);
    return fixture;
}

bool PileHolds(const std::string& cards, int card) {
    for (int i = 0; i < PileCardCount(cards); ++i)
        if (PileCardAt(cards, i) == card) return true;
    return false;
}

int CardsOn(const GameContext& ctx, PileGroupId group, int piles) {
    int cards = 0;
    for (int i = 0; i < piles; ++i)
        cards += PileCardCount(ctx.table.Pile({group, i}));
    return cards;
}

int CardsOnTable(const GameContext& ctx) {
    return CardsOn(ctx, PileGroupId::Fila, kFilaPiles) +
           CardsOn(ctx, PileGroupId::Dest, kDestPiles) +
           CardsOn(ctx, PileGroupId::Appogg, kAppoggPiles) +
           PileCardCount(ctx.table.Pile(pile::Stock(kMazzo))) +
           PileCardCount(ctx.table.Pile(pile::Stock(kMazzoVis)));
}

// The main window of a fresh program folder with the real host, so that a won game runs the
// winning animation. Dialogs that open while it plays are answered here: the game browser by
// `onBrowser`, the question before leaving a game with OK; any other is closed and kept in
// `unexpected`, and while the winning animation runs a key press stops it.
class Walk {
  public:
    Walk() : ctx(host) {
        SetProgramDir(ctx, program.dir.path().toStdString());
        ctx.gamesFile = QUENDRA_GAMES_DAT;
        ctx.imagesFile = QUENDRA_SOL_RGF;
        host.SetWindow(&window);
        guard.setInterval(10);
        QObject::connect(&guard, &QTimer::timeout, [this] { watch(); });
        guard.start();
    }
    ~Walk() { host.SetWindow(nullptr); }

    TableView* view() const { return window.table(); }
    TablePlay* play() const { return window.tablePlay(); }

    // Starts the program as a player does: the browser opens and `game` is double clicked.
    bool ChooseInBrowser(int game) {
        if (!window.StartUp()) return false;
        // Quick: no deal animation and no flights.
        SetSetting(ctx.settings, field::kDealAnimation, "N");
        SetSetting(ctx.settings, field::kSpeedMoveCard, "0");
        onBrowser = [game](GameBrowser* browser) {
            QTreeWidget* tree = browser->tree();
            browser->findItem(browser::kAllGames)->setExpanded(true);
            QTreeWidgetItem* item = browser->findItem(game);
            if (!item) return;
            tree->scrollToItem(item);
            const QPoint at = tree->visualItemRect(item).center();
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
        };
        window.setGeometry(0, 0, 1600, 1000);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) return false;
        if (!QTest::qWaitFor([&] { return browserSeen && !QApplication::activeModalWidget(); }))
            return false;
        // The command keys reach the window that has the focus.
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    // One move of a winning list, made with the mouse and the keyboard; a reason when it
    // cannot be made or the table did not change.
    std::optional<QString> Play(const std::string& text, bool doubleClickHome) {
        const std::optional<FoundMove> move = ParseFoundMove(text);
        if (!move) return QStringLiteral("not a move");
        const PileGroups before = ctx.table;
        if (keysOnly) {
            if (std::optional<QString> fault = PlayByKeys(*move)) return fault;
            if (ctx.table == before) return QStringLiteral("the table did not change");
            return std::nullopt;
        }
        switch (move->kind) {
        case FoundMove::Kind::Stock:
            Click(Visible(pile::Stock(kMazzo)).center());
            break;
        case FoundMove::Kind::Click:
            Click(play()->CardRectInView(move->from).center());
            break;
        case FoundMove::Kind::Undo:
            Keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
            break;
        case FoundMove::Kind::Redo:
            Keys(QKeySequence(Qt::CTRL | Qt::Key_Y));
            break;
        case FoundMove::Kind::Autoplay: {
            // One run of automatic play: the command ticked (it plays at once) and set back.
            QAction* autoplay = window.actions().autoplay;
            const bool ticked = autoplay->isChecked();
            if (ticked) autoplay->trigger();
            autoplay->trigger();
            if (!ticked) autoplay->trigger();
            break;
        }
        case FoundMove::Kind::Pile:
            if (std::optional<QString> fault = DragOrSend(*move, doubleClickHome)) return fault;
            break;
        }
        if (ctx.table == before) return QStringLiteral("the table did not change");
        return std::nullopt;
    }

    // The keys of a command, pressed in the window.
    void Keys(const QKeySequence& keys) { QTest::keySequence(&window, keys); }

    // A key pressed where the keyboard's input goes: the widget that has the focus.
    void Key(Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &window, key);
    }

    // The same move with the table's keys alone: Tab to the pile, Up to the card, Enter to
    // pick it up, the arrow keys to the destination, Enter to drop; D deals.
    std::optional<QString> PlayByKeys(const FoundMove& move) {
        switch (move.kind) {
        case FoundMove::Kind::Stock:
            Key(Qt::Key_D);
            return std::nullopt;
        case FoundMove::Kind::Undo:
            Keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
            return std::nullopt;
        case FoundMove::Kind::Redo:
            Keys(QKeySequence(Qt::CTRL | Qt::Key_Y));
            return std::nullopt;
        case FoundMove::Kind::Autoplay:
            // F7 ticks Autoplay (it plays at once) and F7 again sets it back.
            Keys(QKeySequence(Qt::Key_F7));
            Keys(QKeySequence(Qt::Key_F7));
            return std::nullopt;
        case FoundMove::Kind::Click:
        case FoundMove::Kind::Pile:
            break;
        }
        if (!TabTo(move.from)) return QStringLiteral("Tab never reached the pile");
        const int count = PileCardCount(ctx.table.Pile(move.from));
        const int position = move.position < 0 ? count - 1 : move.position;
        for (int presses = 0; play()->KeyCursorPosition() > position && presses < 104; ++presses)
            Key(Qt::Key_Up);
        if (play()->KeyCursorPosition() != position)
            return QStringLiteral("Up never reached the card");
        Key(Qt::Key_Return);
        if (move.kind == FoundMove::Kind::Click) return std::nullopt;
        if (!play()->KeyHolding()) return QStringLiteral("Enter did not pick the card up");
        if (!ArrowTo(move.to)) return QStringLiteral("the arrow keys never reached the pile");
        Key(Qt::Key_Return);
        ++keyMoves;
        if (play()->KeyHolding()) return QStringLiteral("the drop was refused");
        return std::nullopt;
    }

    bool TabTo(PileRef pile) {
        for (int presses = 0; presses < 2 * kFilaPiles; ++presses) {
            if (play()->KeyCursorShown() && play()->KeyCursorPile() == pile) return true;
            Key(Qt::Key_Tab);
        }
        return false;
    }

    // Towards the pile's place: up or down while it lies in another row, else left or right.
    bool ArrowTo(PileRef pile) {
        for (int presses = 0; presses < 40; ++presses) {
            const PileRef at = play()->KeyCursorPile();
            if (at == pile) return true;
            const QPoint from = play()->PileRectInView(at).topLeft();
            const QPoint to = play()->PileRectInView(pile).topLeft();
            if (std::abs(to.y() - from.y()) > play()->CardRectInView(at, 0).height() / 2)
                Key(to.y() < from.y() ? Qt::Key_Up : Qt::Key_Down);
            else
                Key(to.x() < from.x() ? Qt::Key_Left : Qt::Key_Right);
        }
        return false;
    }

    // In the gap rows: Up and Down to the row, Left and Right to its place.
    bool PlaceTo(PileRef row, int place) {
        for (int presses = 0; presses < 60; ++presses) {
            const PileRef at = play()->KeyCursorPile();
            const int position = play()->KeyCursorPosition();
            if (at == row && position == place) return true;
            if (at.group != PileGroupId::Fila)
                Key(Qt::Key_Down);
            else if (at.index != row.index)
                Key(at.index > row.index ? Qt::Key_Up : Qt::Key_Down);
            else
                Key(position > place ? Qt::Key_Left : Qt::Key_Right);
        }
        return false;
    }

    bool keysOnly = false;
    int keyMoves = 0;

    test::Program program; // the program folder
    QtHost host;
    GameContext ctx;
    MainWindow window{ctx};
    std::function<void(GameBrowser*)> onBrowser;
    bool browserSeen = false;
    bool celebrated = false;
    int leaveQuestions = 0;
    int gameWonShown = 0;
    int hiScoresShown = 0;
    int screenNotes = 0;
    QStringList unexpected;

  private:
    void watch() {
        if (play()->Celebrating() && !celebrated) {
            celebrated = true;
            QTest::keyClick(&window, Qt::Key_Space);
            return;
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (auto* browser = qobject_cast<GameBrowser*>(modal)) {
            if (browserSeen) return;
            browserSeen = true;
            if (onBrowser) onBrowser(browser);
            return;
        }
        // The won game's score makes the hi-scores, which open before the animation.
        if (modal->objectName() == QStringLiteral("hiScoresDialog")) {
            ++hiScoresShown;
            static_cast<QDialog*>(modal)->accept();
            return;
        }
        // After the win, "Game won": Cancel leaves the won table as it is.
        if (modal->objectName() == QStringLiteral("gameWonDialog")) {
            ++gameWonShown;
            static_cast<QDialog*>(modal)->reject();
            return;
        }
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box && box->text() == QStringLiteral("Quit this game?")) {
            ++leaveQuestions;
            box->button(QMessageBox::Ok)->click();
            return;
        }
        // On a screen narrower than the game needs (the off-screen one is 800 pixels wide),
        // the player is told the game plays with smaller cards and goes on.
        if (box && box->text().startsWith(QStringLiteral("Your video card's display is"))) {
            ++screenNotes;
            box->button(QMessageBox::Ok)->click();
            return;
        }
        unexpected << (box ? box->text() : modal->windowTitle());
        modal->close();
    }

    // The rectangle to aim at for a pile: its top card, or its place when empty.
    QRect Visible(PileRef pile) const {
        return ctx.table.Pile(pile).empty() ? play()->PileRectInView(pile)
                                            : play()->CardRectInView(pile);
    }

    void Click(QPoint at) {
        QTest::mousePress(view(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(view(), Qt::LeftButton, {}, at);
    }

    // Where a card shows in its pile: the middle of the top card, or of the strip of a covered
    // card that the next card leaves in sight.
    std::optional<QPoint> Grip(PileRef pile, int position, int count) const {
        const QRect card = play()->CardRectInView(pile, position);
        if (position == count - 1) return card.center();
        const QRect next = play()->CardRectInView(pile, position + 1);
        if (next.top() > card.top())
            return QPoint(card.center().x(), (card.top() + next.top()) / 2);
        if (next.left() > card.left())
            return QPoint((card.left() + next.left()) / 2, card.center().y());
        return std::nullopt;
    }

    std::optional<QString> DragOrSend(const FoundMove& move, bool doubleClickHome) {
        const int count = PileCardCount(ctx.table.Pile(move.from));
        const int position = move.position < 0 ? count - 1 : move.position;
        if (position < 0 || position >= count) return QStringLiteral("no such card");
        const int card = PileCardAt(ctx.table.Pile(move.from), position);
        const std::optional<QPoint> grip = Grip(move.from, position, count);
        if (!grip) return QStringLiteral("the card is hidden under the next one");

        // A card going home by itself: a double click sends it to the first foundation that
        // takes it, so only when that is the foundation of the list.
        if (doubleClickHome && move.to.group == PileGroupId::Dest && position == count - 1) {
            int first = 0;
            while (first < FoundationCount(ctx) && !fnCanDropOnFoundation(ctx, first, card))
                ++first;
            if (first == move.to.index) {
                QTest::mouseDClick(view(), Qt::LeftButton, {}, *grip);
                if (!PileHolds(ctx.table.Pile(move.to), card))
                    return QStringLiteral("the double click did not send the card home");
                ++doubleClicks;
                return std::nullopt;
            }
        }

        // The lifted card is carried until it lies over the destination's top card.
        const QRect from = play()->CardRectInView(move.from, position);
        const QPoint target = Visible(move.to).topLeft() + (*grip - from.topLeft());
        QTest::mousePress(view(), Qt::LeftButton, {}, *grip);
        if (!view()->hasFloating()) {
            QTest::mouseRelease(view(), Qt::LeftButton, {}, *grip);
            return QStringLiteral("the card cannot be lifted");
        }
        constexpr int kSteps = 4;
        for (int step = 1; step <= kSteps; ++step)
            QTest::mouseMove(view(), *grip + (target - *grip) * step / kSteps);
        QTest::mouseRelease(view(), Qt::LeftButton, {}, target);
        ++drags;
        if (PileCardCount(ctx.table.Pile(move.from)) > position &&
            PileCardAt(ctx.table.Pile(move.from), position) == card)
            return QStringLiteral("the dropped card went back");
        return std::nullopt;
    }

    QTimer guard;

  public:
    int drags = 0;
    int doubleClicks = 0;
};

} // namespace

class WalkthroughTest : public QObject {
    Q_OBJECT
  private slots:
    void aWholeGameIsWonWithTheMouse_data() {
        QTest::addColumn<int>("game");
        QTest::newRow("Klondike") << kKlondike;
        QTest::newRow("FreeCell") << kFreeCell;
        QTest::newRow("Spider") << kSpider;
    }

    void aWholeGameIsWonWithTheMouse() {
        QFETCH(int, game);
        const QString fixture = FixtureOf(game);
        QVERIFY2(
            !fixture.isEmpty(),
            qPrintable(
                QStringLiteral("no winning move list for game %1 in tests/data/wins").arg(game)));
        const std::optional<WinFixture> list = ReadFixture(fixture);
        QVERIFY2(list, qPrintable(fixture));
        QCOMPARE(list->game, game);

        Walk walk;
        GameContext& ctx = walk.ctx;
        QVERIFY(walk.ChooseInBrowser(game));
        QCOMPARE(std::atoi(GetSetting(ctx.settings, field::kGameNumber).c_str()), game);
        QVERIFY(ctx.flags[GameStateFlags::kInPlay]);

        // The lists were played with Autoplay ticked once the cards were dealt, so the deal
        // itself plays nothing: the command is unticked for this game first.
        QAction* autoplay = walk.window.actions().autoplay;
        if (autoplay->isChecked()) autoplay->trigger();
        QVERIFY(!ctx.play.autoplayTicked);

        // The browser deals a new number; the list's deal is chosen by its number, which asks
        // first whether the game just dealt may be left.
        QVERIFY(walk.window.StartGameDeal(game, list->deal));
        QCOMPARE(GetSetting(ctx.settings, field::kDealNumber), list->deal);
        QVERIFY(walk.unexpected.isEmpty());
        const int deck = CardsOnTable(ctx);
        QVERIFY(deck == 52 || deck == 104);
        QVERIFY(!autoplay->isChecked());
        // Ticked as the list was played, without the run that ticking it starts at once.
        autoplay->setChecked(list->autoplay);
        ctx.play.autoplayTicked = list->autoplay;

        const std::size_t middle = list->moves.size() / 2;
        for (std::size_t n = 0; n < list->moves.size(); ++n) {
            const std::string& move = list->moves[n];
            const QString where = QStringLiteral("move %1 \"%2\"").arg(n + 1).arg(move.c_str());
            QVERIFY2(ctx.flags[GameStateFlags::kInPlay] && !walk.celebrated, qPrintable(where));
            // Every other move home is a double click, the rest are drags.
            const std::optional<QString> fault = walk.Play(move, n % 2 == 0);
            QVERIFY2(!fault, qPrintable(where + ": " + fault.value_or(QString())));
            QVERIFY2(walk.unexpected.isEmpty(),
                     qPrintable(where + ": " + walk.unexpected.join('|')));
            QVERIFY2(!walk.view()->hasFloating(), qPrintable(where));

            if (n == middle) {
                // Taken back with Ctrl+Z and made again with Ctrl+Y.
                const PileGroups played = ctx.table;
                QVERIFY(walk.window.actions().undo->isEnabled());
                walk.Keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
                QVERIFY2(!(ctx.table == played), qPrintable(where + ": undo"));
                QVERIFY(walk.window.actions().redo->isEnabled());
                walk.Keys(QKeySequence(Qt::CTRL | Qt::Key_Y));
                QVERIFY2(ctx.table == played, qPrintable(where + ": redo"));
            }
        }

        // Won: every card on the foundations, the game over, the animation run and stopped by
        // the key press.
        QCOMPARE(CardsOn(ctx, PileGroupId::Dest, kDestPiles), deck);
        QCOMPARE(ctx.flags[GameStateFlags::kInPlay], 0);
        QVERIFY(walk.celebrated);
        QVERIFY(!walk.play()->Celebrating());
        QTRY_COMPARE(walk.gameWonShown, 1);
        QCOMPARE(ctx.flags[GameStateFlags::kAnimating], 0);
        QVERIFY(walk.drags > 0);
        QVERIFY(walk.unexpected.isEmpty());
        qInfo("%s: %d moves, %d drags, %d double clicks", qPrintable(fixture),
              int(list->moves.size()), walk.drags, walk.doubleClicks);
    }

    // The same lists played with the keyboard alone, every key pressed where the focus is.
    void aWholeGameIsWonWithTheKeyboard_data() {
        QTest::addColumn<int>("game");
        QTest::newRow("Klondike") << kKlondike;
        QTest::newRow("FreeCell") << kFreeCell;
    }

    void aWholeGameIsWonWithTheKeyboard() {
        QFETCH(int, game);
        const std::optional<WinFixture> list = ReadFixture(FixtureOf(game));
        QVERIFY(list);
        Walk walk;
        GameContext& ctx = walk.ctx;
        QVERIFY(walk.ChooseInBrowser(game));
        QAction* autoplay = walk.window.actions().autoplay;
        if (autoplay->isChecked()) autoplay->trigger();
        QVERIFY(walk.window.StartGameDeal(game, list->deal));
        const int deck = CardsOnTable(ctx);
        autoplay->setChecked(list->autoplay);
        ctx.play.autoplayTicked = list->autoplay;
        // The table has the keyboard.
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(walk.view()));
        walk.keysOnly = true;
        for (std::size_t n = 0; n < list->moves.size(); ++n) {
            const QString where =
                QStringLiteral("move %1 \"%2\"").arg(n + 1).arg(list->moves[n].c_str());
            QVERIFY2(ctx.flags[GameStateFlags::kInPlay] && !walk.celebrated, qPrintable(where));
            const std::optional<QString> fault = walk.Play(list->moves[n], false);
            QVERIFY2(!fault, qPrintable(where + ": " + fault.value_or(QString())));
            QVERIFY2(walk.unexpected.isEmpty(),
                     qPrintable(where + ": " + walk.unexpected.join('|')));
            // The cursor is drawn around the card it is on.
            QVERIFY2(!walk.view()->keyCursor().isNull(), qPrintable(where));
        }
        QCOMPARE(CardsOn(ctx, PileGroupId::Dest, kDestPiles), deck);
        QCOMPARE(ctx.flags[GameStateFlags::kInPlay], 0);
        QVERIFY(walk.keyMoves > 0);
    }

    // Refused and cancelled keyboard moves leave the table as it was.
    // Gaps: the cursor goes to a card of a row and drops it into a gap, the move the pointer
    // plays; a gap that does not take the card refuses it, the card still held.
    void aCardOfARowGoesIntoAGapByTheKeys() {
        constexpr int kGaps = 234;
        Walk walk;
        QVERIFY(walk.ChooseInBrowser(kKlondike));
        QVERIFY(walk.window.StartGameDeal(kGaps, "1"));
        GameContext& ctx = walk.ctx;
        const std::vector<GapFill> fills = GapFills(ctx);
        QVERIFY(!fills.empty());
        const GapFill fill = fills.front();
        const int card = PileCardAt(ctx.table.Pile(fill.from), fill.position);
        std::optional<GapFill> refused;
        for (int r = 0; r < TableauCount(ctx) && !refused; ++r)
            for (int p = 0; p < PileCardCount(ctx.table.Pile(pile::Fila(r))) && !refused; ++p)
                if (PileCardAt(ctx.table.Pile(pile::Fila(r)), p) == 0 &&
                    !CanFillGap(ctx, fill.from, fill.position, pile::Fila(r), p))
                    refused = GapFill{fill.from, fill.position, pile::Fila(r), p};
        QVERIFY(refused);
        const PileGroups dealt = ctx.table;
        QVERIFY(walk.TabTo(fill.from));
        QVERIFY(walk.PlaceTo(fill.from, fill.position));
        walk.Key(Qt::Key_Return);
        QVERIFY(walk.play()->KeyHolding());
        QVERIFY(walk.PlaceTo(refused->row, refused->place));
        QCOMPARE(walk.view()->accessibleDescription(),
                 QStringLiteral("Gap, Tableau %1").arg(refused->row.index + 1));
        walk.Key(Qt::Key_Return);
        QVERIFY(walk.play()->KeyHolding());
        QVERIFY(ctx.table == dealt);
        QVERIFY(walk.PlaceTo(fill.row, fill.place));
        walk.Key(Qt::Key_Return);
        QVERIFY(!walk.play()->KeyHolding());
        QCOMPARE(PileCardAt(ctx.table.Pile(fill.row), fill.place), card);
        QCOMPARE(PileCardAt(ctx.table.Pile(fill.from), fill.position), 0);
    }

    void aRefusedKeyDropKeepsTheCardsHeld() {
        Walk walk;
        QVERIFY(walk.ChooseInBrowser(kKlondike));
        QAction* autoplay = walk.window.actions().autoplay;
        if (autoplay->isChecked()) autoplay->trigger();
        QVERIFY(walk.window.StartGameDeal(kKlondike, "5"));
        GameContext& ctx = walk.ctx;
        const PileGroups dealt = ctx.table;
        // The seventh pile's top card onto a tableau pile that does not take it.
        QVERIFY(walk.TabTo(pile::Fila(6)));
        const int card = PileTopCard(ctx.table.Pile(pile::Fila(6)));
        // The table tells a screen reader which card the cursor is on.
        QCOMPARE(walk.view()->accessibleDescription(),
                 QString::fromStdString(fnCardName(ctx, card)) + QStringLiteral(", Tableau 7"));
        int refusing = 0;
        while (refusing < 6 && fnCanDropOnTableau(ctx, refusing, card))
            ++refusing;
        QVERIFY(refusing < 6);
        walk.Key(Qt::Key_Return);
        QVERIFY(walk.play()->KeyHolding());
        QVERIFY(walk.view()->hasFloating());
        QVERIFY(walk.ArrowTo(pile::Fila(refusing)));
        walk.Key(Qt::Key_Return);
        QVERIFY(walk.play()->KeyHolding());
        QVERIFY(ctx.table == dealt);
        // Escape puts the cards back; a press of the pointer hides the cursor.
        walk.Key(Qt::Key_Escape);
        QVERIFY(!walk.play()->KeyHolding());
        QVERIFY(!walk.view()->hasFloating());
        QVERIFY(ctx.table == dealt);
        QTest::mouseClick(walk.view(), Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(walk.view()->keyCursor().isNull());
        QVERIFY(!walk.play()->KeyCursorShown());
    }

    // "autoplay" in a list is one run of automatic play, made with the Autoplay command:
    // ticking it plays at once; it is left as it was.
    void theAutoplayCommandPlaysOnce() {
        Walk walk;
        QVERIFY(walk.ChooseInBrowser(kKlondike));
        QAction* autoplay = walk.window.actions().autoplay;
        if (autoplay->isChecked()) autoplay->trigger();
        QVERIFY(walk.window.StartGameDeal(kKlondike, "1"));
        // Deal 1 shows an ace on the seventh pile (the first move of its kept list).
        QCOMPARE(CardsOn(walk.ctx, PileGroupId::Dest, kDestPiles), 0);
        const std::optional<QString> fault = walk.Play("autoplay", false);
        QVERIFY2(!fault, qPrintable(fault.value_or(QString())));
        QVERIFY(CardsOn(walk.ctx, PileGroupId::Dest, kDestPiles) > 0);
        QVERIFY(!autoplay->isChecked());
        QVERIFY(!walk.ctx.play.autoplayTicked);
        QVERIFY(walk.unexpected.isEmpty());
    }
};

} // namespace quendra

QTEST_MAIN(quendra::WalkthroughTest)
#include "walkthrough_test.moc"
