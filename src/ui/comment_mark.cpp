#include "comment_mark.h"

#include <QApplication>
#include <QPainter>

namespace quendra {

namespace {
constexpr int kGap = 10;
}

CommentMarkDelegate::CommentMarkDelegate(const QPixmap& mark, QObject* parent)
    : QStyledItemDelegate(parent), mark_(mark) {}

void CommentMarkDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (mark_.isNull() || !index.data(kHasCommentsRole).toBool()) return;
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    const int x = text.left() + opt.fontMetrics.horizontalAdvance(opt.text) + kGap;
    const QSize size = mark_.deviceIndependentSize().toSize();
    painter->drawPixmap(QPoint(x, option.rect.top() + (option.rect.height() - size.height()) / 2),
                        mark_);
}

QSize CommentMarkDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (index.data(kHasCommentsRole).toBool())
        size.rwidth() += kGap + int(mark_.deviceIndependentSize().width());
    return size;
}

} // namespace quendra
