#include "unattended/framing_job.h"

#include "imaging/encode_crop.h"

#include <QDir>
#include <QFileInfo>

QString FramingJobRefusal(const FramingJob& job)
{
    const QFileInfo source(job.sourceFolder);
    if (job.sourceFolder.isEmpty() || !source.isDir())
        return QStringLiteral("照片文件夹不存在：%1").arg(QDir::toNativeSeparators(job.sourceFolder));
    const QFileInfo save(job.saveFolder);
    if (save.exists() && !save.isDir())
        return QStringLiteral("保存位置不是文件夹：%1").arg(QDir::toNativeSeparators(job.saveFolder));
    if (job.saveFolder.isEmpty() || !save.isDir())
        return QStringLiteral("保存文件夹不存在：%1").arg(QDir::toNativeSeparators(job.saveFolder));
    if (!save.isWritable())
        return QStringLiteral("保存文件夹不可写入：%1").arg(QDir::toNativeSeparators(job.saveFolder));
    if (source.canonicalFilePath() == save.canonicalFilePath())
        return QStringLiteral("照片文件夹不可再用于保存，请换一个保存文件夹。");
    if (job.output.isEmpty())
        return QStringLiteral("输出尺寸无效。");
    if (!IsOutputExtension(job.extension))
        return QStringLiteral("输出格式无效：%1").arg(job.extension);
    if (job.naming == FramingNaming::CustomPrefix && job.prefix.trimmed().isEmpty())
        return QStringLiteral("请给出文件名前缀。");
    return {};
}
