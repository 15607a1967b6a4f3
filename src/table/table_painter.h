#pragma once

#include "fan_geometry.h"
#include "game_context.h"
#include "images_cards.h"
#include "images_module.h"
#include "labels.h"

#include <functional>
#include <string>
#include <vector>

#include <QColor>
#include <QImage>
#include <QRect>

class QPainter;

namespace quendra {

// Draws the card table in table coordinates (window pixel (x, y) is table (x, y + ScrollY)).
// It carries a device pixel ratio so that a high-density window stays sharp. The background
// lies in window coordinates; every erase paints it afresh from what it is (a colour, the
// gradient, a picture tiled or not). Every routine records the table rectangles it changed;
// the window takes them with TakeDirty().
//
// By default the table is drawn into an off-screen picture, TableBuffer, that the window
// copies from. Without that picture (KeepPicture(false)) nothing is drawn when the routines
// run: they only record what changed, and Render() draws the whole table from what it holds,
// band by band, over the rectangle a window repaints. The picture is needed only while
// something is drawn that the table's state does not say (the pause screen, the winning
// animation's trail of cards).
class TablePainter {
  public:
    TablePainter(GameContext& ctx, const ImagesModule& module, const CardImages& cards);

    // Sizes the table in logical pixels; the background is drawn afresh.
    void Resize(int width, int height, qreal devicePixelRatio = 1.0);
    QSize Size() const { return size_; }
    // Whether the table is drawn into its off-screen picture (the default) or only rendered
    // on demand. Taking the picture back makes it at the table's size, the background drawn.
    void KeepPicture(bool keep);
    bool KeepsPicture() const { return keepPicture_; }
    // The picture for the window, null without one. It shows the pixels the painter draws
    // into (copies of it keep them alive across a Resize), so that drawing never copies the
    // whole picture.
    const QImage& TableBuffer() const { return shown_; }
    qreal DevicePixelRatio() const { return dpr_; }
    // Draws the whole table (as DrawTable does, from what the table holds) over `tableArea`
    // onto `target`, whose coordinates are table coordinates; what lies outside the table's
    // size is left alone. Nothing the painter records changes.
    void Render(QPainter& target, const QRect& tableArea);
    // The whole table rendered into a picture of its size (at the device pixel ratio).
    QImage RenderImage();

    // Lowest drawn edge: Y + card height + ScrollY of the lowest card, back or mark drawn
    // since the last full drawing.
    int LowestDrawnEdge() const { return lowestEdge_; }

    // The rule engine's per-pile modes for games whose tableau is fanned in mode 11.
    void SetPerPileFanModes(const PerPileFanModes& modes);
    // The log of card codes the counter of special family 23 reads.
    void SetCycleLog(std::string log) { cycleLog_ = std::move(log); }
    // False for a display of 256 colours or fewer (plain colours, no gradients).
    void SetManyColours(bool many) { manyColours_ = many; }
    // Whether the vertical scroll bar is shown: the gradient then runs 80 pixels further.
    void SetScrollBarShown(bool shown) { scrollBarShown_ = shown; }

    // The whole table: background, stock group and foundations, reserves, tableau, labels.
    void DrawTable();
    // The background over the whole buffer, chosen from the settings. A missing customised
    // picture is reported, the settings fall back to the default and it is drawn instead.
    void DrawBackground();
    void DrawStockAndFoundations();

    // One face-up card (group: 1 Mazzo, 2 Mazzo_Vis, 3 Mazzo_Waste, 4 tableau, 5 foundation,
    // 6 reserve, -1 animations); a card number below 1 draws nothing.
    void DrawCard(int card, int x, int y, int group);
    // The back, only its top `height` rows.
    void DrawBack(int x, int y, int height);
    // An empty-pile mark over the background ("022", "_WASTE" ...); an empty name erases.
    void DrawEmptyMark(const std::string& mark, int x, int y);
    // The stacked edge of a stock-group pile or foundation; moves the pile to home - t. False
    // when nothing had to be drawn.
    bool DrawPileThickness(PileRef pile, bool force);
    // The top card (or mark) of a pile.
    void DrawPileTop(PileRef pile);
    // Every card of a pile, bottom first (the mark when empty).
    void DrawPile(PileRef pile);
    // A pile whose string was `oldCards` and is now what the table holds: only new cards when
    // it was extended, else the old fan is erased and the pile drawn again.
    void RedrawChangedPile(PileRef pile, const std::string& oldCards);

    // Marks complete foundations (-1: all) with the mark and colour of the preferences.
    void HighlightFoundations(int index);
    // The pause picture over a green table; `swing` moves the first picture sideways.
    void ShowPauseScreen(int swing = 0);
    // How far the first pause picture may swing to either side.
    int PauseSwingRange() const;
    // The selected cards (held in foundation 1) inverted, or drawn normally and forgotten.
    void ShowSelection();
    void ClearSelection();
    // The labels and panels of the game's special family.
    void DrawFamilyLabels();
    // After `changed` was redrawn: the labels over the foundations that tell the rank each
    // needs next (special families 10 and 50) follow every change of a foundation.
    void RedrawFoundationLabels(PileRef changed);
    void DrawLabel(const TableLabel& label);
    // The poker panel with its three lines (hand name, points, total).
    // The top card of a pile drawn with inverted colours (again: as it was).
    void InvertPileTop(PileRef pile);
    void DrawPokerPanel(const std::string& handName, const std::string& points,
                        const std::string& total);
    // A scored line of a grid shown in turn (the poker and cribbage grids): its cards drawn
    // inverted and the panel with its hand, points and the running total, as every drawing
    // of the table shows them until EndScoredLine. The hand and its points then stay on the
    // panel over the grid's total until the grid scores nothing.
    void ShowScoredLine(const std::vector<PileRef>& piles, const std::string& hand,
                        const std::string& points, const std::string& total);
    void EndScoredLine();

    // The table rectangles changed since the last call.
    std::vector<QRect> TakeDirty();

    // The background's colour at a table point (the default green outside the buffer).
    QColor Background(int x, int tableY) const;

    // Where each card of a pile lies, with the options this painter draws with.
    std::vector<TablePoint> Positions(PileRef pile) const;
    FanOptions Options() const;

  private:
    // Calls `visit` for every place on the table that holds a card of the selection.
    void ForEachSelectedCardPlace(
        const std::function<void(PileRef, int card, int position, bool top)>& visit);
    // The panel of a grid scored by lines, with the line shown inverted.
    void DrawScoredGrid();
    int ScrollY() const;
    // Opens `p` on what is drawn into, in table coordinates; false when nothing is (no
    // picture kept, or the target lies outside `area`).
    bool Begin(QPainter& p);
    bool Begin(QPainter& p, const QRect& area);
    // The device pixel of the target for the table pixel (x, y) and `dx`, `dy` inside it.
    QPoint DevicePixel(int x, int y, int dx = 0, int dy = 0) const;
    void Touch(const QRect& tableRect);
    void RaiseEdge(int y, int height);
    void RestoreFromBackground(const QRect& tableRect);
    void DrawImageAt(const QImage& image, const QRect& target);
    // How a card's corners are rounded: from what lay under them, from the background, or
    // from what lay under with the bottom-right corner silver (the top of a thick pile).
    enum class Corners { Under, Background, SilverBottomRight };
    // A card lying sideways is the upright picture turned a quarter to the right, drawn whole.
    void DrawFace(const QImage& image, int x, int y, int height, Corners corners,
                  bool sideways = false);
    void DrawCardAt(PileRef pile, int card, const TablePoint& at, bool top);
    // The card is drawn as its back where it lies (face down, or on a stock or waste drawn so).
    bool ShowsBack(PileRef pile, int card) const;
    // Has every face the table shows cut before the table is drawn.
    void PrepareCardFaces();
    void InvertCard(const QRect& card);
    void DrawHighlight(int foundation, int mark, const QColor& colour);

    // What the background is, in window coordinates over the buffer's size.
    struct BackgroundLook {
        enum class Kind { Fill, Gradient, Picture };
        Kind kind = Kind::Fill;
        QColor colour{0, 96, 0};  // Fill, and the top of the Gradient
        int gradientHeight = 0;   // Gradient: the height its 256 bands span
        QImage picture;           // Picture: over the default green, from the top left
        bool tiled = true;        // Picture: repeated over the table
    };
    // The buffer's size in logical pixels.
    QSize LogicalSize() const;
    // Paints the background into `area` (window coordinates, the painter set to them).
    void PaintBackground(QPainter& p, const QRect& area) const;

    GameContext& ctx_;
    const ImagesModule& module_;
    const CardImages& cards_;
    QImage table_; // drawn into: the picture (its pixels shared with shown_) or a band of Render
    QPoint origin_; // the table point at the top-left corner of table_
    QImage shown_;
    QSize size_;
    bool keepPicture_ = true;
    bool rendering_ = false; // inside Render: the settings-derived choices are the last ones
    int highlightMark_ = 0;
    QColor highlightColour_;
    BackgroundLook look_;
    qreal dpr_ = 1.0;
    int lowestEdge_ = 0;
    PerPileFanModes perPile_{};
    bool hasPerPile_ = false;
    CrookedOffsets crooked_{};
    std::string cycleLog_;
    // The scored line shown, the panel's hand and points, and the running total shown with
    // the line (empty between lines).
    std::vector<PileRef> scoredLine_;
    std::string panelHand_, panelPoints_, runningTotal_;
    bool manyColours_ = true;
    bool scrollBarShown_ = false;
    std::vector<QRect> dirty_;
};

} // namespace quendra
