#include "naming/name_prompt_window.h"

#include "imaging/encode_crop.h"
#include "imaging/image_limits.h"
#include "naming/output_naming.h"
#include "platform/atomic_file.h"
#include "platform/dialogs.h"
#include "workspace/crop_and_save.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

NamePromptWindow::NamePromptWindow(const NamePromptContext& context, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), context_(context), dialogs_(dialogs)
{
    setWindowTitle(context_.title);
    setFixedSize(334, 55);

    nameBox_ = new QLineEdit(this);
    nameBox_->setObjectName(QStringLiteral("编辑框1"));
    nameBox_->setGeometry(8, 10, 230, 36);
    QFont font(QStringList{QStringLiteral("SimSun"), QApplication::font().family()});
    font.setPixelSize(19);
    nameBox_->setFont(font);

    okButton_ = new QPushButton(QStringLiteral("确定"), this);
    okButton_->setObjectName(QStringLiteral("按钮1"));
    okButton_->setGeometry(248, 11, 76, 32);
    // Enter is handled in keyPressEvent; a default button would commit a
    // second time.
    okButton_->setAutoDefault(false);
    okButton_->setDefault(false);
    connect(okButton_, &QPushButton::clicked, this, [this] { commitName(NameCommit::OkButton); });

    nameBox_->setFocus();
}

void NamePromptWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // The edit box passes Enter on; on the focused button it acts as a click.
        if (focusWidget() == okButton_)
            okButton_->click();
        else
            commitName(NameCommit::EnterKey);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool NamePromptWindow::commitName(NameCommit how)
{
    const QString name = PromptedName(nameBox_->text(), how);
    if (name.isEmpty()) {
        dialogs_.showMessage(QStringLiteral("提示"), kEmptyNameMessage, MessageIcon::Information,
                             MessageButtons::Ok);
        return false;
    }
    const QString path =
        FirstFreeSuffixedPath(context_.folder, name, LowerCaseExtension(context_.extension));
    // A copy written atomically, so a failure leaves neither a partial file
    // nor a lost crop.
    const QByteArray bytes = readSmallFile(context_.temporaryFile, kMaxImageFileBytes);
    if (bytes.isEmpty() || !writeFileAtomically(path, bytes)) {
        dialogs_.showMessage(QStringLiteral("提示"), kWriteFailedMessage, MessageIcon::Warning,
                             MessageButtons::Ok);
        return false;
    }
    QFile::remove(context_.temporaryFile);
    savedPath_ = path;
    accept();
    return true;
}
