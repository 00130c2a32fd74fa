#pragma once
// 批量速拍设置: the save folder, format, naming scheme, shutter sound and
// keep-settings choice of fast capture (the camera window's photo-booth
// mode). The window edits the fast capture settings in place as the user
// chooses (the format, the scheme and the shutter sound at once, the folder
// and the prefix at OK); a successful OK emits confirmed(), and the owner
// then switches fast capture on, keeps the settings and closes the window.
#include "state/app_state.h"

#include <QDialog>

class Dialogs;
class NameListSeam;
class NamingBox;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class FastCaptureSettingsWindow : public QDialog {
    Q_OBJECT
public:
    // nameListState tells whether the name list window is open.
    FastCaptureSettingsWindow(FastCaptureSettings& fast, Dialogs& dialogs, NameListSeam& nameList,
                              const NameListState& nameListState, QWidget* parent = nullptr);

    bool keepSettingsTicked() const;

    // The OK button: the checks in order; on success the folder and the
    // custom prefix are taken and confirmed() is emitted.
    void confirmFastSettings();

signals:
    void confirmed();

private:
    void createUnits();
    void fill();
    void bindEvents();
    void onNamingChosen(int index);

    FastCaptureSettings& fast_;
    Dialogs& dialogs_;
    NameListSeam& nameList_;
    const NameListState& nameListState_;
    QLineEdit* saveBox_ = nullptr;         // 速拍保存目录编辑框
    QPushButton* browseSave_ = nullptr;    // 浏览按钮
    QComboBox* formatBox_ = nullptr;       // 速拍格式组合框
    NamingBox* namingBox_ = nullptr;       // 速拍命名方式组合框
    QCheckBox* shutterSoundBox_ = nullptr; // 发快门声选择框
    QCheckBox* keepBox_ = nullptr;         // 保存速拍设置选择框
    QPushButton* okButton_ = nullptr;      // 确定速拍设置按钮
};
