#pragma once

#include <QObject>

class QTimer;

namespace quendra {

class TablePainter;
class TableView;

// The picture that covers the table while the game is paused: the two pause pictures over the
// green table, the upper one swinging from side to side until the pause ends.
class PauseScreen : public QObject {
    Q_OBJECT
  public:
    PauseScreen(TablePainter& painter, TableView* view, QObject* parent = nullptr);

    void Start();
    void Stop();
    bool Running() const;
    // Where the upper picture stands now, in pixels from the middle.
    int Swing() const { return swing_; }

  private:
    void step();
    void show();

    TablePainter& painter_;
    TableView* view_;
    QTimer* timer_;
    int swing_ = 0;
    int direction_ = 1;
    int range_ = 0;
};

} // namespace quendra
