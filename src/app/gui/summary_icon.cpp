// SummaryIcon: draws a message-box icon inside the text of the results view.
#include "app/gui/summary_icon.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QWidget>

namespace quillex {

SummaryIcon::SummaryIcon(QWidget& view) : QObject(&view), view_(view) {}

// A square as high as a line of the view's font.
QSizeF SummaryIcon::intrinsicSize(QTextDocument*, int, const QTextFormat&) {
    const int side = view_.fontMetrics().height();
    return QSizeF(side, side);
}

void SummaryIcon::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                             const QTextFormat& format) {
    const auto kind = static_cast<QStyle::StandardPixmap>(format.intProperty(kPixmapProperty));
    const QIcon icon = view_.style()->standardIcon(kind, nullptr, &view_);
    icon.paint(painter, rect.toAlignedRect());
}

} // namespace quillex
