#pragma once

#include <QColor>
#include <QWidget>

namespace quendra {

// The card table. For now it shows the table's background.
class TableView : public QWidget {
    Q_OBJECT
  public:
    explicit TableView(QWidget* parent = nullptr);

    QColor background() const { return background_; }
    void setBackground(const QColor& colour);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor background_;
};

// A colour stored the Windows way, blue in the high byte and red in the low byte.
QColor ColourFromStored(long long value);

} // namespace quendra
