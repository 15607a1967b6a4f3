#include "table_play.h"

#include "cards.h"
#include "families.h"
#include "families_gaps.h"
#include "flight_deal.h"
#include "game_context.h"
#include "game_params.h"
#include "layout.h"
#include "moves.h"
#include "pick_up.h"
#include "pointer.h"
#include "score.h"
#include "settings.h"
#include "stock.h"
#include "table_play_hold.h"
#include "table_view.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>

#include <QApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

namespace quendra {

namespace {

constexpr int kMaxDropCandidates = 4;
// A drag this close to the top or the bottom of the table scrolls it.
constexpr int kScrollEdge = 5;
// Room left under the lowest card of a table taller than the view.
constexpr int kBottomMargin = 30;
// The foundation area repainted around a card that landed on it.
constexpr int kFoundationRepaint = 15;

QRect ToQRect(const TableRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// The picture of the card at `position` of `pile` as it lies: a card of the quilt lying
// sideways is turned a quarter to the right.
QImage AsItLies(const GameContext& ctx, PileRef pile, int position, const QImage& picture) {
    if (!CardLiesSideways(ctx, pile, position)) return picture;
    QImage turned = picture.transformed(QTransform().rotate(90));
    turned.setDevicePixelRatio(picture.devicePixelRatio());
    return turned;
}

// The presses an animation discards (or, the winning animation, takes as "stop").
bool IsPress(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
        return true;
    default:
        return false;
    }
}

} // namespace

TablePlay::TablePlay(GameContext& ctx, const ImagesModule& module, TableView* view)
    : QObject(view), ctx_(ctx), cards_(module), painter_(ctx, module, cards_), view_(view) {
    // The table is drawn straight into the window's repaints: no picture of the window's
    // size besides the window's own.
    painter_.KeepPicture(false);
    connect(view, &TableView::tablePressed, this, &TablePlay::press);
    connect(view, &TableView::tableMoved, this, &TablePlay::move);
    connect(view, &TableView::tableReleased, this, &TablePlay::release);
    connect(view, &TableView::tableDoubleClicked, this, &TablePlay::doubleClick);
    // Input is held back while cards fly and stops the winning animation.
    qApp->installEventFilter(this);
}

void TablePlay::LoadCards() {
    cards_.LoadCardImages(ctx_.settings);
    cardsKey_ = GetSetting(ctx_.settings, field::kCardSize) +
                GetSetting(ctx_.settings, field::kCardSet) +
                GetSetting(ctx_.settings, field::kBackCard);
}

bool TablePlay::HasGame() const {
    return !GetSetting(ctx_.settings, field::kGameNumber).empty() && ctx_.Param(param::kDeckSize) != 0;
}

void TablePlay::Layout() {
    const std::string key = GetSetting(ctx_.settings, field::kCardSize) +
                            GetSetting(ctx_.settings, field::kCardSet) +
                            GetSetting(ctx_.settings, field::kBackCard);
    if (key != cardsKey_) LoadCards();
    const qreal dpr = view_->renderRatio();
    painter_.Resize(std::max(1, view_->tableWidth()), std::max(1, view_->tableHeight()), dpr);
    RedrawAll();
}

void TablePlay::RedrawAll() {
    // The winning animation's trail lives in the picture; everything else is drawn from the
    // table.
    if (!celebrating_) painter_.KeepPicture(false);
    if (!HasGame()) {
        view_->setTableImage(QImage());
        view_->setKeyCursor({});
        return;
    }
    const int width = std::max(1, view_->tableWidth());
    const auto resize = [&](int height) {
        if (painter_.Size() != QSize(width, height))
            painter_.Resize(width, height, view_->renderRatio());
    };
    resize(TableHeight());
    // Cards held by the pointer are not drawn on their pile.
    std::optional<std::string> held;
    if (drag_) {
        held = ctx_.table.Pile(drag_->pile);
        ctx_.table.Pile(drag_->pile) = withoutLifted(drag_->pile, drag_->position);
    }
    // The whole drawing starts from the top of the table; the view keeps its scroll position.
    const std::int16_t scroll = ctx_.mainGame.ScrollY();
    painter_.DrawTable();
    if (painter_.LowestDrawnEdge() > painter_.Size().height()) {
        // The cards reach below the picture: a taller one, drawn again.
        resize(TableHeight());
        painter_.DrawTable();
    }
    ctx_.mainGame.ScrollY() = scroll;
    drawn_ = ctx_.table;
    if (held) ctx_.table.Pile(drag_->pile) = *held;
    painter_.TakeDirty();
    view_->setScrollY(scroll);
    showTable(true);
    refreshKeyCursor();
}

void TablePlay::showTable(bool repaintAll) {
    if (painter_.KeepsPicture())
        view_->setTableImage(painter_.TableBuffer(), repaintAll);
    else
        view_->setTableRenderer([this](QPainter& p, const QRect& area) { RenderTable(p, area); },
                                painter_.Size(), painter_.DevicePixelRatio(), repaintAll);
}

void TablePlay::RenderTable(QPainter& target, const QRect& tableArea) {
    if (painter_.KeepsPicture()) {
        target.save();
        target.setClipRect(tableArea, Qt::IntersectClip);
        target.drawImage(QPoint(0, 0), painter_.TableBuffer());
        target.restore();
        return;
    }
    // The piles as last drawn: the table may already hold a move whose cards are still on
    // their way.
    std::swap(ctx_.table, drawn_);
    painter_.Render(target, tableArea);
    std::swap(ctx_.table, drawn_);
}

int TablePlay::TableHeight() const {
    const int view = std::max(1, view_->tableHeight());
    const int lowest = painter_.LowestDrawnEdge();
    return lowest > view ? lowest + kBottomMargin : view;
}

int TablePlay::scrollY() const {
    return ctx_.mainGame.values[TMainGame::kScrollY];
}

std::string& TablePlay::drawn(PileRef pile) {
    return drawn_.Pile(pile);
}

void TablePlay::RedrawPile(PileRef pile) {
    if (!HasGame() || painter_.Size().isEmpty()) return;
    const std::string old = drawn(pile);
    painter_.RedrawChangedPile(pile, old);
    painter_.RedrawFoundationLabels(pile);
    drawn(pile) = ctx_.table.Pile(pile);
    present();
}

void TablePlay::syncPiles() {
    for (PileRef pile : placedPiles())
        if (ctx_.table.Pile(pile) != drawn(pile)) RedrawPile(pile);
}

void TablePlay::present() {
    showTable(false);
    for (const QRect& rect : painter_.TakeDirty())
        view_->updateTableRect(rect);
    refreshKeyCursor();
}

std::vector<PileRef> TablePlay::placedPiles() const {
    std::vector<PileRef> piles;
    auto add = [&](PileRef pile) {
        if (!PileRect(ctx_, pile, painter_.Options()).Empty()) piles.push_back(pile);
    };
    for (int i = 0; i < kStockPiles; ++i)
        add(pile::Stock(i));
    for (int i = 0; i < FoundationCount(ctx_); ++i)
        add(pile::Dest(i));
    for (int i = 0; i < TableauCount(ctx_); ++i)
        add(pile::Fila(i));
    for (int i = 0; i < ReserveCount(ctx_); ++i)
        add(pile::Appogg(i));
    return piles;
}

std::optional<PileHit> TablePlay::hitAt(const QPoint& at) const {
    const int scroll = ctx_.mainGame.values[TMainGame::kScrollY];
    return PileUnderPoint(ctx_, {at.x(), at.y() + scroll}, painter_.Options());
}

QRect TablePlay::PileRectInView(PileRef pile) const {
    const int scroll = ctx_.mainGame.values[TMainGame::kScrollY];
    return ToQRect(PileRect(ctx_, pile, painter_.Options())).translated(0, -scroll);
}

QRect TablePlay::CardRectInView(PileRef pile, int position) const {
    const std::vector<TablePoint> places = painter_.Positions(pile);
    if (places.empty()) return PileRectInView(pile);
    const int scroll = ctx_.mainGame.values[TMainGame::kScrollY];
    const int at = position < 0 || position >= static_cast<int>(places.size())
                       ? static_cast<int>(places.size()) - 1
                       : position;
    const TableRect r = CardRectAt(ctx_, pile, at, places[static_cast<std::size_t>(at)]);
    return QRect(r.left, r.top - scroll, r.Width(), r.Height());
}

QImage TablePlay::cardImage(int card) const {
    const qreal dpr = painter_.DevicePixelRatio();
    if (card > 0 && ctx_.cardTable.Face(card) == '0') return cards_.Back(dpr);
    return cards_.Card(CardImageNumber(card), dpr);
}

QImage TablePlay::groupImage(PileRef pile, int position) const {
    const std::string& cards = ctx_.table.Pile(pile);
    const std::vector<TablePoint> places = painter_.Positions(pile);
    const int count = std::min(PileCardCount(cards), static_cast<int>(places.size()));
    if (position < 0 || position >= count) return {};
    const TablePoint origin = places[static_cast<std::size_t>(position)];
    QRect bounds;
    for (int i = position; i < count; ++i) {
        const TablePoint p = places[static_cast<std::size_t>(i)];
        bounds |= QRect(p.x - origin.x, p.y - origin.y, cards_.CardWidth(), cards_.CardHeight());
    }
    const qreal dpr = painter_.DevicePixelRatio();
    QImage image(bounds.size() * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    QPainter paint(&image);
    for (int i = position; i < count; ++i) {
        const TablePoint p = places[static_cast<std::size_t>(i)];
        const int card = PileCardAt(cards, i);
        if (card < 1) continue;
        paint.drawImage(
            QRect(p.x - origin.x, p.y - origin.y, cards_.CardWidth(), cards_.CardHeight()),
            cardImage(card));
    }
    return image;
}

// Mouse play.

void TablePlay::press(const QPoint& at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    // A release still waiting belongs to the press before this one.
    playPending();
    // The pointer takes over from the keyboard: its cursor goes until a key brings it back.
    if (keyShown_) {
        keyShown_ = false;
        refreshKeyCursor();
    }
    // A left press while the table still holds a left press: its release never reached us
    // (it went to another window, or the button came up outside every window). What that
    // press held is let go, so that it cannot swallow this gesture's release.
    // Cards held by the keyboard go back at any press of the pointer.
    if ((button == Qt::LeftButton && (drag_ || stockPressed_)) || KeyHolding()) CancelGesture();
    if (!HasGame() || !ctx_.flags[GameStateFlags::kInPlay] || drag_) return;
    const HoldInput handling(*this);
    if (ctx_.play.busy || DemonstrationPlaying(ctx_)) {
        ctx_.host.Beep();
        return;
    }
    const std::optional<PileHit> hit = hitAt(at);
    if (button == Qt::RightButton) {
        if (modifiers & Qt::ControlModifier) return; // the popup menu
        if (hit && revealCovered(*hit)) return;
        if (hit && hit->card > 0)
            sendCard(*hit, GetSetting(ctx_.settings, field::kRightClickToFoundations) != "N",
                     GetSetting(ctx_.settings, field::kRightClickToTableaus) != "N");
        return;
    }
    if (button != Qt::LeftButton || !hit) return;
    if (ctx_.Param(param::kClickToMove) == 1 && hit->card > 0 && hit->pile != pile::Stock(kMazzo)) {
        // A card that could be lifted goes where it can; a face-down card is turned as ever.
        const int at =
            hit->position < 0 ? PileCardCount(ctx_.table.Pile(hit->pile)) - 1 : hit->position;
        if (CanPickUp(ctx_, hit->pile, at).allowed) {
            sendCard(*hit, true, true);
            return;
        }
    }
    if (fnClickSelects(ctx_, hit->pile)) {
        selectCard(hit->pile, hit->position);
        return;
    }
    if (hit->pile == pile::Stock(kMazzo)) {
        stockPressed_ = true;
        fnStockPress(ctx_);
        syncPiles();
        // An operation armed at the press waits for the release with the stock held down.
        DrawStockPressed(ctx_.play.stockPending);
        return;
    }
    if (IsGapRowsGame(ctx_)) {
        pressRow(*hit, at);
        return;
    }
    const PileRef pile = hit->pile;
    const int position =
        hit->position < 0 ? PileCardCount(ctx_.table.Pile(pile)) - 1 : hit->position;
    const QImage image = groupImage(pile, position);
    const TableState before = CaptureTableState(ctx_);
    if (!fnPickUpCard(ctx_, pile, position)) {
        // A face-down card may have been turned, or the card sent to the discard pile.
        RedrawPile(pile);
        if (CaptureTableState(ctx_) == before)
            emit played();
        else
            afterMouseUp();
        return;
    }
    // The rules may lift more than the card pressed (a pile of Accordion is lifted whole):
    // the drag holds what they lifted.
    int held = position;
    for (int k = 0; k < PileCardCount(ctx_.table.Pile(pile)); ++k)
        if (PileCardAt(ctx_.table.Pile(pile), k) == ctx_.play.draggedCard) held = k;
    // A card lifted alone from the middle of a pile (Labyrinth) is dragged alone.
    // A card of the quilt lying sideways is dragged as it lay.
    const QImage dragged = AsItLies(ctx_, pile, held,
                                    ctx_.play.singleCard && pile.group == PileGroupId::Fila
                                        ? cardImage(PileCardAt(ctx_.table.Pile(pile), held))
                                    : held == position ? image
                                                       : groupImage(pile, held));
    Drag& drag = lift(pile, held, dragged);
    drag.grip = at - CardRectInView(pile, held).topLeft();
    drag.pressAt = at;
    drag.at = at;
}

TablePlay::Drag& TablePlay::lift(PileRef pile, int position, const QImage& image) {
    const QRect cardRect = CardRectInView(pile, position);
    Drag drag;
    drag.pile = pile;
    drag.position = position;
    drag.origin = cardRect.topLeft() + QPoint(0, scrollY());
    drag.cardSize = cardRect.size();
    drag.image = image;
    drag_ = drag;
    // The pile is drawn without the lifted cards while they float where they lay.
    const std::string whole = ctx_.table.Pile(pile);
    ctx_.table.Pile(pile) = withoutLifted(pile, position);
    RedrawPile(pile);
    ctx_.table.Pile(pile) = whole;
    view_->setFloating(image, cardRect.topLeft(), ShadowOffset(ctx_));
    return *drag_;
}

std::string TablePlay::withoutLifted(PileRef pile, int position) const {
    std::string cards = ctx_.table.Pile(pile);
    // The gap rows and the rows of Labyrinth show a gap where the lifted card lay.
    const bool leavesGap = IsGapRowsGame(ctx_) || CurrentFamilyRules(ctx_).tableauCardFree;
    if (leavesGap && position >= 0 && position < PileCardCount(cards))
        return cards.replace(static_cast<std::size_t>(position) * 3, 3, CardCode(0));
    return cards.substr(0, static_cast<std::size_t>(std::max(position, 0)) * 3);
}

void TablePlay::pressRow(const PileHit& hit, const QPoint& at) {
    if (hit.card < 1 || !CanLiftFromRow(ctx_, hit.pile, hit.position)) {
        ctx_.host.Beep();
        return;
    }
    fnHoldCard(ctx_, hit.pile, hit.card, 1);
    Drag& drag = lift(hit.pile, hit.position, cardImage(hit.card));
    drag.grip = at - CardRectInView(hit.pile, hit.position).topLeft();
    drag.pressAt = at;
    drag.at = at;
}

bool TablePlay::dropIntoGap(const Drag& drag, const QRect& dragged) {
    std::vector<std::pair<long long, GapFill>> overlaps;
    for (int r = 0; r < TableauCount(ctx_); ++r) {
        const PileRef row = pile::Fila(r);
        const std::string& cards = ctx_.table.Pile(row);
        for (int place = 0; place < PileCardCount(cards); ++place) {
            if (PileCardAt(cards, place) != 0) continue;
            const QRect common = dragged & CardRectInView(row, place);
            if (common.isEmpty()) continue;
            overlaps.emplace_back(static_cast<long long>(common.width()) * common.height(),
                                  GapFill{drag.pile, drag.position, row, place});
        }
    }
    std::stable_sort(overlaps.begin(), overlaps.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [area, fill] : overlaps) {
        if (!CanFillGap(ctx_, fill.from, fill.position, fill.row, fill.place)) continue;
        const int card = PileCardAt(ctx_.table.Pile(fill.from), fill.position);
        // The card flies from where the pointer let it go into the gap.
        gapDropAt_ = dragged.topLeft();
        const bool moved = fnDoMove(ctx_, card, GapFillAction(fill.row, fill.place));
        gapDropAt_.reset();
        return moved;
    }
    return false;
}

void TablePlay::move(const QPoint& at) {
    if (inputHeld() && (drag_ || stockPressed_)) {
        // Only the last place matters: the moves are folded into one.
        if (!pending_.empty() && !pending_.back().release)
            pending_.back().at = at;
        else
            pending_.push_back({false, at, Qt::NoButton});
        return;
    }
    const HoldInput handling(*this);
    if (KeyHolding()) return;
    if (!drag_) {
        // Leaving the stock lets an armed stock operation go.
        if (stockPressed_ && ctx_.play.stockPending &&
            !PileRectInView(pile::Stock(kMazzo)).contains(at)) {
            fnStockClick(ctx_, StockClickPhase::Leave);
            DrawStockPressed(false);
        }
        return;
    }
    drag_->at = at;
    if ((at - drag_->pressAt).manhattanLength() > 0) drag_->moved = true;
    showDragCursor(true);
    // Near the top or the bottom of the table it scrolls, and the table is drawn again.
    if (at.y() < kScrollEdge)
        emit scrollRequested(-1);
    else if (at.y() >= view_->tableHeight() - kScrollEdge)
        emit scrollRequested(1);
    if (drag_) view_->moveFloating(at - drag_->grip);
}

void TablePlay::showDragCursor(bool dragging) {
    if (dragging == dragCursorShown_) return;
    dragCursorShown_ = dragging;
    const std::optional<QCursor>& cursor = dragging ? dragCursor_ : tableCursor_;
    if (cursor)
        view_->setCursor(*cursor);
    else
        view_->unsetCursor();
}

void TablePlay::SetCursors(const QCursor* table, const QCursor* drag) {
    tableCursor_ = table ? std::optional<QCursor>(*table) : std::nullopt;
    dragCursor_ = drag ? std::optional<QCursor>(*drag) : std::nullopt;
    const bool dragging = dragCursorShown_;
    dragCursorShown_ = !dragging;
    showDragCursor(dragging);
}

void TablePlay::DrawStockPressed(bool pressed) {
    if (pressed == stockDrawnPressed_) return;
    stockDrawnPressed_ = pressed;
    if (!pressed) {
        view_->clearFloating();
        return;
    }
    if (!HasGame() || painter_.Size().isEmpty()) return;
    // The stock sinks by a pixel and darkens while it is held down.
    const QRect place = PileRectInView(pile::Stock(kMazzo));
    const qreal dpr = painter_.DevicePixelRatio();
    QImage image(place.size() * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    {
        QPainter table(&image);
        const QRect inTable = place.translated(0, scrollY());
        table.translate(-inTable.topLeft());
        RenderTable(table, inTable);
    }
    {
        QPainter shade(&image);
        shade.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        shade.fillRect(QRect(QPoint(0, 0), place.size()), QColor(0, 0, 0, 80));
    }
    view_->setFloating(image, place.topLeft() + QPoint(1, 1), 0);
}

std::vector<PileRef> TablePlay::dropCandidates(const QRect& dragged) const {
    std::vector<std::pair<long long, PileRef>> overlaps;
    for (PileRef pile : placedPiles()) {
        if (drag_ && pile == drag_->pile) continue;
        const QRect common = dragged & PileRectInView(pile);
        if (common.isEmpty()) continue;
        overlaps.emplace_back(static_cast<long long>(common.width()) * common.height(), pile);
    }
    std::stable_sort(overlaps.begin(), overlaps.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<PileRef> piles;
    for (const auto& [area, pile] : overlaps) {
        if (static_cast<int>(piles.size()) == kMaxDropCandidates) break;
        piles.push_back(pile);
    }
    return piles;
}

bool TablePlay::revealCovered(const PileHit& hit) {
    if (GetSetting(ctx_.settings, field::kShowPartialHiddenCard) == "N") return false;
    const std::string& cards = ctx_.table.Pile(hit.pile);
    if (hit.card <= 0 || hit.position < 0 || hit.position >= PileCardCount(cards) - 1 ||
        ctx_.cardTable.Face(hit.card) == '0')
        return false;
    // The card shows whole until the button comes up.
    revealing_ = true;
    view_->setFloating(AsItLies(ctx_, hit.pile, hit.position, cardImage(hit.card)),
                       CardRectInView(hit.pile, hit.position).topLeft(), 0);
    return true;
}

void TablePlay::release(const QPoint& at, Qt::MouseButton button) {
    if (inputHeld()) {
        // The press was taken: its release is played as soon as the table is free.
        pending_.push_back({true, at, button});
        return;
    }
    const HoldInput handling(*this);
    if (button == Qt::RightButton && revealing_) {
        revealing_ = false;
        view_->clearFloating();
        return;
    }
    if (button != Qt::LeftButton) return;
    if (stockPressed_) {
        stockPressed_ = false;
        DrawStockPressed(false);
        fnStockRelease(ctx_);
        syncPiles();
        afterMouseUp();
        return;
    }
    if (!drag_ || drag_->keyboard) return;
    const Drag drag = *drag_;
    const QPoint dropAt = at - drag.grip;
    bool dropped = false;
    if (drag.moved) {
        if (IsGapRowsGame(ctx_)) {
            view_->clearFloating();
            dropped = dropIntoGap(drag, QRect(dropAt, drag.cardSize));
        } else {
            const std::vector<PileRef> candidates =
                dropCandidates(QRect(dropAt, drag.cardSize));
            Raised quiet(dropping_);
            dropped = !candidates.empty() && fnTryDrop(ctx_, candidates);
        }
    }
    fnClearDrag(ctx_);
    drag_.reset();
    showDragCursor(false);
    if (!dropped && drag.moved) {
        // The card goes back where it was taken from.
        view_->clearFloating();
        flyImage(drag.image, dropAt, drag.origin - QPoint(0, scrollY()), false);
    }
    view_->clearFloating();
    RedrawPile(drag.pile);
    syncPiles();
    afterMouseUp();
}

void TablePlay::afterMouseUp() {
    fnAfterMouseUp(ctx_);
    // The score follows the table (recomputed, so a move already scored is not counted twice).
    if (ctx_.flags[GameStateFlags::kInPlay]) fnComputeScore(ctx_);
    syncPiles();
    emit played();
}

void TablePlay::doubleClick(const QPoint& at, Qt::MouseButton button,
                            Qt::KeyboardModifiers modifiers) {
    playPending();
    if (!HasGame() || !ctx_.flags[GameStateFlags::kInPlay]) return;
    const std::optional<PileHit> hit = hitAt(at);
    const bool sends = button == Qt::LeftButton && hit && hit->card > 0 &&
                       hit->pile != pile::Stock(kMazzo) && !ctx_.play.busy &&
                       !DemonstrationPlaying(ctx_) && !drag_ && !stockPressed_;
    if (!sends) {
        // The second press of a quick double click is a press like any other: a second
        // click on the stock deals again, a right double click sends twice.
        press(at, button, modifiers);
        return;
    }
    const HoldInput handling(*this);
    const std::string before = ctx_.table.Pile(hit->pile);
    sendCard(*hit, GetSetting(ctx_.settings, field::kDoubleClickToFoundations) != "N",
             GetSetting(ctx_.settings, field::kDoubleClickToTableaus) == "Y");
    // A card that went nowhere: the press still counts, so that it gets its release.
    if (ctx_.table.Pile(hit->pile) == before) press(at, button, modifiers);
}

void TablePlay::selectCard(PileRef pile, int position) {
    if (fnSelectCard(ctx_, pile, position) == SelectOutcome::Refused) return;
    // The marks of the selection are part of the whole drawing.
    RedrawAll();
    afterMouseUp();
}

void TablePlay::sendCard(const PileHit& hit, bool toFoundations, bool toTableaus) {
    // Click-to-move games and the demonstration send wherever the card can go.
    if (ctx_.Param(param::kClickToMove) == 1 || ctx_.play.assistMode == 3)
        toFoundations = toTableaus = true;
    const int position =
        hit.position < 0 ? PileCardCount(ctx_.table.Pile(hit.pile)) - 1 : hit.position;
    if (fnSendCard(ctx_, hit.pile, position, toFoundations, toTableaus)) syncPiles();
    afterMouseUp();
}

// Animations on the event loop.

void TablePlay::pause(int ms) {
    // Even a wait of nothing runs the event loop for a moment, so that the picture is shown,
    // the timers fire and the player's keys and clicks are seen.
    QEventLoop loop;
    QTimer::singleShot(std::max(1, ms), &loop, &QEventLoop::quit);
    loop.exec();
}

int TablePlay::speed() const {
    return std::atoi(GetSetting(ctx_.settings, field::kSpeedMoveCard).c_str());
}

void TablePlay::flyImage(const QImage& image, QPoint from, QPoint to, bool deal) {
    if (image.isNull() || from == to) return;
    FlightRequest request;
    request.from = {from.x(), from.y()};
    request.to = {to.x(), to.y()};
    request.cardWidth = cards_.CardWidth();
    request.cardHeight = cards_.CardHeight();
    request.speedMoveCard = std::max(1, speed());
    request.deal = deal;
    // A demonstration flies its cards slowly enough to be followed.
    request.demonstration = DemonstrationPlaying(ctx_);
    request.demoStockRedealt = ctx_.play.passNumber > 1;
    const FlightPlan plan = PlanFlight(request);
    HoldInput busy(*this, flying_);
    view_->setFloating(image, from, 0);
    for (const FlightMove& step : plan.moves) {
        pause(step.waitBeforeMs);
        view_->moveFloating(QPoint(step.at.x, step.at.y));
    }
    view_->clearFloating();
    // A drag under way while the card flew: its cards float again where the pointer is.
    if (drag_) view_->setFloating(drag_->image, drag_->at - drag_->grip, ShadowOffset(ctx_));
}

void TablePlay::FlyCard(int card, PileRef from, PileRef to) {
    // A dropped card is already where the pointer left it.
    if (dropping_ || dealing_ || !HasGame() || !view_->isVisible()) return;
    // Without the animation the cards jump; so they seem to when a flight has no wait.
    if (GetSetting(ctx_.settings, field::kCardsAnimate) == "N" || speed() <= 0) return;
    // The card leaves from one step beyond the top of its old pile and lands on the top of
    // the new one (one step beyond it when the table does not show it there yet).
    QPoint start = NextPlace(from);
    QPoint end =
        PileTopCard(ctx_.table.Pile(to)) == card ? CardRectInView(to).topLeft() : NextPlace(to);
    if (IsGapRowsGame(ctx_)) {
        // In the gap rows a card goes from its place, or from where the pointer let it go,
        // to a place inside a row.
        const auto placeOf = [&](const std::string& cards) {
            for (int k = 0; k < PileCardCount(cards); ++k)
                if (PileCardAt(cards, k) == card) return k;
            return -1;
        };
        const int was = placeOf(drawn(from));
        if (gapDropAt_)
            start = *gapDropAt_;
        else if (was >= 0)
            start = CardRectInView(from, was).topLeft();
        if (const int now = placeOf(ctx_.table.Pile(to)); now >= 0)
            end = CardRectInView(to, now).topLeft();
    }
    flyImage(cardImage(card), start, end, false);
    // A card that landed on a foundation: the area around it is repainted.
    if (to.group == PileGroupId::Dest)
        view_->update(PileRectInView(to).adjusted(-kFoundationRepaint, -kFoundationRepaint,
                                                  kFoundationRepaint, kFoundationRepaint));
}

void TablePlay::ShowScoredLine(const std::vector<PileRef>& piles, const std::string& hand,
                               int points, int total) {
    if (!HasGame() || !view_->isVisible() || painter_.Size().isEmpty()) return;
    // The card dropped lies in its place: its picture no longer floats over the line.
    view_->clearFloating();
    painter_.ShowScoredLine(piles, hand, std::to_string(points) + " points",
                            ": " + std::to_string(total) + " points");
    present();
    pause(500);
    painter_.EndScoredLine();
    present();
}

QPoint TablePlay::NextPlace(PileRef pile) const {
    const std::vector<TablePoint> places = painter_.Positions(pile);
    QPoint at = CardRectInView(pile).topLeft();
    if (places.size() >= 2) {
        const TablePoint a = places[places.size() - 2], b = places.back();
        at += QPoint(b.x - a.x, b.y - a.y);
    }
    return at;
}

void TablePlay::AnimateDeal() {
    if (!HasGame() || !view_->isVisible() ||
        GetSetting(ctx_.settings, field::kDealAnimation) == "N")
        return;
    const std::optional<DealSource> source = ChooseDealSource(ctx_);
    if (!source) return;
    const std::vector<DealtCard> order = DealOrder(ctx_, *source);
    if (order.empty()) return;
    const TablePoint launch = DealLaunchPoint(ctx_, *source);
    const int scroll = ctx_.mainGame.values[TMainGame::kScrollY];
    const PileGroups whole = ctx_.table;
    HoldInput busy(*this, dealing_);
    for (const DealtCard& dealt : order)
        ctx_.table.Pile(dealt.pile).clear();
    RedrawAll();
    for (const DealtCard& dealt : order) {
        std::string& cards = ctx_.table.Pile(dealt.pile);
        cards = whole.Pile(dealt.pile).substr(0, static_cast<std::size_t>(dealt.position + 1) * 3);
        const QRect to = CardRectInView(dealt.pile, dealt.position);
        const QImage image =
            dealt.faceUp ? cards_.Card(CardImageNumber(dealt.card), painter_.DevicePixelRatio())
                         : cards_.Back(painter_.DevicePixelRatio());
        flyImage(image, QPoint(launch.x, launch.y - scroll), to.topLeft(), true);
        RedrawPile(dealt.pile);
    }
    ctx_.table = whole;
    RedrawAll();
}

namespace {

// The winning animation draws straight into the table picture.
class ViewSink : public WinAnimationSink {
  public:
    ViewSink(TablePainter& painter, TableView* view, int scrollY, std::function<void(int)> pause)
        : painter_(painter), view_(view), scrollY_(scrollY), pause_(std::move(pause)) {}
    std::int64_t NowMs() override { return QDateTime::currentMSecsSinceEpoch(); }
    void Draw(int card, TablePoint at) override {
        // The pattern throws in window coordinates; the table picture is the whole table.
        painter_.DrawCard(card, at.x, at.y + scrollY_, -1);
        view_->setTableImage(painter_.TableBuffer(), false);
        for (const QRect& rect : painter_.TakeDirty())
            view_->updateTableRect(rect);
        // A pattern that throws many cards without a pause still shows them and still
        // hears the key that stops it.
        if (NowMs() - lastYield_ >= kYieldMs) Wait(0);
    }
    void Wait(int ms) override {
        pause_(ms);
        lastYield_ = NowMs();
    }
    void ProcessMessages() override {
        QCoreApplication::processEvents();
        lastYield_ = NowMs();
    }

  private:
    TablePainter& painter_;
    TableView* view_;
    int scrollY_;
    std::function<void(int)> pause_;
    static constexpr std::int64_t kYieldMs = 20;
    std::int64_t lastYield_ = QDateTime::currentMSecsSinceEpoch();
};

} // namespace

int TablePlay::PlayWinningAnimation(const std::string& name, int seconds) {
    if (!HasGame() || !view_->isVisible()) return 0;
    constexpr int kDefaultSeconds = 30;
    std::string chosen = name.empty() ? ReadSettingString(ctx_, "Preference", "Winning_Animations",
                                                          kRandomWinPattern)
                                      : name;
    if (chosen.empty()) chosen = kRandomWinPattern;
    if (seconds < 0) {
        // A time that is no plain number counts as the default.
        const std::string stored = ReadSettingString(ctx_, "Preference", "Winning_Animations_Time",
                                                     std::to_string(kDefaultSeconds));
        const auto [end, error] =
            std::from_chars(stored.data(), stored.data() + stored.size(), seconds);
        if (error != std::errc() || end != stored.data() + stored.size() || stored.empty())
            seconds = kDefaultSeconds;
    }
    seconds = std::max(0, seconds);
    std::mt19937 engine(static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch()));
    RandomFn random = [&engine](int n) {
        return n < 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(engine);
    };
    // A name that is none of the patterns: the player turned the animation off.
    const std::optional<WinPattern> pattern = ChooseWinPattern(chosen, random);
    lastWinPattern_ = pattern;
    if (!pattern) return 0;
    WinArea area;
    area.width = view_->tableWidth();
    area.height = view_->tableHeight();
    area.cardWidth = cards_.CardWidth();
    area.cardHeight = cards_.CardHeight();
    area.speedMoveCard = std::max(1, speed());
    const std::unique_ptr<WinAnimation> animation = MakeWinAnimation(*pattern, area, random);
    ViewSink sink(painter_, view_, scrollY(), [this](int ms) { pause(ms); });
    HoldInput busy(*this, celebrating_);
    // The cards thrown stay where they fell: they are drawn into a picture of the table,
    // kept while the animation runs.
    painter_.KeepPicture(true);
    RedrawAll();
    const int drawn = RunWinAnimation(ctx_, *animation, sink, seconds);
    painter_.KeepPicture(false);
    RedrawAll();
    return drawn;
}

bool TablePlay::aimedAtTable(QObject* watched) const {
    const QWidget* window = view_->window();
    if (watched->isWidgetType()) return static_cast<QWidget*>(watched)->window() == window;
    if (watched->isWindowType()) return watched == static_cast<QObject*>(window->windowHandle());
    // Shortcuts go to actions, and the window's actions are the table's.
    return true;
}

bool TablePlay::eventFilter(QObject* watched, QEvent* event) {
    // Only presses are held back: a release or a move whose press was taken always reaches
    // the table, which plays it once it is free (see release()).
    if ((celebrating_ || dealing_ || flying_) && IsPress(event->type()) && aimedAtTable(watched)) {
        // A key or a click stops the winning animation; the deal and the flights ignore it.
        if (celebrating_ && event->type() != QEvent::ShortcutOverride &&
            event->type() != QEvent::Shortcut && event->type() != QEvent::Wheel)
            ctx_.flags[GameStateFlags::kAnimating] = 0;
        // Taken here, so that no shortcut of the window fires.
        if (event->type() == QEvent::ShortcutOverride) event->accept();
        return true;
    }
    // The keys of keyboard play, before the view's own handling (Tab would move the focus).
    if (watched == view_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (KeyPress(key->key(), key->modifiers())) return true;
    }
    return QObject::eventFilter(watched, event);
}

bool TablePlay::inputHeld() const {
    return dealing_ || flying_ || celebrating_ || handling_ > 0;
}

void TablePlay::resumeInput() {
    if (pending_.empty() || replayPosted_ || inputHeld()) return;
    // From the event loop, once the work that held the input has returned.
    replayPosted_ = true;
    QTimer::singleShot(0, this, [this] {
        replayPosted_ = false;
        playPending();
    });
}

void TablePlay::playPending() {
    while (!pending_.empty() && !inputHeld()) {
        const Pending next = pending_.front();
        pending_.erase(pending_.begin());
        if (next.release)
            release(next.at, next.button);
        else
            move(next.at);
    }
}

void TablePlay::CancelGesture() {
    if (revealing_) {
        revealing_ = false;
        view_->clearFloating();
    }
    if (stockPressed_) {
        stockPressed_ = false;
        if (ctx_.play.stockPending) fnStockClick(ctx_, StockClickPhase::Leave);
        DrawStockPressed(false);
    }
    if (drag_) {
        const PileRef pile = drag_->pile;
        fnClearDrag(ctx_);
        drag_.reset();
        showDragCursor(false);
        view_->clearFloating();
        RedrawPile(pile);
    }
    // What the cancelled press left waiting has no press to belong to any more.
    pending_.clear();
}

} // namespace quendra
