#pragma once
// Qt's global thread pool with its only thread kept busy for the life of
// this object: whatever is queued on the pool meanwhile does not run, as in
// a process that cannot start threads (a low process or memory limit).
#include <QSemaphore>
#include <QThreadPool>

class BusyThreadPool {
public:
    BusyThreadPool() : pool_(QThreadPool::globalInstance()), threads_(pool_->maxThreadCount())
    {
        pool_->waitForDone();
        pool_->setMaxThreadCount(1);
        pool_->start([this] {
            started_.release();
            release_.acquire();
        });
        started_.acquire();
    }
    ~BusyThreadPool()
    {
        release_.release();
        pool_->waitForDone();
        pool_->setMaxThreadCount(threads_);
    }
    BusyThreadPool(const BusyThreadPool&) = delete;
    BusyThreadPool& operator=(const BusyThreadPool&) = delete;

private:
    QThreadPool* pool_;
    int threads_;
    QSemaphore started_;
    QSemaphore release_;
};
