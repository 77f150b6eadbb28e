// The player: reads the skin from the working directory and runs it in an SDL2/X11 window.
#include "app/player.h"
#include "platform/sdl/sdl_platform.h"

int main()
{
    SdlPlatform platform;
    Player player(platform, ".");
    return player.run();
}
