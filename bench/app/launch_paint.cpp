// The tray's "Launch" entry, timed: builds the real main window against a simulated rig of Plus
// boxes, hides the main view, triggers the entry and waits until the view has been painted.
// Reports the first launch (cold) and the spread over the repeats, and the resident memory with
// the main view shown.
//
//   launch_paint [boxes=16] [repeats=30]
//
// Set QT_SCALE_FACTOR=2 to time a 2x display.
#include "MainView.h"
#include "SimBackend.h"
#include "VxZyneRainbow.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

using namespace zyne;

namespace {
QByteArray rigJson(int boxes) {
    QByteArray json = "{\"plus\": [";
    for (int i = 0; i < boxes; ++i)
        json += (i ? ", " : "") + QByteArray("{\"index\": ") + QByteArray::number(i) + "}";
    return json + "]}";
}

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// Notes when the watched widget has been painted.
class PaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

int main(int argc, char** argv) {
    const int boxes = std::clamp(argc > 1 ? std::atoi(argv[1]) : 16, 1, kBoxCount);
    const int repeats = std::max(1, argc > 2 ? std::atoi(argv[2]) : 30);

    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLoggingCategory::setFilterRules(QStringLiteral("zyne.*.debug=false\nzyne.*.info=false"));
    QApplication app(argc, argv);

    QString error;
    auto rig = sim::SimRig::fromJson(rigJson(boxes), &error);
    if (!rig) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    installHidBackend(std::make_unique<sim::SimBackend>(*rig, QString(), sim::EventMemory::None));

    {
        VxZyneRainbow window;
        ui::MainView* view = window.mainView();
        QAction* launch = nullptr;
        for (QAction* action : window.findChildren<QAction*>()) {
            if (action->text().startsWith(QLatin1String("Launch")))
                launch = action;
        }
        if (launch == nullptr) {
            std::fprintf(stderr, "no Launch entry in the tray menu\n");
            return 1;
        }
        PaintWatch watch;
        view->installEventFilter(&watch);

        std::vector<double> launchMs;
        double firstCpuMs = 0;
        long shownKiB = 0;
        for (int i = 0; i < repeats; ++i) {
            view->hide();
            // Let start-up work and the previous round settle before timing.
            QElapsedTimer settle;
            settle.start();
            while (settle.elapsed() < 200)
                app.processEvents(QEventLoop::AllEvents, 50);
            watch.painted = false;
            const double cpuBefore = threadCpuMs();
            QElapsedTimer timer;
            timer.start();
            launch->trigger();
            while (!watch.painted && timer.elapsed() < 5000)
                app.processEvents(QEventLoop::AllEvents);
            // The paint event has been delivered; the frame is done when it returns.
            app.processEvents(QEventLoop::ExcludeUserInputEvents);
            launchMs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            if (i == 0)
                firstCpuMs = threadCpuMs() - cpuBefore;
            if (!watch.painted) {
                std::fprintf(stderr, "the main view was not painted within 5 s\n");
                return 1;
            }
            shownKiB = std::max(shownKiB, residentKiB());
        }
        const double first = launchMs.front();
        std::sort(launchMs.begin(), launchMs.end());
        std::printf("%d Plus box(es), scale %s, %d launches\n", boxes,
                    qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qgetenv("QT_SCALE_FACTOR").constData()
                                                                 : "1",
                    repeats);
        std::printf("Launch to painted: first %.1f ms (%.1f ms CPU of the GUI thread), median %.1f ms, "
                    "slowest %.1f ms\n",
                    first, firstCpuMs, launchMs[launchMs.size() / 2], launchMs.back());
        std::printf("resident memory with the main view shown: %.1f MB\n", shownKiB / 1024.0);
    }
    installHidBackend(nullptr);
    return 0;
}
