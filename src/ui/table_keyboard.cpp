// Keyboard play on the card table: a cursor over the piles, picking up and dropping with
// Enter or Space, sending home and dealing by key. Every move goes through the same engine
// functions as the mouse's.

#include "families_gaps.h"
#include "game_context.h"
#include "game_params.h"
#include "layout.h"
#include "moves.h"
#include "pick_up.h"
#include "pointer.h"
#include "table_play_hold.h"
#include "table_view.h"

#include <QAccessible>
#include <QKeyEvent>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace quendra {

namespace {

// The lifted cards float this far up and to the left of the place they would land on.
constexpr int kKeyLift = 8;

bool FaceUp(const GameContext& ctx, int card) {
    return card > 0 && ctx.cardTable.Face(card) != '0';
}

// The rows of the gap games: the cursor goes to every place of a row, a gap too.
bool PlacesOfARow(const GameContext& ctx, PileRef pile) {
    return pile.group == PileGroupId::Fila && IsGapRowsGame(ctx);
}

QString PileWords(PileRef pile) {
    switch (pile.group) {
    case PileGroupId::Stock:
        if (pile.index == kMazzo) return QStringLiteral("Stock");
        if (pile.index == kMazzoVis) return QStringLiteral("Waste");
        return QStringLiteral("Discard pile");
    case PileGroupId::Dest:
        return QStringLiteral("Foundation %1").arg(pile.index + 1);
    case PileGroupId::Fila:
        return QStringLiteral("Tableau %1").arg(pile.index + 1);
    case PileGroupId::Appogg:
        return QStringLiteral("Reserve %1").arg(pile.index + 1);
    }
    return {};
}

} // namespace

int TablePlay::KeyCursorPosition() const {
    const std::string& cards = ctx_.table.Pile(keyPile_);
    const int count = PileCardCount(cards);
    if (count == 0) return -1;
    if (keyPosition_ < 0 || keyPosition_ >= count) return count - 1;
    if (PlacesOfARow(ctx_, keyPile_)) return keyPosition_;
    // A card that was turned face down again (an undo) is no place for the cursor.
    int position = keyPosition_;
    while (position < count - 1 && !FaceUp(ctx_, PileCardAt(cards, position)))
        ++position;
    return position;
}

QString TablePlay::KeyCursorDescription() const {
    const int position = KeyCursorPosition();
    const QString where = PileWords(keyPile_);
    if (position < 0) return QStringLiteral("Empty, %1").arg(where);
    const int card = PileCardAt(ctx_.table.Pile(keyPile_), position);
    if (card == 0 && PlacesOfARow(ctx_, keyPile_)) return QStringLiteral("Gap, %1").arg(where);
    if (!FaceUp(ctx_, card)) return QStringLiteral("Face-down card, %1").arg(where);
    return QStringLiteral("%1, %2").arg(QString::fromStdString(fnCardName(ctx_, card)), where);
}

QRect TablePlay::pileAnchor(PileRef pile) const {
    // Where the pile's first card lies: piles of a row share its top, columns its left.
    return QRect(PileRectInView(pile).topLeft(), QSize(cards_.CardWidth(), cards_.CardHeight()));
}

QRect TablePlay::keyCursorRect() const {
    if (!keyShown_ || !HasGame()) return {};
    const int position = KeyCursorPosition();
    if (position < 0) return pileAnchor(keyPile_);
    // A place of a gap row holds one card or none.
    if (PlacesOfARow(ctx_, keyPile_)) return CardRectInView(keyPile_, position);
    // The card under the cursor and the cards lying on it: what Enter picks up.
    const int count = PileCardCount(ctx_.table.Pile(keyPile_));
    QRect frame;
    for (int i = position; i < count; ++i)
        frame |= CardRectInView(keyPile_, i);
    return frame;
}

void TablePlay::refreshKeyCursor() {
    if (keyShown_ && HasGame() && PileRect(ctx_, keyPile_, painter_.Options()).Empty()) {
        // The pile is not on this game's table: the cursor starts again on the first pile.
        const std::vector<PileRef> piles = placedPiles();
        if (!piles.empty()) keyPile_ = piles.front();
        keyPosition_ = -1;
    }
    view_->setKeyCursor(keyCursorRect());
}

bool TablePlay::KeyPress(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers chord =
        modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (chord) return false; // the menus' shortcuts
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_H:
    case Qt::Key_D:
        break;
    case Qt::Key_Escape:
        if (!KeyHolding()) return false;
        break;
    default:
        return false;
    }
    if (!HasGame()) return false;
    if (inputHeld()) return true;
    const HoldInput handling(*this);
    // The first key of the cursor only shows it where it was.
    const bool wasShown = keyShown_;
    keyShown_ = true;
    const bool plays = ctx_.flags[GameStateFlags::kInPlay] && !ctx_.play.busy &&
                       !DemonstrationPlaying(ctx_);
    switch (key) {
    case Qt::Key_Left:
        if (wasShown) moveKeyCursor(-1, 0);
        break;
    case Qt::Key_Right:
        if (wasShown) moveKeyCursor(1, 0);
        break;
    case Qt::Key_Up:
        if (wasShown) moveKeyCursor(0, -1);
        break;
    case Qt::Key_Down:
        if (wasShown) moveKeyCursor(0, 1);
        break;
    case Qt::Key_Tab:
        if (wasShown) stepKeyCursor((modifiers & Qt::ShiftModifier) ? -1 : 1);
        break;
    case Qt::Key_Backtab:
        if (wasShown) stepKeyCursor(-1);
        break;
    case Qt::Key_Escape:
        putBackHeld();
        break;
    default:
        // Enter, Space, H and D play.
        if (!plays) {
            ctx_.host.Beep();
            break;
        }
        if (key == Qt::Key_H)
            keySendHome();
        else if (key == Qt::Key_D)
            keyStockClick();
        else
            keyActivate();
        break;
    }
    refreshKeyCursor();
    // A screen reader reads the card under the cursor.
    view_->setAccessibleDescription(KeyCursorDescription());
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(view_, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
    return true;
}

void TablePlay::moveKeyCursor(int dx, int dy) {
    // In the gap rows Left and Right go along the places of a row, Up and Down to the same
    // place of the row above or below; past the rows, to the nearest pile as elsewhere.
    if (PlacesOfARow(ctx_, keyPile_)) {
        const int position = std::max(0, KeyCursorPosition());
        const int row = keyPile_.index + dy;
        if (dx != 0 && position + dx >= 0 &&
            position + dx < PileCardCount(ctx_.table.Pile(keyPile_))) {
            keyPosition_ = position + dx;
            floatOverKeyCursor();
            return;
        }
        if (dy != 0 && row >= 0 && row < TableauCount(ctx_) &&
            PileCardCount(ctx_.table.Pile(pile::Fila(row))) > 0) {
            keyPile_ = pile::Fila(row);
            keyPosition_ = std::min(position, PileCardCount(ctx_.table.Pile(keyPile_)) - 1);
            floatOverKeyCursor();
            return;
        }
    }
    // Up and down go along the pile's face-up cards first.
    if (dy != 0 && !KeyHolding()) {
        const std::string& cards = ctx_.table.Pile(keyPile_);
        const int count = PileCardCount(cards);
        const int position = KeyCursorPosition();
        const int next = position + dy;
        if (position >= 0 && next >= 0 && next < count && FaceUp(ctx_, PileCardAt(cards, next)) &&
            keyPile_.group != PileGroupId::Stock) {
            keyPosition_ = next == count - 1 ? -1 : next;
            return;
        }
    }
    // Then to the nearest pile that way: the one least off the line counts most.
    const QPoint from = pileAnchor(keyPile_).center();
    std::optional<PileRef> best;
    long long bestScore = LLONG_MAX;
    for (PileRef pile : placedPiles()) {
        if (pile == keyPile_) continue;
        const QPoint to = pileAnchor(pile).center();
        const int along = dx != 0 ? (to.x() - from.x()) * dx : (to.y() - from.y()) * dy;
        const int across = dx != 0 ? std::abs(to.y() - from.y()) : std::abs(to.x() - from.x());
        if (along <= 0) continue;
        const long long score = along + 3LL * across;
        if (score < bestScore) {
            bestScore = score;
            best = pile;
        }
    }
    if (!best) return;
    keyPile_ = *best;
    // Going up into a pile lands on its top card; going down from above too.
    keyPosition_ = -1;
    floatOverKeyCursor();
}

void TablePlay::floatOverKeyCursor() {
    if (!KeyHolding()) return;
    const int position = KeyCursorPosition();
    const QPoint place = PlacesOfARow(ctx_, keyPile_) && position >= 0
                             ? CardRectInView(keyPile_, position).topLeft()
                             : NextPlace(keyPile_);
    floatHeld(place - QPoint(kKeyLift, kKeyLift));
}

void TablePlay::stepKeyCursor(int step) {
    std::vector<PileRef> piles = placedPiles();
    if (piles.empty()) return;
    // Reading order: row by row (piles whose first cards are less than half a card apart
    // share a row), left to right.
    const int rowHeight = std::max(1, cards_.CardHeight() / 2);
    std::stable_sort(piles.begin(), piles.end(), [&](PileRef a, PileRef b) {
        const QRect ra = pileAnchor(a), rb = pileAnchor(b);
        if (std::abs(ra.top() - rb.top()) >= rowHeight) return ra.top() < rb.top();
        return ra.left() < rb.left();
    });
    const auto at = std::find(piles.begin(), piles.end(), keyPile_);
    const int index = at == piles.end() ? -1 : static_cast<int>(at - piles.begin());
    const int count = static_cast<int>(piles.size());
    const int next = index < 0 ? (step > 0 ? 0 : count - 1) : ((index + step) % count + count) % count;
    keyPile_ = piles[static_cast<std::size_t>(next)];
    keyPosition_ = -1;
    floatOverKeyCursor();
}

void TablePlay::keyActivate() {
    if (KeyHolding()) {
        keyDrop();
        return;
    }
    if (keyPile_ == pile::Stock(kMazzo)) {
        keyStockClick();
        return;
    }
    const int position = KeyCursorPosition();
    if (position < 0) {
        ctx_.host.Beep();
        return;
    }
    if (fnClickSelects(ctx_, keyPile_)) {
        selectCard(keyPile_, position);
        return;
    }
    if (PlacesOfARow(ctx_, keyPile_)) {
        // A card of a row is lifted alone, as the pointer lifts it.
        const int card = PileCardAt(ctx_.table.Pile(keyPile_), position);
        if (card < 1 || !CanLiftFromRow(ctx_, keyPile_, position)) {
            ctx_.host.Beep();
            return;
        }
        fnHoldCard(ctx_, keyPile_, card, 1);
        lift(keyPile_, position, cardImage(card)).keyboard = true;
        floatOverKeyCursor();
        return;
    }
    if (ctx_.Param(param::kClickToMove) == 1 && CanPickUp(ctx_, keyPile_, position).allowed) {
        PileHit hit;
        hit.pile = keyPile_;
        hit.position = position;
        hit.card = PileCardAt(ctx_.table.Pile(keyPile_), position);
        sendCard(hit, true, true);
        return;
    }
    keyPickUp(position);
}

void TablePlay::keyPickUp(int position) {
    const PileRef pile = keyPile_;
    const TableState before = CaptureTableState(ctx_);
    const QImage image = groupImage(pile, position);
    if (!fnPickUpCard(ctx_, pile, position)) {
        // A face-down top card is turned; any other card cannot be lifted.
        if (CaptureTableState(ctx_) == before) {
            ctx_.host.Beep();
            return;
        }
        RedrawPile(pile);
        afterMouseUp();
        return;
    }
    lift(pile, position, image).keyboard = true;
    floatHeld(CardRectInView(pile, position).topLeft() - QPoint(kKeyLift, kKeyLift));
}

void TablePlay::floatHeld(const QPoint& at) {
    // Kept as the pointer's place, so that a flight meanwhile puts the cards back there.
    drag_->at = at;
    drag_->grip = QPoint(0, 0);
    view_->moveFloating(at);
}

void TablePlay::keyDrop() {
    const PileRef from = drag_->pile;
    if (IsGapRowsGame(ctx_)) {
        // Into the gap under the cursor, by the rule the pointer's drop asks.
        const int place = KeyCursorPosition();
        if (keyPile_ == from && place == drag_->position) {
            putBackHeld();
            return;
        }
        if (!PlacesOfARow(ctx_, keyPile_) ||
            !CanFillGap(ctx_, from, drag_->position, keyPile_, place)) {
            ctx_.host.Beep();
            return;
        }
        const int card = PileCardAt(ctx_.table.Pile(from), drag_->position);
        view_->clearFloating();
        // The card flies from where it floated into the gap.
        gapDropAt_ = drag_->at;
        fnDoMove(ctx_, card, GapFillAction(keyPile_, place));
        gapDropAt_.reset();
        fnClearDrag(ctx_);
        drag_.reset();
        RedrawPile(from);
        afterMouseUp();
        return;
    }
    if (keyPile_ == from) {
        putBackHeld();
        return;
    }
    if (!CanDropHeldCard(ctx_, keyPile_)) {
        // Refused: the cards stay held, as they do over a pile the pointer cannot drop on.
        ctx_.host.Beep();
        return;
    }
    const PileRef to = keyPile_;
    {
        Raised quiet(dropping_);
        fnTryDrop(ctx_, std::span<const PileRef>(&to, 1));
    }
    fnClearDrag(ctx_);
    drag_.reset();
    view_->clearFloating();
    RedrawPile(from);
    keyPosition_ = -1;
    afterMouseUp();
}

void TablePlay::putBackHeld() {
    if (!KeyHolding()) return;
    const PileRef pile = drag_->pile;
    fnClearDrag(ctx_);
    drag_.reset();
    view_->clearFloating();
    RedrawPile(pile);
}

void TablePlay::keySendHome() {
    if (KeyHolding()) putBackHeld();
    const int position = KeyCursorPosition();
    if (position < 0) {
        ctx_.host.Beep();
        return;
    }
    PileHit hit;
    hit.pile = keyPile_;
    hit.position = position;
    hit.card = PileCardAt(ctx_.table.Pile(keyPile_), position);
    sendCard(hit, true, false);
    keyPosition_ = -1;
}

void TablePlay::keyStockClick() {
    if (KeyHolding()) putBackHeld();
    if (PileRect(ctx_, pile::Stock(kMazzo), painter_.Options()).Empty()) {
        ctx_.host.Beep();
        return;
    }
    // A press and its release, as a click of the pointer on the stock.
    fnStockPress(ctx_);
    syncPiles();
    fnStockRelease(ctx_);
    syncPiles();
    afterMouseUp();
}

} // namespace quendra
