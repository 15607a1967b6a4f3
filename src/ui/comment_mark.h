#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

namespace quendra {

// Item data role that says a game has comments.
inline constexpr int kHasCommentsRole = Qt::UserRole + 40;

// Draws the comment mark 10 pixels right of the name of every item whose kHasCommentsRole
// is true: in the game browser's tree and the comments dialog's list of games.
class CommentMarkDelegate : public QStyledItemDelegate {
  public:
    CommentMarkDelegate(const QPixmap& mark, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    QPixmap mark_;
};

} // namespace quendra
