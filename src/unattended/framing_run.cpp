#include "unattended/framing_run.h"

#include "batch/task_file.h"
#include "imaging/encode_crop.h"
#include "imaging/image_file_bytes.h"
#include "imaging/opencv_face_finder.h"
#include "naming/output_naming.h"
#include "platform/atomic_file.h"
#include "platform/clock.h"
#include "unattended/framing_record.h"
#include "unattended/print_sheets.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <mutex>

// The finders the workers share: one is taken for a photo and given back
// after it, so there are never more than threads, and each is used by one
// thread at a time.
struct FramingRun::Finders {
    std::mutex lock;
    FaceFinderMaker make;
    std::vector<std::unique_ptr<FaceFinder>> free;

    std::unique_ptr<FaceFinder> take()
    {
        {
            const std::lock_guard guard(lock);
            if (!free.empty()) {
                std::unique_ptr<FaceFinder> finder = std::move(free.back());
                free.pop_back();
                return finder;
            }
        }
        return make();
    }
    void giveBack(std::unique_ptr<FaceFinder> finder)
    {
        const std::lock_guard guard(lock);
        free.push_back(std::move(finder));
    }
};

namespace {

const QString kOverLimitReason = QStringLiteral("无法压缩到限定的文件大小");

QString InFolder(const QString& folder, const QString& name)
{
    return QDir(folder).filePath(name);
}

} // namespace

FramingRun::FramingRun(FramingJob job, FaceFinderMaker makeFinder, const Clock& clock, QObject* parent)
    : QObject(parent), job_(std::move(job)), clock_(clock), finders_(std::make_shared<Finders>())
{
    finders_->make = std::move(makeFinder);
    pool_.setMaxThreadCount(std::max(1, job_.jobs));
}

FramingRun::~FramingRun()
{
    cancelled_ = true;
    pool_.waitForDone();
    if (threadsPerSearchBefore_ >= 0 && !ended_)
        SetThreadsPerSearch(threadsPerSearchBefore_);
}

void FramingRun::start()
{
    clockStarted_.start();
    threadsPerSearchBefore_ = SetThreadsPerSearch(1);
    photos_ = ScanImageFolder(job_.sourceFolder);
    // By name, numbers in names by their value (2 before 10): the order a
    // person sees, the same on every file system.
    QCollator byName;
    byName.setNumericMode(true);
    std::stable_sort(photos_.begin(), photos_.end(),
                     [&](const QString& a, const QString& b) { return byName.compare(a, b) < 0; });
    summary_.total = int(photos_.size());
    done_.assign(photos_.size(), false);
    const QString recordPath = InFolder(job_.saveFolder, kFramingRecordName);
    if (job_.resume) {
        const QHash<QString, FramingRecordLine> record = ReadFramingRecord(recordPath);
        for (int i = 0; i < photos_.size(); ++i) {
            const auto line = record.constFind(photos_[i]);
            if (line == record.constEnd())
                continue;
            // A saved photo counts when its output is still there.
            if (!line->output.isEmpty() && !QFileInfo::exists(InFolder(job_.saveFolder, line->output)))
                continue;
            done_[i] = true;
            if (line->output.isEmpty())
                exceptions_.append({i, {photos_[i], line->reason}});
            else
                ++summary_.savedBefore;
        }
    } else {
        QFile::remove(recordPath);
    }
    dispatch();
    report();
    if (inHand_ == 0)
        finish();
}

void FramingRun::cancel()
{
    cancelled_ = true;
}

// Starts photos until two a thread are in hand.
void FramingRun::dispatch()
{
    const int most = 2 * pool_.maxThreadCount();
    while (!cancelled_ && inHand_ < most && nextToStart_ < photos_.size()) {
        const int index = nextToStart_++;
        if (done_[size_t(index)])
            continue;
        ++inHand_;
        const QString path = InFolder(job_.sourceFolder, photos_[index]);
        pool_.start([this, index, path, finders = finders_, job = job_] {
            Result result;
            result.index = index;
            std::unique_ptr<FaceFinder> finder = finders->take();
            const FramedPhoto framed = FramePhotoBytes(readImageFileBytes(path), job.output, *finder);
            finders->giveBack(std::move(finder));
            result.outcome = framed.outcome;
            if (framed.outcome == PhotoFraming::Framed) {
                const EncodedCrop encoded = EncodeCrop(framed.crop, job.extension, job.jpegLimitKB);
                result.bytes = encoded.bytes;
                result.overLimit = !encoded.success;
                if (!job.sheet.isEmpty() && encoded.success)
                    result.sheetBytes = EncodedSheet(framed.crop, job.sheet, job.extension);
            }
            QMetaObject::invokeMethod(this, [this, result] { accept(result); }, Qt::QueuedConnection);
        });
    }
}

void FramingRun::accept(Result result)
{
    --inHand_;
    waiting_.emplace(result.index, std::move(result));
    // Saved in the folder's order: names and the record follow it.
    while (summary_.error.isEmpty()) {
        while (nextToSave_ < photos_.size() && done_[size_t(nextToSave_)])
            ++nextToSave_;
        const auto next = waiting_.find(nextToSave_);
        if (next == waiting_.end())
            break;
        save(next->second);
        waiting_.erase(next);
        ++nextToSave_;
        ++finishedHere_;
    }
    if (!summary_.error.isEmpty())
        cancelled_ = true;
    dispatch();
    report();
    if (inHand_ == 0 && (cancelled_ || nextToStart_ >= photos_.size()))
        finish();
}

void FramingRun::save(const Result& result)
{
    const QString source = photos_[result.index];
    FramingRecordLine line{source, {}, {}};
    if (result.outcome != PhotoFraming::Framed) {
        line.reason = PhotoFramingReason(result.outcome);
    } else if (result.overLimit) {
        line.reason = kOverLimitReason;
    } else {
        const QString path = outputPath(result.index);
        if (path.isEmpty() || !writeFileAtomically(path, result.bytes)) {
            summary_.error = QStringLiteral("无法写入文件：%1").arg(QDir::toNativeSeparators(path));
            return;
        }
        if (!result.sheetBytes.isEmpty()) {
            const QString sheetPath = SheetPathBeside(path);
            if (!writeFileAtomically(sheetPath, result.sheetBytes)) {
                summary_.error = QStringLiteral("无法写入文件：%1").arg(QDir::toNativeSeparators(sheetPath));
                return;
            }
        }
        line.output = QFileInfo(path).fileName();
        ++summary_.saved;
    }
    if (!line.reason.isEmpty())
        exceptions_.append({result.index, {source, line.reason}});
    QFile record(InFolder(job_.saveFolder, kFramingRecordName));
    if (!record.open(QIODevice::Append | QIODevice::Text)
        || record.write(FramingRecordText(line).toUtf8()) < 0 || !record.flush())
        summary_.error = QStringLiteral("无法写入文件：%1").arg(QDir::toNativeSeparators(record.fileName()));
}

QString FramingRun::outputPath(int index) const
{
    NamingInputs inputs;
    inputs.folder = QDir::cleanPath(job_.saveFolder);
    inputs.extension = job_.extension;
    const auto numbered = [&](const QString& prefix) {
        return InFolder(inputs.folder, SafeFileName(prefix) + QStringLiteral("%1").arg(index + 1, 4, 10, QLatin1Char('0'))
                                           + LowerCaseExtension(job_.extension));
    };
    switch (job_.naming) {
    case FramingNaming::TimeStamp:
        inputs.mode = NamingMode::TimeStamp;
        inputs.now = clock_.now();
        return ComposeOutputPath(inputs);
    case FramingNaming::Sequence: return numbered({});
    case FramingNaming::CustomPrefix: return numbered(job_.prefix);
    case FramingNaming::SameAsSource:
        inputs.mode = NamingMode::SameAsSource;
        inputs.sourceName = photos_[index];
        inputs.sourcePath = InFolder(job_.sourceFolder, photos_[index]);
        return ComposeOutputPath(inputs);
    case FramingNaming::ClassList:
        // Photos past the list's end are numbered.
        if (index >= job_.listNames.size() || SafeFileName(job_.listNames[index]).isEmpty())
            return numbered({});
        inputs.mode = NamingMode::SpreadsheetCell;
        inputs.selectedName = job_.listNames[index];
        return ComposeOutputPath(inputs);
    }
    return {};
}

void FramingRun::report()
{
    FramingProgress progress;
    progress.total = summary_.total;
    progress.done = int(std::count(done_.begin(), done_.end(), true)) + finishedHere_;
    const double seconds = clockStarted_.nsecsElapsed() / 1e9;
    if (finishedHere_ > 0 && seconds > 0) {
        progress.photosPerSecond = finishedHere_ / seconds;
        progress.secondsLeft = (progress.total - progress.done) / progress.photosPerSecond;
    }
    emit progressed(progress);
}

void FramingRun::finish()
{
    if (ended_)
        return;
    ended_ = true;
    SetThreadsPerSearch(threadsPerSearchBefore_);
    summary_.cancelled = cancelled_ && summary_.error.isEmpty() && nextToSave_ < photos_.size();
    std::sort(exceptions_.begin(), exceptions_.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& exception : exceptions_)
        summary_.exceptions.append(exception.second);
    // The exceptions, for a person to look at: the whole list of every run.
    QString text;
    for (const FramingException& e : summary_.exceptions)
        text += e.source + u'\t' + e.reason + u'\n';
    const QString listPath = InFolder(job_.saveFolder, kFramingExceptionsName);
    if (text.isEmpty())
        QFile::remove(listPath);
    else if (!writeFileAtomically(listPath, text.toUtf8()) && summary_.error.isEmpty())
        summary_.error = QStringLiteral("无法写入文件：%1").arg(QDir::toNativeSeparators(listPath));
    emit finished(summary_);
}
