// `idphoto photo.jpg`: the picture named on the command line opens as a
// dropped file does, and one that cannot be opened gives the same message.
#include "app/application.h"
#include "support/main_window_fixture.h"
#include "workspace/image_import.h"

#include <QDir>

namespace {

class CommandLinePictureTest : public MainWindowFixture {};

TEST_F(CommandLinePictureTest, APictureNamedOnTheCommandLineOpens)
{
    const QString portrait = QStringLiteral(IDPHOTO_FIXTURES "/portraits/grace_hopper.jpg");
    OpenCommandLinePicture(*window, {portrait, QStringLiteral("/second/one/is/left.jpg")});
    ASSERT_TRUE(state.view.imageLoaded);
    EXPECT_EQ(state.view.currentPicture.size(), QImage(portrait).size());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(CommandLinePictureTest, ARelativePathIsTakenFromTheWorkingFolder)
{
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QStringLiteral(IDPHOTO_FIXTURES "/portraits")));
    OpenCommandLinePicture(*window, {QStringLiteral("astronaut.jpg")});
    QDir::setCurrent(before);
    EXPECT_TRUE(state.view.imageLoaded);
}

TEST_F(CommandLinePictureTest, APictureThatCannotBeOpenedIsToldAsADropIs)
{
    const QString names[] = {userData.file(QStringLiteral("missing.jpg")), userData.file(QStringLiteral("notes.txt"))};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        open();
        OpenCommandLinePicture(*window, {name});
        EXPECT_FALSE(state.view.imageLoaded);
        ASSERT_EQ(dialogs.messages.size(), 1);
        const ShownMessage told = dialogs.messages.takeFirst();
        window->dropImageFiles({name});
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(told.title, dialogs.messages[0].title);
        EXPECT_EQ(told.text, dialogs.messages[0].text);
        dialogs.messages.clear();
    }
    OpenCommandLinePicture(*window, {});
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
