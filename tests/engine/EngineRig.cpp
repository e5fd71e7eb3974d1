#include "EngineRig.h"

#include "PlusReports.h"
#include "SettingsFolder.h"
#include "ZynePlusCommandHelper.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace zyne::testing {

namespace {
// Points the settings store at a temporary config home before anything asks for the folder.
const QTemporaryDir& configHome() {
    static QTemporaryDir home;
    static const bool pointed = qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    Q_UNUSED(pointed);
    return home;
}
} // namespace

bool settle(ZynePlusCommandHelper& engine, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (engine.boxExchangesOutstanding() > 0) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

EngineRig::EngineRig(const QByteArray& rigJson) {
    const QString home = configHome().path();
    const QString folder = zyne::settingsFolder();
    if (!folder.startsWith(home))
        qFatal("settings folder %s is not inside the test's config home", qPrintable(folder));
    QDir(folder).removeRecursively();

    QString error;
    auto rig = sim::SimRig::fromJson(rigJson, &error);
    if (!rig)
        qFatal("bad test rig: %s", qPrintable(error));
    auto backend = std::make_unique<sim::SimBackend>(*rig);
    m_sim = backend.get();
    installChipLink(backend->chipLink());
    installHidBackend(std::move(backend));
}

// Engines built on the rig must be gone before it.
EngineRig::~EngineRig() {
    installHidBackend(nullptr);
    installChipLink(nullptr);
}

QString EngineRig::settingsFolder() const {
    return zyne::settingsFolder();
}

std::vector<QByteArray> EngineRig::reportsTo(int plusBox) const {
    return reportsToProduct(plusProductId(plusBox));
}

std::vector<QByteArray> EngineRig::classicReportsTo(int classicBox) const {
    return reportsToProduct(classicProductId(classicBox));
}

std::vector<QByteArray> EngineRig::reportsToProduct(std::uint16_t productId) const {
    const QString dev = deviceIdText(kMakerVendorId, productId);
    std::vector<QByteArray> reports;
    for (const auto& event : m_sim->events()) {
        if (event.dev == dev && event.dir == QLatin1String("out"))
            reports.push_back(event.bytes);
    }
    return reports;
}

std::vector<int> EngineRig::openedProductIds() const {
    std::vector<int> ids;
    for (const auto& event : m_sim->events()) {
        if (event.dir == QLatin1String("open"))
            ids.push_back(event.dev.mid(5).toInt(nullptr, 16));
    }
    return ids;
}

} // namespace zyne::testing
