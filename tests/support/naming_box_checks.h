#pragma once
// What the naming box of both batch settings windows does when its list is
// closed: the style of the chosen scheme is applied again, with a choice or
// without (the custom scheme shows its empty edit box, any other its label).
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

// `openBox` opens a fresh settings window and gives its naming box;
// `scheme` gives a scheme's label; `customScheme` is the custom prefix's item.
inline void CheckClosingTheNamingList(const std::function<QComboBox*()>& openBox,
                                      const std::function<QString(int)>& scheme, int customScheme)
{
    const auto escape = [](QComboBox* box) { QTest::keyClick(box->view(), Qt::Key_Escape); };
    const auto choose = [](QComboBox* box, int index) {
        box->showPopup();
        box->view()->setCurrentIndex(box->model()->index(index, 0));
        QTest::keyClick(box->view(), Qt::Key_Return);
    };
    const struct {
        const char* what;
        int chosen;
        const char* typed;
        std::function<void(QComboBox*)> close;
        bool editable;
        bool labelShown; // false: the empty edit box
    } cases[] = {
        {"custom, Escape", customScheme, "甲班", escape, true, false},
        {"custom, another item highlighted, Escape", customScheme, "甲班",
         [escape](QComboBox* box) {
             box->view()->setCurrentIndex(box->model()->index(1, 0));
             escape(box);
         },
         true, false},
        {"custom, closed from the program", customScheme, "甲班", [](QComboBox* box) { box->hidePopup(); }, true,
         false},
        {"a fixed scheme, Escape", 1, "", escape, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QComboBox* box = openBox();
        ASSERT_NE(box, nullptr);
        choose(box, c.chosen);
        if (box->isEditable())
            box->lineEdit()->insert(QString::fromUtf8(c.typed));
        box->showPopup();
        ASSERT_TRUE(box->view()->isVisible());
        c.close(box);
        EXPECT_FALSE(box->view()->isVisible());
        EXPECT_EQ(box->currentIndex(), c.chosen);
        EXPECT_EQ(box->isEditable(), c.editable);
        EXPECT_EQ(box->currentText(), c.labelShown ? scheme(c.chosen) : QString());
    }
}
