#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace quendra {

// The card table. It shows the picture the table drawing hands it (the off-screen table
// buffer) over the table's background; while paused, the pause screen instead.
class TableView : public QWidget {
    Q_OBJECT
  public:
    explicit TableView(QWidget* parent = nullptr);

    QColor background() const { return background_; }
    void setBackground(const QColor& colour);
    // The drawn table, painted at the top-left corner; a null image shows the background.
    void setTableImage(const QImage& image);
    const QImage& tableImage() const { return image_; }
    void setPaused(bool paused);
    bool paused() const { return paused_; }

  signals:
    // A right click asks for the table's popup menu.
    void popupRequested(const QPoint& globalPos);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    QColor background_;
    QImage image_;
    bool paused_ = false;
};

// A colour stored the Windows way, blue in the high byte and red in the low byte.
QColor ColourFromStored(long long value);

} // namespace quendra
