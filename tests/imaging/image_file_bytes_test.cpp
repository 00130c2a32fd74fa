#include "imaging/image_file_bytes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

// The bytes come back in a buffer of the file's own size, however large the
// bound; a file one byte over the bound gives nothing.
TEST(ImageFileBytes, ReadsTheFileIntoABufferOfItsOwnSize)
{
    TempFolder folder;
    QByteArray content(1000, '\0');
    for (int i = 0; i < content.size(); ++i)
        content[i] = char(i * 7);
    folder.write(QStringLiteral("photo.jpg"), content);
    const struct {
        qint64 bound;
        bool read;
    } cases[] = {{999, false}, {1000, true}, {kMaxImageFileBytes, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bound);
        const QByteArray bytes = readImageFileBytes(folder.file(QStringLiteral("photo.jpg")), c.bound);
        EXPECT_EQ(bytes, c.read ? content : QByteArray());
        EXPECT_LE(bytes.capacity(), content.size());
    }
}

TEST(ImageFileBytes, NothingWhereThereIsNoFileToRead)
{
    TempFolder folder;
    folder.write(QStringLiteral("empty.jpg"), QByteArray());
    EXPECT_TRUE(readImageFileBytes(folder.file(QStringLiteral("empty.jpg"))).isEmpty());
    EXPECT_TRUE(readImageFileBytes(folder.file(QStringLiteral("missing.jpg"))).isEmpty());
    EXPECT_TRUE(readImageFileBytes(folder.path()).isEmpty());
}

} // namespace
