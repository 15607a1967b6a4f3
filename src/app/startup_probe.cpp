#include "startup_probe.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace quendra {

namespace {

// Watches the paint events of a widget; removes itself once it has run its action.
class PaintWatch : public QObject {
  public:
    PaintWatch(QWidget* view, std::function<bool()> ready, std::function<void()> then)
        : QObject(view), ready_(std::move(ready)), then_(std::move(then)) {
        view->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_ && ready_()) {
            seen_ = true;
            watched->removeEventFilter(this);
            // This paint is drawn and shown before the queued call runs.
            QTimer::singleShot(0, this, [this] {
                then_();
                deleteLater();
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<bool()> ready_;
    std::function<void()> then_;
    bool seen_ = false;
};

} // namespace

double MillisecondsSinceProcessStart() {
    // Field 22 of /proc/self/stat: the start time in clock ticks after boot. The command name
    // (field 2) may hold spaces, so the fields are counted after its closing parenthesis.
    std::ifstream stat("/proc/self/stat");
    std::string line;
    if (!std::getline(stat, line)) return -1;
    const auto close = line.rfind(')');
    if (close == std::string::npos || close + 2 > line.size()) return -1;
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    for (int n = 3; n < 22 && fields >> field; ++n) {
    }
    unsigned long long startTicks = 0;
    if (!(fields >> startTicks)) return -1;
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    timespec now{};
    if (ticksPerSecond <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) return -1;
    const double nowMs =
        static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
    return nowMs - static_cast<double>(startTicks) * 1000.0 / static_cast<double>(ticksPerSecond);
}

double CpuMillisecondsSoFar() {
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return -1;
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) {
            std::istringstream value(line.substr(6));
            double kilobytes = 0;
            if (value >> kilobytes) return kilobytes / 1024.0;
        }
    return -1;
}

void AfterFirstPaint(QWidget* view, std::function<bool()> ready, std::function<void()> then) {
    new PaintWatch(view, std::move(ready), std::move(then));
}

void ReportStartupAndQuit() {
    std::printf("first table paint: %.0f ms after the process started (%.0f ms of CPU), resident "
                "memory: %.1f MB\n",
                MillisecondsSinceProcessStart(), CpuMillisecondsSoFar(), ResidentMegabytes());
    std::fflush(stdout);
    // Leaves every event loop, a wait of the engine's included.
    QCoreApplication::exit(0);
}

} // namespace quendra
