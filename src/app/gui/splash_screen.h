// SplashScreen: the picture shown while the program starts.
//
// It closes when its time is up, or at the first key press or mouse button
// press anywhere in the program, and says so (finished) just before it
// closes, so that the main window can open in its place.
#pragma once

#include <QSplashScreen>
#include <QTimer>

namespace quillex {

class SplashScreen : public QSplashScreen {
    Q_OBJECT

  public:
    static constexpr int kShowMilliseconds = 2000;

    explicit SplashScreen(int showMilliseconds = kShowMilliseconds);
    ~SplashScreen() override;

    // Shows the splash screen and starts its timer.
    void start();
    // Closes it (once), after announcing it.
    void finish();

    // The picture at the size it is shown, drawn for `devicePixelRatio`.
    static QPixmap picture(qreal devicePixelRatio);

  signals:
    void finished();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QTimer timer_;
    bool finished_ = false;
};

} // namespace quillex
