// SPDX-License-Identifier: GPL-3.0-or-later
#include "watch_loop.h"

#include "load_error_line.h"
#include "skin_manifest.h"

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <map>
#include <set>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace {

fs::path normal(const fs::path& path)
{
    return fs::absolute(path).lexically_normal();
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// SIGINT and SIGTERM blocked for the loop's lifetime and readable from a signalfd.
class StopSignals {
public:
    StopSignals()
    {
        sigemptyset(&set_);
        sigaddset(&set_, SIGINT);
        sigaddset(&set_, SIGTERM);
        sigprocmask(SIG_BLOCK, &set_, &previous_);
        fd_ = ::signalfd(-1, &set_, SFD_CLOEXEC);
        if (fd_ < 0)
            throw std::runtime_error("can't watch for signals");
    }
    ~StopSignals()
    {
        ::close(fd_);
        sigprocmask(SIG_SETMASK, &previous_, nullptr);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    int fd() const { return fd_; }
    // Takes the pending signal, so that it is not delivered once the mask is restored.
    void consume() const
    {
        signalfd_siginfo info{};
        [[maybe_unused]] const ssize_t length = ::read(fd_, &info, sizeof info);
    }
    // The mask a child must run with.
    const sigset_t& previous() const { return previous_; }

private:
    sigset_t set_{}, previous_{};
    int fd_ = -1;
};

// The player running on the latest good build, if any.
class PlayerProcess {
public:
    explicit PlayerProcess(const StopSignals& signals) : signals_(signals) {}
    ~PlayerProcess() { stop(); }
    PlayerProcess(const PlayerProcess&) = delete;
    PlayerProcess& operator=(const PlayerProcess&) = delete;

    // Asks the running player to load the skin again; starts one when none runs (none yet,
    // or it has ended).
    void run_or_reload(const fs::path& player, const fs::path& dir, std::ostream& out)
    {
        if (pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0) {
            ::kill(pid_, SIGHUP);
            out << "asked process " << pid_ << " to reload the skin" << std::endl;
            return;
        }
        pid_ = -1;
        start(player, dir, out);
    }

    void stop()
    {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGTERM);
        using namespace std::chrono;
        const auto deadline = steady_clock::now() + seconds(3);
        while (::waitpid(pid_, nullptr, WNOHANG) == 0) {
            if (steady_clock::now() > deadline) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, nullptr, 0);
                break;
            }
            std::this_thread::sleep_for(milliseconds(10));
        }
        pid_ = -1;
    }

private:
    void start(const fs::path& player, const fs::path& dir, std::ostream& out)
    {
        const pid_t pid = ::fork();
        if (pid == 0) {
            // SIGHUP waits, blocked, until the player has its handler and unblocks it.
            sigset_t mask = signals_.previous();
            sigaddset(&mask, SIGHUP);
            sigprocmask(SIG_SETMASK, &mask, nullptr);
            if (::chdir(dir.c_str()) == 0) {
                if (player.has_parent_path())
                    ::execl(player.c_str(), player.c_str(), static_cast<char*>(nullptr));
                else
                    ::execlp(player.c_str(), player.c_str(), static_cast<char*>(nullptr));
            }
            ::_exit(127);
        }
        pid_ = pid;
        if (pid_ > 0)
            out << "started " << player.string() << " in " << dir.string() << " (process " << pid_ << ")" << std::endl;
    }

    const StopSignals& signals_;
    pid_t pid_ = -1;
};

// The manifest and every file it names; just the manifest while it does not parse.
std::set<fs::path> watched_files(const fs::path& manifest)
{
    std::set<fs::path> files{normal(manifest)};
    try {
        for (const ManifestFile& file : load_manifest(manifest).files) {
            if (!file.text)
                files.insert(normal(file.path));
            if (file.source_2x)
                files.insert(normal(*file.source_2x));
        }
    } catch (const std::exception&) {
        // the build reports it
    }
    return files;
}

// Inotify watches on the folders of `files`; `changed` says whether an event concerns one.
class FolderWatch {
public:
    explicit FolderWatch(const std::set<fs::path>& files) : fd_(::inotify_init1(IN_CLOEXEC | IN_NONBLOCK)), files_(files)
    {
        if (fd_.get() < 0)
            throw std::runtime_error("can't start inotify");
        constexpr std::uint32_t events = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE | IN_ATTRIB;
        for (const fs::path& file : files) {
            const fs::path folder = file.parent_path();
            const int wd = ::inotify_add_watch(fd_.get(), folder.c_str(), events);
            if (wd >= 0)
                folders_[wd] = folder;
        }
    }

    int fd() const { return fd_.get(); }

    // Reads the pending events; the first watched file they touch, if any.
    std::optional<fs::path> read_changes()
    {
        std::optional<fs::path> changed;
        alignas(inotify_event) std::array<char, 4096> buffer;
        for (;;) {
            const ssize_t length = ::read(fd_.get(), buffer.data(), buffer.size());
            if (length <= 0)
                return changed;
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
                const auto folder = folders_.find(event->wd);
                if (folder == folders_.end() || event->len == 0)
                    continue;
                const fs::path path = folder->second / event->name;
                if (!changed && files_.contains(path))
                    changed = path;
            }
        }
    }

private:
    FileDescriptor fd_;
    std::set<fs::path> files_;
    std::map<int, fs::path> folders_;
};

// Waits until `fd` is readable or a stop signal arrives (which it takes), at most
// `timeout_ms` (-1: for ever).
enum class Woken { ready, stop, timeout };
Woken wait_for(int fd, const StopSignals& signals, int timeout_ms)
{
    std::array<pollfd, 2> fds{{{fd, POLLIN, 0}, {signals.fd(), POLLIN, 0}}};
    for (;;) {
        const int ready = ::poll(fds.data(), fds.size(), timeout_ms);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            throw std::runtime_error("can't wait for changes");
        if (fds[1].revents != 0) {
            signals.consume();
            return Woken::stop;
        }
        return ready == 0 ? Woken::timeout : Woken::ready;
    }
}

// Builds and loads the skin; true when the player would run it.
bool build_and_check(const WatchOptions& options, const PlatformFactory& make_platform, std::ostream& out, std::ostream& err)
{
    try {
        build_skin(options.manifest, options.out_dir, out);
    } catch (const std::exception& error) {
        err << error.what() << std::endl;
        return false;
    }
    try {
        check_skin(options.out_dir, make_platform);
    } catch (const std::exception& error) {
        err << refusal_with_line(options.manifest, error.what()) << std::endl;
        return false;
    }
    return true;
}

} // namespace

std::optional<fs::path> player_beside(const fs::path& tool)
{
    const fs::path folder = tool.parent_path();
    for (const fs::path& candidate : {folder / "vorlunde", folder / ".." / ".." / "src" / "vorlunde"}) {
        std::error_code error;
        if (fs::is_regular_file(candidate, error) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate.lexically_normal();
    }
    return std::nullopt;
}

void watch_skin(const WatchOptions& options, const PlatformFactory& make_platform, std::ostream& out, std::ostream& err)
{
    const StopSignals signals;
    PlayerProcess player(signals);
    const fs::path out_dir = normal(options.out_dir);
    for (;;) {
        FolderWatch watch(watched_files(options.manifest));
        if (build_and_check(options, make_platform, out, err) && options.player)
            player.run_or_reload(*options.player, out_dir, out);
        out << "watching " << options.manifest.string() << " and the files it names (Ctrl-C ends)" << std::endl;
        std::optional<fs::path> changed;
        while (!changed) {
            if (wait_for(watch.fd(), signals, -1) == Woken::stop)
                return;
            changed = watch.read_changes();
        }
        // Let a burst of saves settle into one rebuild.
        for (;;) {
            const Woken woken = wait_for(watch.fd(), signals, 150);
            if (woken == Woken::stop)
                return;
            if (woken == Woken::timeout)
                break;
            watch.read_changes();
        }
        out << "changed: " << changed->string() << std::endl;
    }
}
