#pragma once

#include <functional>

class QWidget;

namespace quendra {

// Milliseconds since the process was started, as the kernel records its start (a 10 ms grain
// for the start itself); a negative value when that cannot be read.
double MillisecondsSinceProcessStart();
// The processor time the process has used so far (all its threads, user and system), in
// milliseconds; a negative value when unknown. Less disturbed than the elapsed time by other
// work on the machine.
double CpuMillisecondsSoFar();
// The resident memory of the process in megabytes (VmRSS); a negative value when unknown.
double ResidentMegabytes();

// Runs `then` once, as soon as `view` has been painted at a time when `ready` holds (the
// paint drawn and shown first).
void AfterFirstPaint(QWidget* view, std::function<bool()> ready, std::function<void()> then);

// Prints "first table paint: T ms after the process started (C ms of CPU), resident memory:
// M MB" on standard output and ends the program.
void ReportStartupAndQuit();

} // namespace quendra
