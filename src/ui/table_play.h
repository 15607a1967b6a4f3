#pragma once

#include "fan_geometry.h"
#include "images_cards.h"
#include "table.h"
#include "table_painter.h"
#include "win_animation.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include <QCursor>
#include <QImage>
#include <QObject>
#include <QPoint>

namespace quendra {

struct GameContext;
class ImagesModule;
class TableView;


// The card table of the main window: draws the dealt table into the view, turns the view's
// mouse events into play (drag and drop, the stock click, turning a card, sending a card),
// and flies cards over the table on the event loop.
class TablePlay : public QObject {
    Q_OBJECT
  public:
    TablePlay(GameContext& ctx, const ImagesModule& module, TableView* view);

    // The card pictures after the settings changed (size, faces, back).
    void LoadCards();
    // Sizes the table picture to the view (the piles are laid out) and draws the whole table.
    void Layout();
    // A game is chosen and its layout is known.
    bool HasGame() const;
    // Draws the whole table again.
    void RedrawAll();
    // Draws the table as last drawn over `tableArea` (table coordinates) onto `target`, set to
    // table coordinates: what the view shows, and what tests read.
    void RenderTable(QPainter& target, const QRect& tableArea);
    // Draws one pile again from what the table holds now.
    void RedrawPile(PileRef pile);
    // A card flies from the top of `from` to its place on `to`.
    void FlyCard(int card, PileRef from, PileRef to);
    // A line of the poker or cribbage grid scored: the panel tells its hand, its points and
    // the total so far, and its cards show inverted for a moment.
    void ShowScoredLine(const std::vector<PileRef>& piles, const std::string& hand, int points,
                        int total);
    // The cards of a new deal fly from the stock to their piles, one after the other; the
    // pointer and the keyboard are ignored meanwhile.
    void AnimateDeal();
    // The winning animation: cards thrown over the table in the pattern `name` ("(Random)"
    // picks one of the six) until `seconds` are over or the player presses a key or clicks.
    // Without a name the player's choice (Preference "Winning_Animations") and time
    // ("Winning_Animations_Time") are read; a name that is none of the patterns turns the
    // animation off. Answers the number of cards thrown.
    int PlayWinningAnimation(const std::string& name = {}, int seconds = -1);
    // The pattern the last winning animation played.
    std::optional<WinPattern> LastWinPattern() const { return lastWinPattern_; }
    // The stock place drawn pressed (a stock operation armed) or as it is.
    void DrawStockPressed(bool pressed);
    bool StockDrawnPressed() const { return stockDrawnPressed_; }
    // The table's cursor and the one shown while cards are dragged; null for the standard
    // arrow.
    void SetCursors(const QCursor* table, const QCursor* drag);
    // The height of the whole table picture: the view's, or more when the cards reach lower.
    int TableHeight() const;

    // Lets go of whatever the pointer holds (a lifted card goes back to its pile, a pressed
    // stock springs up, a card shown whole is covered again), for work that changes the table
    // while a button may be down: the tutor, the pause.
    void CancelGesture();
    // A button release or a move that came while the table could not take it waits here
    // and is played once the table is free again.
    bool InputPending() const { return !pending_.empty(); }

    bool Dealing() const { return dealing_; }
    bool Celebrating() const { return celebrating_; }
    bool Flying() const { return flying_; }
    bool Dragging() const { return drag_.has_value(); }
    // The window-pixel rectangle of a pile and of its card at `position` (-1 the top card).
    QRect PileRectInView(PileRef pile) const;
    QRect CardRectInView(PileRef pile, int position = -1) const;
    TablePainter& Painter() { return painter_; }

    // Keyboard play. The arrow keys move a cursor between the piles and along a pile's
    // face-up cards, Tab and Shift+Tab step through the piles in reading order, Enter or
    // Space picks up the card under the cursor with the cards on it and drops it on the pile
    // the cursor is on (a refused drop beeps and the cards stay held), Escape puts them back,
    // H sends the card home and D deals from the stock. True when the key was taken.
    bool KeyPress(int key, Qt::KeyboardModifiers modifiers);
    bool KeyCursorShown() const { return keyShown_; }
    // The pile under the cursor and the position of its card (0-based from the bottom; -1
    // for an empty pile).
    PileRef KeyCursorPile() const { return keyPile_; }
    int KeyCursorPosition() const;
    bool KeyHolding() const { return drag_ && drag_->keyboard; }
    // What the cursor is on, in words: "Seven of Hearts, Tableau 3".
    QString KeyCursorDescription() const;

  signals:
    // The table changed by a gesture of the player (score, undo commands).
    void played();
    // A drag came near the top (-1) or the bottom (1) of the table: one large step of the
    // scroll bar that way.
    void scrollRequested(int direction);

  private slots:
    void press(const QPoint& at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void move(const QPoint& at);
    void release(const QPoint& at, Qt::MouseButton button);
    void doubleClick(const QPoint& at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Drag {
        PileRef pile;
        int position = 0;
        QPoint grip; // pointer minus the top-left corner of the lifted card
        QPoint pressAt;
        QPoint origin; // where the lifted card lay, table coordinates
        QPoint at;     // the pointer's last place
        bool moved = false;
        QSize cardSize;
        QImage image;
        bool keyboard = false; // picked up with the keyboard, not the pointer
    };

    // Input the table held back: a release or a move of a button whose press it took.
    struct Pending {
        bool release = false;
        QPoint at;
        Qt::MouseButton button = Qt::NoButton;
    };
    // Something runs that the pointer must not interrupt: a flight, the deal, the winning
    // animation, or one of the table's own handlers further up the stack.
    bool inputHeld() const;
    // Plays the held-back input once nothing holds it any more.
    void resumeInput();
    void playPending();
    // Whether an input event is aimed at the table's window (other windows, the demo window
    // among them, stay live during animations).
    bool aimedAtTable(QObject* watched) const;
    friend class HoldInput;

    void present();
    // Hands the view the table: the picture while one is kept, else the renderer.
    void showTable(bool repaintAll);
    // Holds the cards of `pile` from `position` up (shown as `image`): the pile is drawn
    // without them while they float where they lay. Answers the new drag state.
    Drag& lift(PileRef pile, int position, const QImage& image);
    // The pile as drawn while the cards from `position` up are held: in the gap rows the
    // lifted card's place shows as a gap, elsewhere the pile ends below them.
    std::string withoutLifted(PileRef pile, int position) const;
    // The gap-row games: a press lifts the card of a row alone; a release puts it into the
    // gap it overlaps most that takes it.
    void pressRow(const PileHit& hit, const QPoint& at);
    bool dropIntoGap(const Drag& drag, const QRect& dragged);
    void sendCard(const PileHit& hit, bool toFoundations, bool toTableaus);
    void afterMouseUp();
    // A left click of the pairing games on a pile that selects.
    void selectCard(PileRef pile, int position = -1);
    void showDragCursor(bool dragging);
    int scrollY() const;
    // A right press on a partly covered face-up card shows it whole; false for other cards.
    bool revealCovered(const PileHit& hit);
    // Redraws every pile whose cards differ from what was drawn.
    void syncPiles();
    QImage cardImage(int card) const;
    // Where the next card of a pile would lie, in window coordinates.
    QPoint NextPlace(PileRef pile) const;
    int speed() const;
    std::vector<PileRef> dropCandidates(const QRect& dragged) const;
    QImage groupImage(PileRef pile, int position) const;
    std::optional<PileHit> hitAt(const QPoint& at) const;
    std::vector<PileRef> placedPiles() const;
    void flyImage(const QImage& image, QPoint from, QPoint to, bool deal);
    void pause(int ms);
    std::string& drawn(PileRef pile);

    // Keyboard play (table_keyboard.cpp).
    void moveKeyCursor(int dx, int dy);
    void stepKeyCursor(int step);
    void keyActivate();
    void keyPickUp(int position);
    void keyDrop();
    void keySendHome();
    void keyStockClick();
    void putBackHeld();
    void floatHeld(const QPoint& at);
    // Held cards float over the place under the cursor (a place of a gap row) or next to
    // the pile's top card.
    void floatOverKeyCursor();
    void refreshKeyCursor();
    QRect keyCursorRect() const;
    QRect pileAnchor(PileRef pile) const;

    GameContext& ctx_;
    CardImages cards_;
    TablePainter painter_;
    TableView* view_;
    std::optional<Drag> drag_;
    bool stockPressed_ = false;
    bool dealing_ = false;
    bool celebrating_ = false;
    bool flying_ = false;
    bool dropping_ = false;
    // A card dropped into a gap flies on from here (window coordinates) to its place.
    std::optional<QPoint> gapDropAt_;
    bool revealing_ = false;
    int handling_ = 0;
    bool replayPosted_ = false;
    std::vector<Pending> pending_;
    bool stockDrawnPressed_ = false;
    bool dragCursorShown_ = false;
    std::optional<QCursor> tableCursor_;
    std::optional<QCursor> dragCursor_;
    std::optional<WinPattern> lastWinPattern_;
    std::string cardsKey_;
    PileRef keyPile_ = pile::Stock(kMazzo);
    int keyPosition_ = -1; // -1: the top card, whatever the pile holds
    bool keyShown_ = false;
    // The pile strings as last drawn, so that a pile's redraw erases what left it.
    PileGroups drawn_;
};

} // namespace quendra
