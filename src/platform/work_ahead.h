#pragma once
// Work done ahead on Qt's thread pool, whose result the caller takes when it
// needs it: done by the pool if it got there first (waited for when it is
// under way), otherwise done there and then by the caller, so that nothing
// ever waits on a pool that cannot run it (a busy pool, or a process that
// cannot start threads). Work that is no longer wanted and has not started
// never runs.
#include <QThreadPool>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <memory>

template <class Result>
class WorkAhead {
public:
    // The work, not yet started anywhere.
    static std::shared_ptr<WorkAhead> make(std::function<Result()> work)
    {
        return std::shared_ptr<WorkAhead>(new WorkAhead(std::move(work)));
    }

    // The work and its queueing on the pool.
    static std::shared_ptr<WorkAhead> start(std::function<Result()> work)
    {
        std::shared_ptr<WorkAhead> ahead = make(std::move(work));
        QThreadPool::globalInstance()->start([ahead] { ahead->runUnlessClaimed(); });
        return ahead;
    }

    Result take()
    {
        runUnlessClaimed();
        return result_.get();
    }

    // The result is there: take() returns at once. For callers that look
    // again later rather than wait.
    bool ready() const { return result_.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }

    // Not wanted any more: if it has not started, it never will, and the
    // answer is true; false when it is under way or done.
    bool drop() { return !claimed_.exchange(true); }

private:
    explicit WorkAhead(std::function<Result()> work) : work_(std::move(work)) {}

    // Whoever sets the claim first does the work.
    void runUnlessClaimed()
    {
        if (!claimed_.exchange(true))
            promise_.set_value(work_());
    }

    std::function<Result()> work_;
    std::atomic<bool> claimed_{false};
    std::promise<Result> promise_;
    std::shared_future<Result> result_ = promise_.get_future().share();
};

// Work over the items [0, count) in two halves: the second half ahead on the
// pool, the first here, then the second taken (done here too when the pool
// had not got to it). For work split only to use a second processor: each
// half must touch only its own items' results.
inline void SplitInTwo(int count, const std::function<void(int begin, int end)>& work)
{
    const int middle = count / 2;
    if (middle == 0 || QThreadPool::globalInstance()->maxThreadCount() < 2) {
        work(0, count);
        return;
    }
    const auto second = WorkAhead<bool>::start([&work, middle, count] {
        work(middle, count);
        return true;
    });
    work(0, middle);
    second->take();
}

