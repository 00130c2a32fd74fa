#include "naming/name_prompt.h"

#include <gtest/gtest.h>

namespace {

TEST(PromptedName, TrimsSpacesAndRemovesImageExtensions)
{
    const struct {
        QString typed;
        QString expected; // the same for Enter and for the button
    } cases[] = {
        {QStringLiteral("  证件照.JPG "), QStringLiteral("证件照")},
        {QStringLiteral("　张三　"), QStringLiteral("张三")},            // full-width spaces
        {QStringLiteral(" 　 李 四　 "), QStringLiteral("李 四")},       // inner space kept
        {QStringLiteral("   "), QString()},
        {QStringLiteral("　　"), QString()},
        {QStringLiteral(" 　 "), QString()},
        {QString(), QString()},
        {QStringLiteral(".jpg"), QString()},
        {QStringLiteral(" .PNG "), QString()},
        {QStringLiteral(".jpg.bmp.gif.png"), QString()},
        {QStringLiteral(".jpg　.jpg"), QString()},                       // only a full-width space left
        {QStringLiteral("a.Jpg"), QStringLiteral("a")},
        {QStringLiteral("a.bMp"), QStringLiteral("a")},
        {QStringLiteral("a.GiF"), QStringLiteral("a")},
        {QStringLiteral("a.pNG"), QStringLiteral("a")},
        {QStringLiteral("a.png.b.JPG.c"), QStringLiteral("a.b.c")},      // every occurrence, anywhere
        {QStringLiteral("photo.jpeg"), QStringLiteral("photo.jpeg")},    // not one of the four
        {QStringLiteral("a/b"), QStringLiteral("a_b")},                  // made safe
        {QStringLiteral(".."), QString()},
        {QStringLiteral("a .jpg"), QStringLiteral("a ")},                // spaces left by a removal stay
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PromptedName(c.typed, NameCommit::EnterKey), c.expected) << c.typed.toStdString();
        EXPECT_EQ(PromptedName(c.typed, NameCommit::OkButton), c.expected) << c.typed.toStdString();
    }
}

TEST(PromptedName, EnterAndTheButtonRemoveExtensionsInTheirOwnOrder)
{
    // One pass per extension: a removal can join text into a new extension
    // that only a later pass removes.
    const struct {
        QString typed;
        QString byEnter;  // .jpg, .bmp, .gif, .png
        QString byButton; // .bmp, .jpg, .gif, .png
    } cases[] = {
        {QStringLiteral("a.bm.jpgp"), QStringLiteral("a"), QStringLiteral("a.bmp")},
        {QStringLiteral("a.jp.bmpg"), QStringLiteral("a.jpg"), QStringLiteral("a")},
        {QStringLiteral("a.BM.JPGP"), QStringLiteral("a"), QStringLiteral("a.BMP")},
        {QStringLiteral("a.j.jpgpg"), QStringLiteral("a.jpg"), QStringLiteral("a.jpg")}, // one pass each
        {QStringLiteral("x.g.pngif"), QStringLiteral("x.gif"), QStringLiteral("x.gif")},  // after the .gif pass
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PromptedName(c.typed, NameCommit::EnterKey), c.byEnter) << c.typed.toStdString();
        EXPECT_EQ(PromptedName(c.typed, NameCommit::OkButton), c.byButton) << c.typed.toStdString();
    }
}

} // namespace
