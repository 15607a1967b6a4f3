#include "qt_host.h"

#include "main_window.h"
#include "sound_player.h"
#include "table_play.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

namespace quendra {

namespace {

// Message texts break lines with a carriage return.
QString MessageText(const std::string& text) {
    QString out = QString::fromStdString(text);
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

const QString kCaption = QStringLiteral("Quendra 2000");

} // namespace

void QtHost::ShowInformation(const std::string& text) {
    QMessageBox::information(parent_, kCaption, MessageText(text));
}

void QtHost::ShowError(const std::string& text) {
    QMessageBox::critical(parent_, QStringLiteral("Error"), MessageText(text));
}

bool QtHost::Confirm(const std::string& text) {
    return QMessageBox::question(parent_, kCaption, MessageText(text),
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

Host::Answer QtHost::AskYesNoCancel(const std::string& text) {
    switch (QMessageBox::question(parent_, kCaption, MessageText(text),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool QtHost::ShowAdvice(const std::string& message, int /*page*/) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), MessageText(message),
                    QMessageBox::Ok, parent_);
    auto* dontShow = new QCheckBox(QStringLiteral("&Don't show this message box again"), &box);
    box.setCheckBox(dontShow);
    box.exec();
    return dontShow->isChecked();
}

void QtHost::Beep() {
    QApplication::beep();
}

void QtHost::BeginWait() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtHost::EndWait() {
    QApplication::restoreOverrideCursor();
}

int QtHost::ScreenWidth() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size().width() : 1024;
}

int QtHost::ScreenHeight() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size().height() : 768;
}

void QtHost::SetWindow(MainWindow* window) {
    window_ = window;
    parent_ = window;
}

void QtHost::PlaySound(const std::string& name) {
    if (!sounds_) return;
    const QString sound = QString::fromStdString(name);
    sounds_->Play(sound, ModeForSound(sound));
}

void QtHost::RedrawPile(PileRef pile) {
    if (window_) window_->RedrawPile(pile);
}

std::optional<bool> QtHost::ConfirmLeaveSeriesGame() {
    return window_ ? window_->ConfirmLeaveSeriesGame() : std::nullopt;
}

void QtHost::RecordGameResult(const GameResult& result) {
    if (window_) window_->GameEnded(result);
}

void QtHost::FlyCard(int card, PileRef from, PileRef to) {
    if (window_) window_->tablePlay()->FlyCard(card, from, to);
}

void QtHost::ShowScoredLine(const std::vector<PileRef>& piles, const std::string& hand,
                            int points, int total) {
    if (window_) window_->tablePlay()->ShowScoredLine(piles, hand, points, total);
}

void QtHost::CelebrateWin() {
    // The pattern and the time the player chose; a key or a click ends it sooner.
    if (!window_) return;
    window_->tablePlay()->PlayWinningAnimation();
    // "Game won" once the move that won has returned.
    QTimer::singleShot(0, window_, &MainWindow::ShowGameWon);
}

void QtHost::DrawStockPressed(bool pressed) {
    if (window_) window_->tablePlay()->DrawStockPressed(pressed);
}

void QtHost::RedrawTable() {
    if (window_) window_->RedrawTable();
}

void QtHost::Wait(int milliseconds) {
    // Window messages go on being handled while the table waits.
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void QtHost::ShowScore(const std::string& text) {
    if (window_) window_->ShowScore(QString::fromStdString(text));
}

void QtHost::ShowTime(const std::string& text) {
    if (window_) window_->ShowTime(QString::fromStdString(text));
}

void QtHost::EnableCommand(Command command, bool enabled) {
    if (window_) window_->EnableCommand(command, enabled);
}

void QtHost::ShowProposedMove(PileRef from, int position, PileRef to, int cardCount) {
    if (window_) window_->ShowProposedMove(from, position, to, cardCount);
}

void QtHost::ClearProposedMove() {
    if (window_) window_->ClearProposedMove();
}

void QtHost::ShowTutorText(const std::string& text) {
    if (window_) window_->ShowTutorText(QString::fromStdString(text));
}

} // namespace quendra
