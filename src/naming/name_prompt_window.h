#pragma once
// The small modal window that asks for the name of the crop or shot that was
// just written to the temporary file; a commit moves the file to its name.
#include "naming/name_prompt.h"

#include <QDialog>

class Dialogs;
class QLineEdit;
class QPushButton;

struct NamePromptContext {
    QString title;          // kBatchPromptTitle or kFastPromptTitle
    QString folder;         // output folder
    QString extension;      // output extension, any case (the file gets it lower-cased)
    QString temporaryFile;  // the crop or shot waiting for its name
};

class NamePromptWindow : public QDialog {
    Q_OBJECT
public:
    NamePromptWindow(const NamePromptContext& context, Dialogs& dialogs, QWidget* parent = nullptr);

    // The file the crop was moved to, empty until a commit succeeded.
    QString savedPath() const { return savedPath_; }

    // Commits the typed name: an empty name is refused with a message; a
    // failed move keeps the window open and the temporary file in place.
    bool commitName(NameCommit how);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    NamePromptContext context_;
    Dialogs& dialogs_;
    QLineEdit* nameBox_ = nullptr; // 编辑框1
    QPushButton* okButton_ = nullptr; // 按钮1
    QString savedPath_;
};
