// SummaryIcon: draws a message-box icon inside the text of the results view.
//
// The results view is plain text; the summary of a batch starts with an
// inline object of this type, which draws the information, warning or error
// icon of the style at the height of a line.
#pragma once

#include <QObject>
#include <QTextObjectInterface>

namespace quillex {

class SummaryIcon : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

  public:
    // The object type in the text and the property holding the icon's kind
    // (a QStyle::StandardPixmap).
    static constexpr int kObjectType = QTextFormat::UserObject + 1;
    static constexpr int kPixmapProperty = QTextFormat::UserProperty + 1;

    explicit SummaryIcon(QWidget& view);

    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;

  private:
    QWidget& view_;
};

} // namespace quillex
