// SPDX-License-Identifier: GPL-3.0-or-later
// WakeUpPost: coalesces an event source's wake-ups into one posted wake-up message. request()
// posts (through the back end's `post`, which answers whether the message was queued) unless
// one is still on its way; a post that fails is forgotten, so the next request tries again
// instead of being silenced for good. taken() is called when the message reaches the wait.
// request() from any thread, taken() on the UI thread.
#pragma once

#include <atomic>

class WakeUpPost {
public:
    template <typename Post>
    void request(Post&& post)
    {
        if (on_its_way_.exchange(true))
            return;
        if (!post())
            on_its_way_ = false;
    }
    void taken() { on_its_way_ = false; }

private:
    std::atomic<bool> on_its_way_ = false;
};
