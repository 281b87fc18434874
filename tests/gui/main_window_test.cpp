// The window's frame: caption, the six pages in tab order, Exit at the left
// and Help at the right with no Cancel, Help opening the user guide shipped
// in the program, and the pictures compiled in.
#include "app/gui/main_window.h"
#include "app/gui/qt_text.h"
#include "app/gui/splash_screen.h"
#include "app/gui/user_guide.h"
#include "gui_fixture.h"

#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

using namespace quillex;
using quillex::testing::GuiTest;

namespace {

using MainWindowTest = GuiTest;

TEST_F(MainWindowTest, SixPagesInOrderWithExitAtTheLeftAndHelp) {
    MainWindow window(SettingsStore::load(), dialogs);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(window.windowTitle(), message(MessageId::ProgramTitle));
    EXPECT_FALSE(window.windowIcon().isNull());
    QStringList titles;
    for (int i = 0; i < window.tabs()->count(); ++i)
        titles << window.tabs()->tabText(i);
    EXPECT_EQ(titles, QStringList({"Convert &IASCII", "&Verify Q-Marks", "Convert &QMX", "&Paths",
                                   "Se&ttings", "Ab&out"}));
    // Every tab shows: none hides behind scroll buttons.
    EXPECT_LE(window.tabs()->tabBar()->sizeHint().width(), window.tabs()->width());

    QStringList buttons;
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->parentWidget() == &window)
            buttons << button->text();
    EXPECT_EQ(buttons.size(), 2) << buttons.join(", ").toStdString();
    EXPECT_LT(window.exitButton()->x(), window.helpButton()->x());
    EXPECT_EQ(window.exitButton()->text(), "&Exit");
    EXPECT_EQ(window.helpButton()->text(), "&Help");

    // Tab goes through the page's controls before Exit, then Help.
    QStringList chain;
    for (QWidget* at = window.tabs()->tabBar(); at != window.exitButton();
         at = at->nextInFocusChain()) {
        ASSERT_NE(at, window.helpButton());
        if (at->isVisible() && at->focusPolicy() & Qt::TabFocus)
            chain << at->metaObject()->className();
    }
    EXPECT_GT(chain.size(), 3) << chain.join(", ").toStdString();
    EXPECT_EQ(window.exitButton()->nextInFocusChain(), window.helpButton());

    QTest::keyClick(&window, Qt::Key_F1);
    ASSERT_NE(window.userGuide(), nullptr);
    EXPECT_TRUE(window.userGuide()->isVisible());
    const QString guide = window.userGuide()->browser()->toPlainText();
    for (const char* topic :
         {"Convert IASCII", "Verify Q-Marks", "Convert QMX", "Smart Quotes", "Errors in Tags"})
        EXPECT_TRUE(guide.contains(topic)) << topic;
}

TEST_F(MainWindowTest, CtrlQClosesAndTheSizeIsKeptForTheNextWindow) {
    QSize size;
    {
        MainWindow window(SettingsStore::load(), dialogs);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        window.resize(window.size() + QSize(37, 23));
        size = window.size();
        QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
        EXPECT_FALSE(window.isVisible());
    }
    MainWindow again(SettingsStore::load(), dialogs);
    EXPECT_EQ(again.size(), size);
}

TEST(SplashPictureTest, IsCompiledInAndDrawnForTheScreen) {
    for (qreal ratio : {1.0, 2.0}) {
        const QPixmap picture = SplashScreen::picture(ratio);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), QSize(520, 300) * ratio);
        EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(520, 300));
    }
}

} // namespace
