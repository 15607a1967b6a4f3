#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

namespace quendra {

struct GameContext;

// The small "Demo" window of a demonstration: the move counter, what the current move does,
// and the buttons that step back, pause, stop and play on. It only reports the buttons; the
// main window runs the demonstration.
class DemoWindow : public QWidget {
    Q_OBJECT
  public:
    DemoWindow(GameContext& ctx, QWidget* parent);

    // Shows the window; the first time at the place stored in the settings, or by default
    // near the lower left corner of `owner`.
    void showForDemonstration(const QWidget* owner);
    void setCounter(int moves);
    int counter() const { return counter_; }
    void setDescription(const QString& text);
    QString description() const;
    // The Pause and Play buttons show whether the game is paused.
    void setPaused(bool paused);

    QToolButton* previousButton() const { return previous_; }
    QToolButton* pauseButton() const { return pause_; }
    QToolButton* stopButton() const { return stop_; }
    QToolButton* playButton() const { return play_; }

  signals:
    void previousRequested();
    void pauseRequested();
    void stopRequested();
    void playRequested();
    // The window was closed: the demonstration ends.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    GameContext& ctx_;
    QLabel* counterLabel_;
    QLineEdit* description_;
    QToolButton* previous_;
    QToolButton* pause_;
    QToolButton* stop_;
    QToolButton* play_;
    int counter_ = 0;
    bool placed_ = false;
};

} // namespace quendra
