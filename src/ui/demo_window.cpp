#include "demo_window.h"

#include "settings.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace quendra {

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kLeftKey = "Tutor_Demo_Form_Left";
constexpr const char* kTopKey = "Tutor_Demo_Form_Top";
// The default place: 10 pixels from the left, 15 above the bottom of the main window.
constexpr int kDefaultLeft = 10;
constexpr int kBottomMargin = 15;

QToolButton* Button(QWidget* parent, QStyle::StandardPixmap icon, const QString& text,
                    const QString& tip, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setText(text);
    button->setToolTip(tip);
    button->setObjectName(name);
    button->setAutoRaise(false);
    return button;
}

} // namespace

DemoWindow::DemoWindow(GameContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), ctx_(ctx) {
    setWindowTitle(QStringLiteral("Demo"));
    setObjectName(QStringLiteral("frmDemo"));

    auto* counterRow = new QHBoxLayout;
    counterRow->addWidget(new QLabel(QStringLiteral("Move:"), this));
    counterLabel_ = new QLabel(QStringLiteral("0"), this);
    counterLabel_->setObjectName(QStringLiteral("lblMove"));
    QFont bold = counterLabel_->font();
    bold.setBold(true);
    counterLabel_->setFont(bold);
    counterRow->addWidget(counterLabel_, 1);

    auto* descriptionRow = new QHBoxLayout;
    descriptionRow->addWidget(new QLabel(QStringLiteral("Description: "), this));
    description_ = new QLineEdit(this);
    description_->setObjectName(QStringLiteral("txtDescription"));
    description_->setReadOnly(true);
    description_->setFocusPolicy(Qt::NoFocus);
    description_->setMinimumWidth(description_->fontMetrics().horizontalAdvance(
        QStringLiteral("Click to turn up a card(s)  ")));
    descriptionRow->addWidget(description_, 1);

    previous_ = Button(this, QStyle::SP_MediaSeekBackward, QStringLiteral("Back"),
                       QStringLiteral("Previous 3 moves"), QStringLiteral("btnPrevious"));
    pause_ = Button(this, QStyle::SP_MediaPause, QStringLiteral("Pause"), QStringLiteral("Pause"),
                    QStringLiteral("btnPause"));
    stop_ = Button(this, QStyle::SP_MediaStop, QStringLiteral("Stop"), QStringLiteral("Stop"),
                   QStringLiteral("btnStop"));
    play_ = Button(this, QStyle::SP_MediaPlay, QStringLiteral("Play"), QStringLiteral("Play"),
                   QStringLiteral("btnPlay"));
    pause_->setCheckable(true);
    play_->setCheckable(true);
    play_->setChecked(true);
    auto* buttonRow = new QHBoxLayout;
    for (QToolButton* button : {previous_, pause_, stop_, play_})
        buttonRow->addWidget(button);
    buttonRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(counterRow);
    layout->addLayout(descriptionRow);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(previous_, &QToolButton::clicked, this, &DemoWindow::previousRequested);
    connect(stop_, &QToolButton::clicked, this, &DemoWindow::stopRequested);
    // The buttons show the pause as the window is told it, not as they were clicked.
    connect(pause_, &QToolButton::clicked, this, [this] {
        pause_->setChecked(!play_->isChecked());
        emit pauseRequested();
    });
    connect(play_, &QToolButton::clicked, this, [this] {
        play_->setChecked(!pause_->isChecked());
        emit playRequested();
    });
}

void DemoWindow::showForDemonstration(const QWidget* owner) {
    if (!placed_) {
        placed_ = true;
        adjustSize();
        const QRect frame = owner ? owner->frameGeometry() : QRect();
        const int defaultTop = frame.height() - frameGeometry().height() - kBottomMargin;
        const int left = ReadSettingInt(ctx_, kSection, kLeftKey, kDefaultLeft);
        const int top = ReadSettingInt(ctx_, kSection, kTopKey, defaultTop);
        move(left, top);
    }
    show();
    raise();
}

void DemoWindow::setCounter(int moves) {
    counter_ = moves;
    counterLabel_->setText(QString::number(moves));
}

void DemoWindow::setDescription(const QString& text) {
    description_->setText(text);
}

QString DemoWindow::description() const {
    return description_->text();
}

void DemoWindow::setPaused(bool paused) {
    pause_->setChecked(paused);
    play_->setChecked(!paused);
}

void DemoWindow::keyPressEvent(QKeyEvent* event) {
    // Escape closes the window, as Stop does.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DemoWindow::closeEvent(QCloseEvent* event) {
    WriteSettingInt(ctx_, kSection, kLeftKey, pos().x());
    WriteSettingInt(ctx_, kSection, kTopKey, pos().y());
    event->accept();
    emit closed();
}

} // namespace quendra
