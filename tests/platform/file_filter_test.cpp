#include "platform/file_filter.h"

#include <gtest/gtest.h>

TEST(FileFilter, BecomesQtsForm)
{
    EXPECT_EQ(qtFileFilter(QStringLiteral("图片文件|*.bmp;*.jpg;*.jpeg;*.gif;*.png")),
              QStringLiteral("图片文件 (*.bmp *.jpg *.jpeg *.gif *.png)"));
    EXPECT_EQ(qtFileFilter(QStringLiteral("JPG|*.jpg|BMP|*.bmp")), QStringLiteral("JPG (*.jpg);;BMP (*.bmp)"));
}
