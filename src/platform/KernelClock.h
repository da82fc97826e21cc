#pragma once

// Whether the kernel counts its clock as synchronised with a time source. Whichever time service keeps the clock in
// step (timesyncd, chrony, ntpd) tells the kernel so, with or without timedated, and anyone may ask.
bool kernelClockSynchronised();
