#include "unattended/framing_texts.h"

#include <cmath>

namespace {

constexpr int kBarWidth = 30;

QString Seconds(double seconds)
{
    const qint64 s = qint64(std::ceil(seconds));
    return s >= 60 ? QStringLiteral("%1 分 %2 秒").arg(s / 60).arg(s % 60) : QStringLiteral("%1 秒").arg(s);
}

} // namespace

QString FramingProgressText(const FramingProgress& progress, bool bar)
{
    QString text = QStringLiteral("%1/%2").arg(progress.done).arg(progress.total);
    if (progress.photosPerSecond > 0)
        text += QStringLiteral("  %1 张/秒").arg(progress.photosPerSecond, 0, 'f', 1);
    if (progress.secondsLeft >= 0 && progress.done < progress.total)
        text += QStringLiteral("  剩余约 %1").arg(Seconds(progress.secondsLeft));
    if (!bar)
        return text;
    const int filled = progress.total > 0 ? kBarWidth * progress.done / progress.total : kBarWidth;
    return u'[' + QString(filled, u'#') + QString(kBarWidth - filled, u'-') + QStringLiteral("] ") + text;
}

QString FramingSummaryText(const FramingSummary& summary)
{
    QString text = QStringLiteral("共 %1 张照片，本次保存 %2 张").arg(summary.total).arg(summary.saved);
    if (summary.savedBefore > 0)
        text += QStringLiteral("，此前已保存 %1 张").arg(summary.savedBefore);
    text += QStringLiteral("，未能取景 %1 张。").arg(summary.exceptions.size());
    if (summary.cancelled)
        text += QStringLiteral("已取消，其余照片未处理。");
    return text;
}

QString FramingExceptionText(const FramingException& exception)
{
    return exception.source + QStringLiteral("：") + exception.reason;
}
