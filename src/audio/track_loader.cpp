// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/track_loader.h"

#include <cstdio>

void report_unplayable(std::string_view path)
{
    std::fprintf(stderr, "can't play %.*s\n", static_cast<int>(path.size()), path.data());
}

#ifdef VORLUNDE_NO_THREADS

TrackLoader::TrackLoader(std::function<void(const TrackChooser&)> work) : work_(std::move(work)) {}

TrackLoader::~TrackLoader() = default;

void TrackLoader::want(const TrackChooser& from)
{
    wish_ = from;
}

void TrackLoader::retire(std::unique_ptr<Decoder> decoder)
{
    decoder.reset();
}

void TrackLoader::report(std::vector<std::string>& paths)
{
    for (const std::string& path : paths)
        report_unplayable(path);
    paths.clear();
}

void TrackLoader::wait_until_idle()
{
    std::optional<TrackChooser> wish;
    wish.swap(wish_);
    if (wish)
        work_(*wish);
}

#else

TrackLoader::TrackLoader(std::function<void(const TrackChooser&)> work) : work_(std::move(work))
{
    retired_.reserve(8);
    reports_.reserve(8);
    thread_ = std::thread([this] { run(); });
}

TrackLoader::~TrackLoader()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void TrackLoader::want(const TrackChooser& from)
{
    {
        std::lock_guard lock(mutex_);
        wish_ = from;
    }
    wake_.notify_one();
}

void TrackLoader::retire(std::unique_ptr<Decoder> decoder)
{
    if (!decoder)
        return;
    {
        std::lock_guard lock(mutex_);
        retired_.push_back(std::move(decoder));
    }
    wake_.notify_one();
}

void TrackLoader::report(std::vector<std::string>& paths)
{
    if (paths.empty())
        return;
    {
        std::lock_guard lock(mutex_);
        if (reports_.empty())
            reports_.swap(paths);
        else
            reports_.insert(reports_.end(), paths.begin(), paths.end());
    }
    paths.clear();
    wake_.notify_one();
}

void TrackLoader::wait_until_idle()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !busy_ && !wish_ && retired_.empty() && reports_.empty(); });
}

void TrackLoader::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || wish_ || !retired_.empty() || !reports_.empty(); });
        if (stopping_)
            return;
        busy_ = true;
        std::vector<std::unique_ptr<Decoder>> retired;
        retired.swap(retired_);
        std::vector<std::string> reports;
        reports.swap(reports_);
        std::optional<TrackChooser> wish;
        wish.swap(wish_);
        retired_.reserve(8);
        reports_.reserve(8);
        lock.unlock();
        retired.clear();
        for (const std::string& path : reports)
            report_unplayable(path);
        if (wish)
            work_(*wish);
        lock.lock();
        busy_ = false;
        idle_.notify_all();
    }
}

#endif
