#include "TimeServerChoice.h"

namespace {
constexpr int ServerCount = 3;
}

int chooseTimeServer(int tries, int timeServer, int current)
{
    int server = tries == 1 ? timeServer - 1 : current;
    if (server < 0) {
        server = 0;
    }
    ++server;
    if (server > ServerCount) {
        server = 1;
    }
    return server;
}
