#include "unattended/framing_command.h"

#include "unattended/class_list_names.h"
#include "unattended/framing_record.h"
#include "unattended/framing_run.h"
#include "unattended/framing_texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>


namespace {

int Refuse(QTextStream& err, const QString& message)
{
    err << message << '\n';
    err.flush();
    return kBadArguments;
}

} // namespace

int RunFramingCommand(const FramingArguments& arguments, const FaceFinderMaker& makeFinder, const Clock& clock,
                      QTextStream& out, QTextStream& err, bool terminal)
{
    switch (arguments.kind) {
    case FramingArguments::Kind::Help:
        out << FramingHelpText();
        out.flush();
        return kAllSaved;
    case FramingArguments::Kind::Version:
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << '\n';
        out.flush();
        return kAllSaved;
    case FramingArguments::Kind::Wrong:
        return Refuse(err, arguments.error + QStringLiteral("\n运行 idphoto --help 查看用法。"));
    case FramingArguments::Kind::Window:
    case FramingArguments::Kind::Batch:
        break;
    }
    FramingJob job = arguments.job;
    if (job.naming == FramingNaming::ClassList) {
        const ClassListNames list =
            ReadClassListNames(arguments.classList.book, arguments.classList.sheet, arguments.classList.cell);
        if (!list.error.isEmpty())
            return Refuse(err, list.error);
        job.listNames = list.names;
    }
    // A save folder that is not there yet is made, once the photos are.
    if (QFileInfo(job.sourceFolder).isDir() && !QFileInfo::exists(job.saveFolder) && !QDir().mkpath(job.saveFolder))
        return Refuse(err, QStringLiteral("无法创建保存文件夹：%1").arg(QDir::toNativeSeparators(job.saveFolder)));
    if (const QString refusal = FramingJobRefusal(job); !refusal.isEmpty())
        return Refuse(err, refusal);

    FramingRun run(job, makeFinder, clock);
    FramingSummary summary;
    QEventLoop loop;
    bool ended = false;
    QElapsedTimer sinceLine;
    QObject::connect(&run, &FramingRun::progressed, &loop, [&](const FramingProgress& progress) {
        if (terminal) {
            err << '\r' << FramingProgressText(progress, true);
            err.flush();
        } else if (!sinceLine.isValid() || sinceLine.elapsed() >= 1000 || progress.done == progress.total) {
            // A line a second at most: a log stays readable.
            err << FramingProgressText(progress, false) << '\n';
            err.flush();
            sinceLine.start();
        }
    });
    QObject::connect(&run, &FramingRun::finished, &loop, [&](const FramingSummary& s) {
        summary = s;
        ended = true;
        loop.quit();
    });
    run.start();
    if (!ended)
        loop.exec();
    if (terminal)
        err << '\n';

    err << FramingSummaryText(summary) << '\n';
    for (const FramingException& e : summary.exceptions)
        err << "  " << FramingExceptionText(e) << '\n';
    if (!summary.exceptions.isEmpty())
        err << QStringLiteral("未能取景的照片已列在 %1")
                   .arg(QDir::toNativeSeparators(QDir(job.saveFolder).filePath(kFramingExceptionsName)))
            << '\n';
    if (!summary.error.isEmpty())
        err << summary.error << '\n';
    err.flush();
    if (!summary.error.isEmpty())
        return kBadArguments;
    return summary.exceptions.isEmpty() ? kAllSaved : kSomeNotFramed;
}
