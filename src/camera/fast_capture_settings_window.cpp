#include "camera/fast_capture_settings_window.h"

#include "platform/named_unit.h"
#include "naming/batch_settings_checks.h"
#include "naming/settings_window_units.h"
#include "state/naming_schemes.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

using namespace SettingsUnits;

namespace {

// Positions among the fast naming schemes.
constexpr int kCustomScheme = 2;
constexpr int kSpreadsheetScheme = 4;

} // namespace

FastCaptureSettingsWindow::FastCaptureSettingsWindow(FastCaptureSettings& fast, Dialogs& dialogs,
                                                     NameListSeam& nameList,
                                                     const NameListState& nameListState,
                                                     QWidget* parent)
    : QDialog(parent), fast_(fast), dialogs_(dialogs), nameList_(nameList),
      nameListState_(nameListState)
{
    setWindowTitle(QStringLiteral("批量速拍设置"));
    setFixedSize(466, 225);
    createUnits();
    fill();
    bindEvents();
}

bool FastCaptureSettingsWindow::keepSettingsTicked() const
{
    return keepBox_->isChecked();
}

void FastCaptureSettingsWindow::createUnits()
{
    label(this, "标签1", "图片保存目录", {10, 12, 80, 24});
    saveBox_ = Named(new QLineEdit(this), "速拍保存目录编辑框", {90, 12, 268, 24});
    browseSave_ = button(this, "浏览按钮", "新建、浏览目录", {362, 12, 94, 24});

    label(this, "标签3", "图片保存格式", {10, 48, 80, 24});
    formatBox_ = formatBox(this, "速拍格式组合框", {90, 48, 368, 22});

    label(this, "标签2", "图片命名方式", {10, 84, 80, 24});
    namingBox_ = Named(new NamingBox(fastNamingSchemes(), kCustomScheme, this), "速拍命名方式组合框",
                       {90, 84, 368, 22});

    shutterSoundBox_ = checkBox(this, "发快门声选择框", "拍照时发出快门声", {92, 116, 144, 24});
    keepBox_ = checkBox(this, "保存速拍设置选择框", "保存上述设置供下次使用", {92, 148, 212, 24});
    okButton_ = button(this, "确定速拍设置按钮", "确定", {194, 177, 80, 32});
}

void FastCaptureSettingsWindow::fill()
{
    saveBox_->setText(shownFolder(fast_.fastSaveDir));
    selectFormat(formatBox_, fast_.fastExtension);

    int scheme = static_cast<int>(fastNamingSchemes().indexOf(fast_.fastNamingMode));
    if (scheme < 0) {
        scheme = 0;
        fast_.fastNamingMode = fastNamingSchemes()[scheme];
    }
    namingBox_->showScheme(scheme, fast_.fastCustomPrefix);

    shutterSoundBox_->setChecked(fast_.fastShutterSound);
    keepBox_->setChecked(fast_.keepFastSettings);
    saveBox_->setFocus();
}

void FastCaptureSettingsWindow::bindEvents()
{
    connect(formatBox_, &QComboBox::currentIndexChanged, this,
            [this](int index) { fast_.fastExtension = formatAt(index); });
    connect(namingBox_, &NamingBox::schemeChosen, this, &FastCaptureSettingsWindow::onNamingChosen);
    connect(shutterSoundBox_, &QCheckBox::clicked, this,
            [this](bool ticked) { fast_.fastShutterSound = ticked; });
    connect(browseSave_, &QPushButton::clicked, this, [this] {
        browseFolder(dialogs_, saveBox_, QStringLiteral("请选择或者新建一个文件夹"));
    });
    connect(okButton_, &QPushButton::clicked, this, &FastCaptureSettingsWindow::confirmFastSettings);
}

void FastCaptureSettingsWindow::onNamingChosen(int index)
{
    fast_.fastNamingMode = schemeAt(fastNamingSchemes(), index);
    closeNameListUnless(index == kSpreadsheetScheme, nameList_, nameListState_);
}

void FastCaptureSettingsWindow::confirmFastSettings()
{
    const bool customScheme = fast_.fastNamingMode == fastNamingSchemes()[kCustomScheme];
    const std::optional<BatchSettingsRefusal> refusal =
        CheckFastSettings(saveBox_->text(), customScheme, namingBox_->currentText());
    if (refusal) {
        showRefusal(dialogs_, *refusal, namingBox_);
        return;
    }
    fast_.fastSaveDir = StoredFolderText(saveBox_->text());
    fast_.fastCustomPrefix = customScheme ? TrimmedPrefix(namingBox_->currentText()) : QString();
    emit confirmed();
}
