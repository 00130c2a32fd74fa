#pragma once
// The unattended batch: every photo of a folder framed by the rule of
// 自动取景 and saved, on a pool of worker threads over the folder's list.
// No widget: the window and the command line drive the same run through its
// signals, on a thread with an event loop.
//
// Contract:
// - Photos are decoded, framed and encoded on `jobs` threads, at most two
//   photos a thread in hand at once, whatever the folder's size. While it
//   runs, each face search keeps to its own thread (the threads are the
//   photos'), and OpenCV's setting is given back at the end.
// - What the workers give back is saved on the run's own thread in the
//   folder's order, so names follow that order (a second run with the same
//   job gives the same files), each output written whole or not at all.
// - After each photo its line goes into the record in the save folder; a
//   job with `resume` passes over the photos the record has.
// - cancel() starts no further photo; the photos in hand are finished and
//   saved, then finished() comes.
#include "imaging/face_finder.h"
#include "unattended/framing_job.h"
#include "unattended/photo_framing.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QThreadPool>

#include <functional>
#include <map>
#include <memory>

class Clock;

struct FramingProgress {
    int done = 0;  // photos finished, those of an earlier run included
    int total = 0;
    double photosPerSecond = 0; // this run's
    double secondsLeft = -1;    // -1 until a rate is known
};

struct FramingException {
    QString source; // file name in the source folder
    QString reason;
};

struct FramingSummary {
    int total = 0;
    int saved = 0;          // by this run
    int savedBefore = 0;    // by the earlier runs the record has
    QList<FramingException> exceptions; // in the folder's order, the earlier runs' included
    bool cancelled = false;
    QString error; // a save that failed (a full disk, a folder gone): the run stopped there
};

class FramingRun : public QObject {
    Q_OBJECT
public:
    FramingRun(FramingJob job, FaceFinderMaker makeFinder, const Clock& clock, QObject* parent = nullptr);
    ~FramingRun() override; // waits for the photos in hand

    // Lists the source folder and starts; the job is one FramingJobRefusal
    // accepts. finished() comes even for a folder without photos.
    void start();
    void cancel();

    // The names of the source folder's photos, in the run's order: by name,
    // numbers by their value.
    const QStringList& photos() const { return photos_; }

signals:
    void progressed(const FramingProgress& progress);
    void finished(const FramingSummary& summary);

private:
    struct Result {
        int index = 0;
        PhotoFraming outcome = PhotoFraming::Unreadable;
        QByteArray bytes;      // the encoded output
        QByteArray sheetBytes; // the print sheet beside it, when the job asks for one
        bool overLimit = false;
    };
    struct Finders;

    void dispatch();
    void accept(Result result);
    void save(const Result& result);
    void finish();
    QString outputPath(int index) const;
    void report();

    FramingJob job_;
    const Clock& clock_;
    std::shared_ptr<Finders> finders_;
    QThreadPool pool_;
    QStringList photos_;
    std::vector<bool> done_; // by an earlier run
    int nextToStart_ = 0;
    int nextToSave_ = 0;
    int inHand_ = 0;
    std::map<int, Result> waiting_; // finished, not yet saved
    FramingSummary summary_;
    QList<std::pair<int, FramingException>> exceptions_;
    int finishedHere_ = 0;
    bool cancelled_ = false;
    bool ended_ = false;
    int threadsPerSearchBefore_ = -1; // OpenCV's setting while the run holds it at one
    QElapsedTimer clockStarted_;
};
