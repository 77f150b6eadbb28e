// Command: the player's one action vocabulary, a pair of unsigned 16-bit values.
// CommandSink: where controls, the tray and the audio engine post commands. Posting never
// executes anything; the command processor drains the queue later on the UI thread.
// Implementations must accept post_command from any thread.
#pragma once

#include <cstdint>

struct Command {
    std::uint16_t id = 0;
    std::uint16_t argument = 0;

    friend bool operator==(const Command&, const Command&) = default;
};

class CommandSink {
public:
    virtual void post_command(std::uint16_t id, std::uint16_t argument) = 0;

protected:
    ~CommandSink() = default;
};
