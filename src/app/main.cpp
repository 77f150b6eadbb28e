// The player: reads the skin from the working directory and runs it in a desktop window.
#include "app/player.h"
#include "platform/desktop_platform.h"

int main()
{
    const auto platform = make_desktop_platform();
    Player player(*platform, ".");
    return player.run();
}
