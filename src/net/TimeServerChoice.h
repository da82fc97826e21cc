#pragma once

// Which of the three time servers an Auto Set asks, 1 to 3. The first attempt (tries is 1) asks the one that
// answered last, timeServer, or server 1 when that is no server's number; each further attempt moves on from
// current, 1 → 2 → 3 → 1. Any stored or run-time value gives a server: the count is kept in int, so a number at
// the end of the 16-bit range cannot wrap past the checks.
int chooseTimeServer(int tries, int timeServer, int current);
