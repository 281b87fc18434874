// SplashScreen: the picture shown while the program starts.
#include "app/gui/splash_screen.h"

#include "app/gui/qt_text.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

namespace quillex {
namespace {

constexpr const char* kPicture = ":/quillex/splash.svg";
// Where the program's name goes: the free space right of the drawing, above
// the rule at y = 150 (in the picture's own units).
constexpr QRectF kTitleArea(250, 40, 250, 104);
constexpr QRectF kSubtitleArea(250, 160, 250, 60);
constexpr int kTitlePixels = 27;
constexpr int kSubtitlePixels = 15;

void drawText(QPainter& painter, const QRectF& area, const QString& text, int pixels, bool bold,
              Qt::Alignment vertical) {
    QFont font = QApplication::font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    painter.setFont(font);
    painter.drawText(area, Qt::AlignLeft | vertical | Qt::TextWordWrap, text);
}

bool closesSplash(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride: // a key with a modifier, such as Alt
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
        return true;
    default:
        return false;
    }
}

} // namespace

SplashScreen::SplashScreen(int showMilliseconds)
    : QSplashScreen(picture(qApp->devicePixelRatio())) {
    timer_.setSingleShot(true);
    timer_.setInterval(showMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &SplashScreen::finish);
}

SplashScreen::~SplashScreen() {
    qApp->removeEventFilter(this);
}

QPixmap SplashScreen::picture(qreal devicePixelRatio) {
    QSvgRenderer renderer{QString(kPicture)};
    const QSize size = renderer.defaultSize();
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::white);
    drawText(painter, kTitleArea, quillex::message(MessageId::ProgramTitle), kTitlePixels, true,
             Qt::AlignBottom);
    drawText(painter, kSubtitleArea,
             QObject::tr("Interleaf ASCII documents to QMX for translation, and back"),
             kSubtitlePixels, false, Qt::AlignTop);
    return pixmap;
}

void SplashScreen::start() {
    // A key or a click anywhere in the program closes the splash screen,
    // whichever window has the focus.
    qApp->installEventFilter(this);
    show();
    raise();
    timer_.start();
}

void SplashScreen::finish() {
    if (finished_)
        return;
    finished_ = true;
    timer_.stop();
    qApp->removeEventFilter(this);
    emit finished();
    close();
}

bool SplashScreen::eventFilter(QObject* watched, QEvent* event) {
    if (!finished_ && closesSplash(event->type())) {
        finish();
        return true;
    }
    return QSplashScreen::eventFilter(watched, event);
}

} // namespace quillex
