// SPDX-License-Identifier: GPL-3.0-or-later
// The loader of builds with threads: a thread of its own, and local files.
#include "audio/track_loader.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

struct TrackLoader::State {
    explicit State(std::function<void(const TrackChooser&)> task) : work(std::move(task))
    {
        retired.reserve(8);
        reports.reserve(8);
        thread = std::thread([this] { run(); });
    }

    ~State()
    {
        {
            std::lock_guard lock(mutex);
            stopping = true;
        }
        wake.notify_one();
        thread.join();
    }

    State(const State&) = delete;
    State& operator=(const State&) = delete;

    void run();

    std::function<void(const TrackChooser&)> work;
    std::mutex mutex; // guards everything below
    std::condition_variable wake;
    std::condition_variable idle;
    std::optional<TrackChooser> wish;
    std::vector<std::unique_ptr<Decoder>> retired;
    std::vector<std::string> reports;
    bool busy = false;
    bool stopping = false;
    std::thread thread; // last: starts after, and is joined before, everything above
};

void TrackLoader::State::run()
{
    std::unique_lock lock(mutex);
    for (;;) {
        wake.wait(lock, [this] { return stopping || wish || !retired.empty() || !reports.empty(); });
        if (stopping)
            return;
        busy = true;
        std::vector<std::unique_ptr<Decoder>> retiring;
        retiring.swap(retired);
        std::vector<std::string> reporting;
        reporting.swap(reports);
        std::optional<TrackChooser> wanted;
        wanted.swap(wish);
        retired.reserve(8);
        reports.reserve(8);
        lock.unlock();
        retiring.clear();
        for (const std::string& path : reporting)
            report_unplayable(path);
        if (wanted)
            work(*wanted);
        lock.lock();
        busy = false;
        idle.notify_all();
    }
}

TrackLoader::TrackLoader(std::function<void(const TrackChooser&)> work)
    : state_(std::make_unique<State>(std::move(work)))
{
}

TrackLoader::~TrackLoader() = default;

void TrackLoader::want(const TrackChooser& from)
{
    {
        std::lock_guard lock(state_->mutex);
        state_->wish = from;
    }
    state_->wake.notify_one();
}

void TrackLoader::retire(std::unique_ptr<Decoder> decoder)
{
    if (!decoder)
        return;
    {
        std::lock_guard lock(state_->mutex);
        state_->retired.push_back(std::move(decoder));
    }
    state_->wake.notify_one();
}

void TrackLoader::report(std::vector<std::string>& paths)
{
    if (paths.empty())
        return;
    {
        std::lock_guard lock(state_->mutex);
        if (state_->reports.empty())
            state_->reports.swap(paths);
        else
            state_->reports.insert(state_->reports.end(), paths.begin(), paths.end());
    }
    paths.clear();
    state_->wake.notify_one();
}

void TrackLoader::wait_until_idle()
{
    std::unique_lock lock(state_->mutex);
    state_->idle.wait(lock, [this] {
        return !state_->busy && !state_->wish && state_->retired.empty() && state_->reports.empty();
    });
}

// The loader thread takes wishes as they come.
void TrackLoader::after_mix() {}

bool TrackLoader::readable(const std::string&, std::function<void()>)
{
    return true;
}
