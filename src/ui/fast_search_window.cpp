#include "fast_search_window.h"

#include "browser_catalogue.h"
#include "images_module.h"
#include "settings.h"

#include <algorithm>
#include <array>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

namespace quendra {

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kStayOnTopKey = "Games_Fast_Search_Stay_On_Top";
constexpr const char* kLeftKey = "Games_Fast_Search_Left";
constexpr const char* kTopKey = "Games_Fast_Search_Top";
constexpr const char* kWidthKey = "Games_Fast_Search_Width";
constexpr const char* kHeightKey = "Games_Fast_Search_Height";
constexpr int kNoValue = -32768;

struct TypeTexts {
    FastSearchType type;
    const char* caption;
    const char* menu;
};
constexpr std::array<TypeTexts, kFastSearchTypeCount> kTypes = {{
    {FastSearchType::AllGames, "FastSearch [All games]", "&All games"},
    {FastSearchType::Favourites, "FastSearch [Favorite games]", "&Favorite games only"},
    {FastSearchType::Selected, "FastSearch [Selected games]", "&Selected games only"},
    {FastSearchType::Customised, "FastSearch [Customized games]", "&Customized games only"},
    {FastSearchType::NeverWon, "FastSearch [Lost games]", "&Lost games only"},
    {FastSearchType::LastPlayed, "FastSearch [Last played games]", "Last &20 played games"},
}};

constexpr int kGameRole = Qt::UserRole;

} // namespace

QString FastSearchCaption(FastSearchType type) {
    return QString::fromUtf8(kTypes[static_cast<std::size_t>(type)].caption);
}

FastSearchWindow::FastSearchWindow(GameContext& ctx, ImagesModule& images,
                                   std::function<bool(int)> start, QWidget* parent)
    : QWidget(parent, Qt::Tool), ctx_(ctx), images_(images), start_(std::move(start)) {
    setObjectName(QStringLiteral("fastSearch"));
    setWindowTitle(QStringLiteral("Games FastSearch"));
    auto* bar = new QMenuBar(this);
    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    QMenu* show = options->addMenu(QStringLiteral("&Show"));
    auto* group = new QActionGroup(this);
    for (const TypeTexts& texts : kTypes) {
        QAction* action = show->addAction(QString::fromUtf8(texts.menu));
        action->setCheckable(true);
        group->addAction(action);
        const FastSearchType type = texts.type;
        connect(action, &QAction::triggered, this, [this, type] {
            setListType(type);
            SetGamesFastSearchType(ctx_, static_cast<int>(type));
        });
        typeActions_.push_back(action);
    }
    stayOnTop_ = options->addAction(QStringLiteral("Stay on &top"));
    stayOnTop_->setCheckable(true);
    connect(stayOnTop_, &QAction::toggled, this, [this](bool on) { setStayOnTop(on); });

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("games"));
    list_->setUniformItemSizes(true);
    list_->installEventFilter(this);
    connect(list_, &QListWidget::itemDoubleClicked, this, &FastSearchWindow::startEntry);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(bar);
    layout->addWidget(list_);
    resize(260, 420);

    stayOnTop_->setChecked(ReadSettingString(ctx_, kSection, kStayOnTopKey, "N") == "Y");
    setListType(FastSearchTypeOf(GamesFastSearchType(ctx_)));
}

FastSearchWindow::~FastSearchWindow() {
    // The program ends with the window open: it opens where it was next time.
    if (isVisible()) saveSettings();
}

void FastSearchWindow::showWindow() {
    if (!placed_) restorePlacement();
    placed_ = true;
    refresh();
    show();
    raise();
    activateWindow();
    list_->setFocus();
}

void FastSearchWindow::restorePlacement() {
    const int left = ReadSettingInt(ctx_, kSection, kLeftKey, kNoValue);
    const int top = ReadSettingInt(ctx_, kSection, kTopKey, kNoValue);
    const int width = ReadSettingInt(ctx_, kSection, kWidthKey, kNoValue);
    const int height = ReadSettingInt(ctx_, kSection, kHeightKey, kNoValue);
    if (width > 0 && height > 0 && width < 10000 && height < 10000) resize(width, height);
    if (left == kNoValue || top == kNoValue) {
        // At first beside the right edge of the main window, below its tool bars.
        if (const QWidget* owner = parentWidget()) {
            const QRect frame = owner->geometry();
            move(std::max(frame.left(), frame.right() - size().width() - 24), frame.top() + 80);
        }
        return;
    }
    // Kept on a screen, where a player can reach it.
    const QRect wanted(QPoint(left, top), size());
    for (const QScreen* screen : QApplication::screens())
        if (screen->availableGeometry().intersects(wanted)) {
            move(left, top);
            return;
        }
}

void FastSearchWindow::saveSettings() {
    SetGamesFastSearchType(ctx_, static_cast<int>(type_));
    WriteSettingString(ctx_, kSection, kStayOnTopKey, stayOnTop() ? "Y" : "N");
    const QRect place = geometry();
    WriteSettingInt(ctx_, kSection, kLeftKey, place.left());
    WriteSettingInt(ctx_, kSection, kTopKey, place.top());
    WriteSettingInt(ctx_, kSection, kWidthKey, place.width());
    WriteSettingInt(ctx_, kSection, kHeightKey, place.height());
}

void FastSearchWindow::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) saveSettings();
    QWidget::hideEvent(event);
}

bool FastSearchWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            startEntry(list_->currentItem());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FastSearchWindow::setListType(FastSearchType type) {
    type_ = type;
    typeActions_[static_cast<std::size_t>(type)]->setChecked(true);
    setWindowTitle(FastSearchCaption(type));
    refresh();
}

bool FastSearchWindow::stayOnTop() const {
    return stayOnTop_->isChecked();
}

void FastSearchWindow::setStayOnTop(bool on) {
    if (stayOnTop_->isChecked() != on) stayOnTop_->setChecked(on);
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    // Changing a window's flags hides it.
    if (shown) show();
}

void FastSearchWindow::refresh() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int current = list_->currentItem() ? list_->currentItem()->data(kGameRole).toInt() : -1;
    list_->clear();
    const qreal ratio = devicePixelRatioF();
    QHash<QString, QIcon> icons;
    for (const FastSearchEntry& entry : FastSearchGames(ctx_, type_)) {
        const QString iconName = QString::fromStdString(
            browser::TypeIconName(entry.customised ? browser::kCustomGameType : entry.type));
        if (!icons.contains(iconName)) {
            const QImage picture = images_.LoadPicture(iconName, ratio);
            icons.insert(iconName, picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture)));
        }
        auto* item =
            new QListWidgetItem(icons.value(iconName), QString::fromStdString(entry.name), list_);
        item->setData(kGameRole, entry.number);
        if (entry.number == current) list_->setCurrentItem(item);
    }
    if (!list_->currentItem() && list_->count() > 0) list_->setCurrentRow(0);
    QApplication::restoreOverrideCursor();
}

std::vector<int> FastSearchWindow::listedGames() const {
    std::vector<int> games;
    for (int row = 0; row < list_->count(); ++row)
        games.push_back(list_->item(row)->data(kGameRole).toInt());
    return games;
}

void FastSearchWindow::startEntry(QListWidgetItem* item) {
    if (!item || item->data(kGameRole).toInt() < 0) {
        ctx_.host.ShowInformation("Open a game");
        return;
    }
    const int game = item->data(kGameRole).toInt();
    const bool stay = stayOnTop();
    if (!stay) hide();
    const bool started = start_ && start_(game);
    if (!started && !stay) showWindow();
}

void FastSearchWindow::gameWon(int game) {
    if (type_ != FastSearchType::NeverWon) return;
    for (int row = list_->count() - 1; row >= 0; --row)
        if (list_->item(row)->data(kGameRole).toInt() == game) delete list_->takeItem(row);
}

void FastSearchWindow::favouritesChanged() {
    if (isVisible() && type_ == FastSearchType::Favourites) refresh();
}

void FastSearchWindow::customisedGamesChanged() {
    if (isVisible()) refresh();
}

void FastSearchWindow::gameStarted() {
    if (isVisible() && type_ == FastSearchType::LastPlayed) refresh();
}

} // namespace quendra
