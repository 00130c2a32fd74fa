#include "batch/batch_crop_settings_window.h"

#include "platform/named_unit.h"
#include "naming/batch_settings_checks.h"
#include "naming/settings_window_units.h"
#include "naming/name_list_seam.h"
#include "state/naming_schemes.h"
#include "platform/dialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

using namespace SettingsUnits;

namespace {

constexpr int kCustomScheme = 3;
constexpr int kSpreadsheetScheme = 5;

} // namespace

BatchCropSettingsWindow::BatchCropSettingsWindow(BatchState& batch, Dialogs& dialogs,
                                                 NameListSeam& nameList,
                                                 const NameListState& nameListState,
                                                 QWidget* parent)
    : QDialog(parent), batch_(batch), dialogs_(dialogs), nameList_(nameList),
      nameListState_(nameListState)
{
    setWindowTitle(kBatchSettingsTitle);
    setFixedSize(466, 236);
    createUnits();
    fill();
    bindEvents();
}

bool BatchCropSettingsWindow::keepSettingsTicked() const
{
    return keepBox_->isChecked();
}

bool BatchCropSettingsWindow::cropSoundTicked() const
{
    return cropSoundBox_->isChecked();
}

void BatchCropSettingsWindow::createUnits()
{
    label(this, "等待截图目录标签", "等待截图目录", {10, 12, 80, 24});
    sourceBox_ = Named(new QLineEdit(this), "批截目标目录编辑框", {90, 12, 268, 24});
    browseSource_ = button(this, "浏览批截目标目录按钮", "浏览待截图目录", {362, 12, 94, 24});

    label(this, "图片保存目录标签", "图片保存目录", {10, 48, 80, 24});
    saveBox_ = Named(new QLineEdit(this), "批截保存目录编辑框", {90, 48, 268, 24});
    browseSave_ = button(this, "浏览批截保存目录按钮", "新建、浏览目录", {362, 48, 94, 24});

    label(this, "图片保存格式标签", "图片保存格式", {10, 84, 80, 24});
    formatBox_ = formatBox(this, "批截格式组合框", {90, 84, 368, 22});

    label(this, "图片命名方式标签", "图片命名方式", {10, 120, 80, 24});
    namingBox_ = Named(new NamingBox(batchNamingSchemes(), kCustomScheme, this), "批截命名方式组合框",
                       {90, 120, 368, 22});

    cropSoundBox_ = checkBox(this, "裁切声选择框", "截图时发出裁切声", {64, 156, 144, 24});
    keepBox_ = checkBox(this, "保存批截设置选择框", "保存上述设置供下次使用", {232, 156, 180, 24});
    okButton_ = button(this, "确定批截设置按钮", "确定", {194, 189, 80, 32});
}

void BatchCropSettingsWindow::fill()
{
    BatchCropSettings& settings = batch_.settings;
    batch_.settingsConfirmed = false;
    sourceBox_->setText(shownFolder(settings.sourceFolder));
    saveBox_->setText(shownFolder(settings.saveFolder));

    selectFormat(formatBox_, settings.outputExtension);

    const int scheme = static_cast<int>(batchNamingSchemes().indexOf(settings.namingText));
    if (scheme >= 0)
        settings.namingIndex = scheme;
    namingBox_->showScheme(settings.namingIndex, settings.customPrefix);

    cropSoundBox_->setChecked(settings.cropSound);
    keepBox_->setChecked(settings.keepSettings);
    sourceBox_->setFocus();
}

void BatchCropSettingsWindow::bindEvents()
{
    connect(formatBox_, &QComboBox::currentIndexChanged, this,
            [this](int index) { batch_.settings.outputExtension = formatAt(index); });
    connect(namingBox_, &NamingBox::schemeChosen, this, &BatchCropSettingsWindow::onNamingChosen);
    connect(cropSoundBox_, &QCheckBox::clicked, this,
            [this](bool ticked) { batch_.settings.cropSound = ticked; });
    connect(browseSource_, &QPushButton::clicked, this, [this] {
        browseFolder(dialogs_, sourceBox_,
                     QStringLiteral("选择待截图文件夹，以便对文件夹中的图片进行批量截图。"));
    });
    connect(browseSave_, &QPushButton::clicked, this, [this] {
        browseFolder(dialogs_, saveBox_, QStringLiteral("请选择或者新建一个文件夹"));
    });
    connect(okButton_, &QPushButton::clicked, this, &BatchCropSettingsWindow::confirmBatchSettings);
}

void BatchCropSettingsWindow::onNamingChosen(int index)
{
    batch_.settings.namingIndex = index;
    batch_.settings.namingText = schemeAt(batchNamingSchemes(), index);
    closeNameListUnless(index == kSpreadsheetScheme, nameList_, nameListState_);
}

void BatchCropSettingsWindow::confirmBatchSettings()
{
    BatchCropSettings& settings = batch_.settings;
    const bool customScheme = settings.namingText == batchNamingSchemes()[kCustomScheme];
    const std::optional<BatchSettingsRefusal> refusal = CheckBatchSettings(
        {sourceBox_->text(), saveBox_->text(), customScheme, namingBox_->currentText()});

    // A refused OK takes no folder: a run that is on keeps writing where it
    // wrote, and its task keeps the folder it lists.
    if (refusal) {
        showRefusal(dialogs_, *refusal, namingBox_);
        if (refusal->clearSaveBox)
            saveBox_->clear();
        return;
    }
    settings.sourceFolder = StoredFolderText(sourceBox_->text());
    settings.saveFolder = StoredFolderText(saveBox_->text());
    settings.customPrefix = customScheme ? TrimmedPrefix(namingBox_->currentText()) : QString();
    emit confirmed();
}
