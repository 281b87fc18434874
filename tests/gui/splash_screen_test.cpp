// The splash screen closes when its time is up or at the first key or mouse
// press anywhere, announcing it once.
#include "app/gui/splash_screen.h"

#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace quillex;

namespace {

TEST(SplashScreenTest, ClosesAfterItsTime) {
    EXPECT_EQ(SplashScreen::kShowMilliseconds, 2000);
    SplashScreen splash(50);
    QSignalSpy finished(&splash, &SplashScreen::finished);
    splash.start();
    EXPECT_TRUE(splash.isVisible());
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_FALSE(splash.isVisible());
    QTest::qWait(100);
    EXPECT_EQ(finished.count(), 1);
}

TEST(SplashScreenTest, AKeyOrAClickInAnyWindowClosesIt) {
    QWidget other;
    other.show();
    for (int press = 0; press < 3; ++press) {
        SplashScreen splash(60000);
        QSignalSpy finished(&splash, &SplashScreen::finished);
        splash.start();
        if (press == 0)
            QTest::keyClick(&other, Qt::Key_Space);
        else if (press == 1)
            QTest::mouseClick(&splash, Qt::LeftButton);
        else
            QTest::mouseClick(&other, Qt::RightButton);
        EXPECT_EQ(finished.count(), 1) << "press " << press;
        EXPECT_FALSE(splash.isVisible());
    }
}

} // namespace
