// SPDX-License-Identifier: GPL-3.0-or-later
// The loader of the browser's build: one thread, so the work is done between events, and the
// music is fetched by the page (web/player.js) when first wanted, then kept in the file system.
#include "audio/track_loader.h"

#include <emscripten.h>

#include <optional>
#include <utility>

namespace {

// Callbacks of readable() waiting for files the page fetches. The page holds a pointer to it
// while the loader lives and calls vorlunde_web_track_files_arrived after each fetch ends.
class FileWaits {
public:
    void add(const std::string& path, std::function<void()> arrived) { waits_.emplace_back(path, std::move(arrived)); }
    // Runs the callbacks whose files are in (taken out first: a callback may wait again).
    void run_arrived();

private:
    std::vector<std::pair<std::string, std::function<void()>>> waits_;
};

// 1 when the page has the file at `path` (fetched, missing, or not one of the site's), else 0
// after asking for it.
EM_JS(int, page_track_file, (const char* path), {
    return Module.vorlundePage.trackFile(UTF8ToString(path)) ? 1 : 0;
});

EM_JS(void, page_watch_track_files, (FileWaits* waits, int watch), {
    if (watch)
        Module.vorlundePage.trackLoaders.add(waits);
    else
        Module.vorlundePage.trackLoaders.delete(waits);
});

void FileWaits::run_arrived()
{
    std::vector<std::function<void()>> ready;
    std::erase_if(waits_, [&ready](auto& wait) {
        if (!page_track_file(wait.first.c_str()))
            return false;
        ready.push_back(std::move(wait.second));
        return true;
    });
    for (const auto& arrived : ready)
        arrived();
}

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void vorlunde_web_track_files_arrived(FileWaits* waits)
{
    waits->run_arrived();
}

struct TrackLoader::State {
    explicit State(std::function<void(const TrackChooser&)> task) : work(std::move(task))
    {
        page_watch_track_files(&waits, 1);
    }

    ~State() { page_watch_track_files(&waits, 0); }

    State(const State&) = delete;
    State& operator=(const State&) = delete;

    std::function<void(const TrackChooser&)> work;
    std::optional<TrackChooser> wish;
    FileWaits waits;
};

TrackLoader::TrackLoader(std::function<void(const TrackChooser&)> work)
    : state_(std::make_unique<State>(std::move(work)))
{
}

TrackLoader::~TrackLoader() = default;

void TrackLoader::want(const TrackChooser& from)
{
    state_->wish = from;
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
    wish.swap(state_->wish);
    if (wish)
        state_->work(*wish);
}

void TrackLoader::after_mix()
{
    wait_until_idle();
}

bool TrackLoader::readable(const std::string& path, std::function<void()> arrived)
{
    if (page_track_file(path.c_str()))
        return true;
    state_->waits.add(path, std::move(arrived));
    return false;
}
