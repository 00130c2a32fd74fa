#include "batch/navigation_keys.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class NavigationKeysTest : public ::testing::Test {
protected:
    NavigationKeysTest()
    {
        QObject::connect(&keys, &NavigationKeys::navigate, [this](NavigationDirection d) { moves.append(d); });
        edit.show();
        edit.setFocus();
    }

    void press(Qt::Key key, bool autoRepeat = false, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, mods, QString(), autoRepeat);
        QCoreApplication::sendEvent(&edit, &event);
    }
    void release(Qt::Key key, bool autoRepeat = false)
    {
        QKeyEvent event(QEvent::KeyRelease, key, Qt::NoModifier, QString(), autoRepeat);
        QCoreApplication::sendEvent(&edit, &event);
    }

    BatchState batch;
    NavigationKeys keys{batch, nullptr};
    QLineEdit edit;
    QList<NavigationDirection> moves;
};

using D = NavigationDirection;

TEST_F(NavigationKeysTest, AHeldKeyMovesOneImage)
{
    keys.registerNavigationKeys();
    press(Qt::Key_S);
    for (int i = 0; i < 5; ++i) {
        release(Qt::Key_S, true);
        press(Qt::Key_S, true);
    }
    release(Qt::Key_S);
    EXPECT_EQ(moves, QList<D>{D::Next});
    // Presses of one direction with nothing between them count as one too.
    press(Qt::Key_A);
    press(Qt::Key_S);
    EXPECT_EQ(moves, (QList<D>{D::Next, D::Next}));
}

TEST_F(NavigationKeysTest, EachKeyOfTheOtherDirectionActs)
{
    keys.registerNavigationKeys();
    press(Qt::Key_S);
    press(Qt::Key_D);
    press(Qt::Key_A);
    press(Qt::Key_F);
    EXPECT_EQ(moves, (QList<D>{D::Next, D::Previous, D::Next, D::Previous}));
    EXPECT_TRUE(edit.text().isEmpty()); // the letters never reach the box
}

TEST_F(NavigationKeysTest, AKeyPressedAgainAfterLettingGoActsAgain)
{
    keys.registerNavigationKeys();
    QTest::keyClick(&edit, Qt::Key_S);
    QTest::keyClick(&edit, Qt::Key_S);
    press(Qt::Key_F);
    QTest::keyClick(&edit, Qt::Key_X); // another key between two presses of F
    press(Qt::Key_F);
    EXPECT_EQ(moves, (QList<D>{D::Next, D::Next, D::Previous, D::Previous}));
}

TEST_F(NavigationKeysTest, ReleasedKeysAndModifiedKeysAreTypedAsLetters)
{
    keys.registerNavigationKeys();
    QTest::keyClick(&edit, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(moves.isEmpty());
    keys.releaseNavigationKeys();
    keys.releaseNavigationKeys(); // releasing twice changes nothing
    EXPECT_FALSE(batch.keysRegistered);
    QTest::keyClicks(&edit, QStringLiteral("asdf"));
    EXPECT_EQ(edit.text(), QStringLiteral("asdf"));
    EXPECT_TRUE(moves.isEmpty());
}

TEST_F(NavigationKeysTest, RegisteringTwiceActsOnceAndRestoreNeedsTheMode)
{
    keys.registerNavigationKeys();
    keys.registerNavigationKeys();
    press(Qt::Key_S);
    EXPECT_EQ(moves.size(), 1);
    keys.releaseNavigationKeys();
    keys.restoreNavigationKeys(); // batch crop mode is off: nothing
    EXPECT_FALSE(batch.keysRegistered);
    batch.batchActive = true;
    keys.restoreNavigationKeys();
    EXPECT_TRUE(batch.keysRegistered);
}

} // namespace
