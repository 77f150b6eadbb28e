#include "platform/headless/manual_clock.h"
