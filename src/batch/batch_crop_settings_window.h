#pragma once
// 批量截图设置: the folders, format, naming scheme, crop sound and
// keep-settings choice of batch crop. The window edits the batch settings
// in place as the user chooses (the format and the scheme at once, the
// folders at an OK that passes every check); a successful OK emits
// confirmed(), and the batch mode then starts the run and closes the window.
#include "state/app_state.h"

#include <QDialog>

class Dialogs;
class NameListSeam;
class NamingBox;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class BatchCropSettingsWindow : public QDialog {
    Q_OBJECT
public:
    // nameListState tells whether the name list window is open.
    BatchCropSettingsWindow(BatchState& batch, Dialogs& dialogs, NameListSeam& nameList,
                            const NameListState& nameListState, QWidget* parent = nullptr);

    bool keepSettingsTicked() const;
    bool cropSoundTicked() const;

    // The OK button: the checks in order; on success the custom prefix is
    // taken and confirmed() is emitted.
    void confirmBatchSettings();

signals:
    void confirmed();

private:
    void createUnits();
    void fill();
    void bindEvents();
    void onNamingChosen(int index);

    BatchState& batch_;
    Dialogs& dialogs_;
    NameListSeam& nameList_;
    const NameListState& nameListState_;
    QLineEdit* sourceBox_ = nullptr;      // 批截目标目录编辑框
    QPushButton* browseSource_ = nullptr; // 浏览批截目标目录按钮
    QLineEdit* saveBox_ = nullptr;        // 批截保存目录编辑框
    QPushButton* browseSave_ = nullptr;   // 浏览批截保存目录按钮
    QComboBox* formatBox_ = nullptr;      // 批截格式组合框
    NamingBox* namingBox_ = nullptr;      // 批截命名方式组合框
    QCheckBox* cropSoundBox_ = nullptr;   // 裁切声选择框
    QCheckBox* keepBox_ = nullptr;        // 保存批截设置选择框
    QPushButton* okButton_ = nullptr;     // 确定批截设置按钮
};
