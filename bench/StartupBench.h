#pragma once

#include <QString>

// Starts the program on a prepared home until its first screen is shown, `runs` times, and
// reports the time to that screen and the peak memory of the process.
QString startupReport(int runs);
