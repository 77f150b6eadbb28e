// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/sdl_message_box.h"

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <signal.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr std::chrono::milliseconds poll_period{10};

// Kills every child process that thread `thread_id` of this process started.
void kill_children_of(pid_t thread_id)
{
    std::ifstream children("/proc/self/task/" + std::to_string(thread_id) + "/children");
    pid_t child = 0;
    while (children >> child)
        kill(child, SIGKILL);
}

} // namespace

void show_message_box(const std::string& caption, const std::string& text, const std::function<bool()>& give_up)
{
    std::atomic<bool> closed = false;
    std::atomic<pid_t> box_thread = 0;
    std::thread box([&] {
        box_thread = gettid();
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr);
        closed = true;
    });
    bool giving_up = false;
    while (!closed) {
        giving_up = giving_up || give_up();
        // Until SDL returns: the box's process may not have been started yet.
        if (giving_up && box_thread != 0)
            kill_children_of(box_thread);
        std::this_thread::sleep_for(poll_period);
    }
    box.join();
}
