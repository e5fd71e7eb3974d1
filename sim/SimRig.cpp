#include "SimRig.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <cmath>

namespace zyne::sim {

namespace {

constexpr std::array<std::uint8_t, 3> kPlusFirmware{1, 2, 7};
constexpr std::array<std::uint8_t, 3> kClassicFirmware{1, 0, 3};
constexpr int kPlusRpm = 1200;
constexpr int kClassicRpm = 900;

// Reads one rig file; every method returns false after recording the first problem.
class RigReader {
public:
    std::optional<SimRig> read(const QByteArray& json) {
        QJsonParseError parseError;
        const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
        if (parseError.error != QJsonParseError::NoError)
            return fail(QStringLiteral("invalid JSON at offset %1: %2")
                            .arg(parseError.offset)
                            .arg(parseError.errorString()));
        if (!document.isObject())
            return fail(QStringLiteral("the rig must be a JSON object"));
        const QJsonObject root = document.object();
        if (!onlyKeys(root, {"plus", "classic", "power_supply", "awt", "keyboards"}, QString()))
            return std::nullopt;

        SimRig rig;
        if (!readControllers(root, "plus", SimRig::kPlusFanPorts, &SimRig::defaultPlus, rig.plus) ||
            !readControllers(root, "classic", SimRig::kClassicFanPorts, &SimRig::defaultClassic,
                             rig.classic) ||
            !readPowerSupply(root, rig) || !readAwt(root, rig) || !readKeyboards(root, rig))
            return std::nullopt;
        return rig;
    }

    QString error;

private:
    std::nullopt_t fail(const QString& message) {
        error = message;
        return std::nullopt;
    }

    bool refuse(const QString& where, const QString& problem) {
        error = where.isEmpty() ? problem : where + QStringLiteral(": ") + problem;
        return false;
    }

    bool onlyKeys(const QJsonObject& object, std::initializer_list<const char*> allowed,
                  const QString& where) {
        for (auto it = object.begin(); it != object.end(); ++it) {
            bool known = false;
            for (const char* key : allowed)
                known = known || it.key() == QLatin1String(key);
            if (!known)
                return refuse(where, QStringLiteral("unknown key \"%1\"").arg(it.key()));
        }
        return true;
    }

    bool readInt(const QJsonValue& value, const QString& where, int min, int max, int& out) {
        const double number = value.toDouble(std::nan(""));
        if (!value.isDouble() || std::floor(number) != number)
            return refuse(where, QStringLiteral("expected a whole number"));
        if (number < min || number > max)
            return refuse(where, QStringLiteral("%1 is outside %2..%3").arg(number).arg(min).arg(max));
        out = static_cast<int>(number);
        return true;
    }

    bool readIntList(const QJsonValue& value, const QString& where, int count, int min, int max,
                     std::vector<int>& out) {
        if (!value.isArray())
            return refuse(where, QStringLiteral("expected a list"));
        const QJsonArray list = value.toArray();
        if (count >= 0 && list.size() != count)
            return refuse(where, QStringLiteral("expected %1 numbers, got %2").arg(count).arg(list.size()));
        out.clear();
        for (int i = 0; i < list.size(); ++i) {
            int number = 0;
            if (!readInt(list[i], QStringLiteral("%1[%2]").arg(where).arg(i), min, max, number))
                return false;
            out.push_back(number);
        }
        return true;
    }

    bool readBehaviour(const QJsonValue& value, const QString& where, Behaviour& out) {
        const auto behaviour = behaviourFromName(value.toString());
        if (!value.isString() || !behaviour)
            return refuse(where + ".behaviour",
                          QStringLiteral("unknown behaviour (ok, probe_fails or silent)"));
        out = *behaviour;
        return true;
    }

    bool readControllers(const QJsonObject& root, const char* key, int fanPorts, ControllerSpec (*fresh)(int),
                         std::vector<ControllerSpec>& out) {
        const QJsonValue value = root.value(QLatin1String(key));
        if (value.isUndefined())
            return true;
        if (!value.isArray())
            return refuse(QLatin1String(key), QStringLiteral("expected a list of boxes"));
        QSet<int> seen;
        const QJsonArray boxes = value.toArray();
        for (int i = 0; i < boxes.size(); ++i) {
            const QString where = QStringLiteral("%1[%2]").arg(QLatin1String(key)).arg(i);
            if (!boxes[i].isObject())
                return refuse(where, QStringLiteral("expected an object"));
            const QJsonObject box = boxes[i].toObject();
            if (!onlyKeys(box, {"index", "firmware", "rpm", "behaviour", "latency_ms"}, where))
                return false;
            int index = 0;
            if (box.contains("index") &&
                !readInt(box["index"], where + ".index", 0, SimRig::kBoxCount - 1, index))
                return false;
            if (seen.contains(index))
                return refuse(where, QStringLiteral("duplicate index %1").arg(index));
            seen.insert(index);

            ControllerSpec spec = fresh(index);
            if (box.contains("firmware")) {
                std::vector<int> firmware;
                if (!readIntList(box["firmware"], where + ".firmware", 3, 0, 255, firmware))
                    return false;
                for (int k = 0; k < 3; ++k)
                    spec.firmware[k] = static_cast<std::uint8_t>(firmware[k]);
            }
            if (box.contains("rpm") &&
                !readIntList(box["rpm"], where + ".rpm", fanPorts, 0, SimRig::kMaxRpm, spec.rpm))
                return false;
            if (box.contains("behaviour") && !readBehaviour(box["behaviour"], where, spec.behaviour))
                return false;
            if (!readLatency(box, where, spec.latencyMs))
                return false;
            out.push_back(spec);
        }
        return true;
    }

    bool readLatency(const QJsonObject& object, const QString& where, int& out) {
        return !object.contains("latency_ms") ||
               readInt(object["latency_ms"], where + ".latency_ms", 0, SimRig::kMaxLatencyMs, out);
    }

    bool readPowerSupply(const QJsonObject& root, SimRig& rig) {
        const QJsonValue value = root.value("power_supply");
        if (value.isUndefined())
            return true;
        const QString where = QStringLiteral("power_supply");
        if (!value.isObject())
            return refuse(where, QStringLiteral("expected an object"));
        const QJsonObject object = value.toObject();
        if (!onlyKeys(object, {"model", "latency_ms"}, where))
            return false;
        PowerSupplySpec spec;
        if (!readLatency(object, where, spec.latencyMs))
            return false;
        if (object.contains("model")) {
            if (!object["model"].isString())
                return refuse(where + ".model", QStringLiteral("expected a text"));
            spec.model = object["model"].toString();
        }
        rig.powerSupply = spec;
        return true;
    }

    bool readAwt(const QJsonObject& root, SimRig& rig) {
        const QJsonValue value = root.value("awt");
        if (value.isUndefined())
            return true;
        const QString where = QStringLiteral("awt");
        if (!value.isObject())
            return refuse(where, QStringLiteral("expected an object"));
        const QJsonObject object = value.toObject();
        if (!onlyKeys(object, {"boxes", "firmware", "rpm", "behaviour", "latency_ms"}, where))
            return false;
        AwtSpec spec;
        if (!readLatency(object, where, spec.latencyMs))
            return false;
        if (object.contains("boxes")) {
            if (!readIntList(object["boxes"], where + ".boxes", -1, 0, SimRig::kBoxCount - 1, spec.boxes))
                return false;
            const QSet<int> unique(spec.boxes.begin(), spec.boxes.end());
            if (unique.size() != static_cast<int>(spec.boxes.size()))
                return refuse(where + ".boxes", QStringLiteral("duplicate index"));
        }
        if (object.contains("firmware")) {
            // The chip reports its version as three ASCII digits.
            static const QRegularExpression threeDigits(QStringLiteral("^[0-9]{3}$"));
            if (!object["firmware"].isString() ||
                !threeDigits.match(object["firmware"].toString()).hasMatch())
                return refuse(where + ".firmware", QStringLiteral("expected three digits, e.g. \"104\""));
            spec.firmware = object["firmware"].toString();
        }
        if (object.contains("rpm") &&
            !readIntList(object["rpm"], where + ".rpm", SimRig::kAwtFanPorts, 0, SimRig::kMaxRpm, spec.rpm))
            return false;
        if (object.contains("behaviour") && !readBehaviour(object["behaviour"], where, spec.behaviour))
            return false;
        rig.awt = spec;
        return true;
    }

    bool readKeyboards(const QJsonObject& root, SimRig& rig) {
        const QJsonValue value = root.value("keyboards");
        if (value.isUndefined())
            return true;
        if (!value.isArray())
            return refuse(QStringLiteral("keyboards"), QStringLiteral("expected a list of \"vvvv:pppp\""));
        static const QRegularExpression idPair(QStringLiteral("^([0-9a-fA-F]{4}):([0-9a-fA-F]{4})$"));
        const QJsonArray list = value.toArray();
        for (int i = 0; i < list.size(); ++i) {
            const auto match = idPair.match(list[i].toString());
            if (!list[i].isString() || !match.hasMatch())
                return refuse(QStringLiteral("keyboards[%1]").arg(i),
                              QStringLiteral("expected \"vvvv:pppp\""));
            rig.keyboards.push_back({static_cast<std::uint16_t>(match.captured(1).toUInt(nullptr, 16)),
                                     static_cast<std::uint16_t>(match.captured(2).toUInt(nullptr, 16))});
        }
        return true;
    }
};

} // namespace

std::optional<Behaviour> behaviourFromName(const QString& name) {
    if (name == QLatin1String("ok"))
        return Behaviour::Ok;
    if (name == QLatin1String("probe_fails"))
        return Behaviour::ProbeFails;
    if (name == QLatin1String("silent"))
        return Behaviour::Silent;
    return std::nullopt;
}

QString behaviourName(Behaviour behaviour) {
    switch (behaviour) {
    case Behaviour::Ok:
        return QStringLiteral("ok");
    case Behaviour::ProbeFails:
        return QStringLiteral("probe_fails");
    case Behaviour::Silent:
        return QStringLiteral("silent");
    }
    return {};
}

ControllerSpec SimRig::defaultPlus(int index) {
    return {index, kPlusFirmware, std::vector<int>(kPlusFanPorts, kPlusRpm), Behaviour::Ok, 0};
}

ControllerSpec SimRig::defaultClassic(int index) {
    return {index, kClassicFirmware, std::vector<int>(kClassicFanPorts, kClassicRpm), Behaviour::Ok, 0};
}

SimRig SimRig::defaultRig() {
    SimRig rig;
    rig.plus.push_back(defaultPlus(0));
    return rig;
}

std::optional<SimRig> SimRig::fromJson(const QByteArray& json, QString* error) {
    RigReader reader;
    auto rig = reader.read(json);
    if (!rig && error)
        *error = reader.error;
    return rig;
}

std::optional<SimRig> SimRig::fromFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("rig file %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    QString problem;
    auto rig = fromJson(file.readAll(), &problem);
    if (!rig && error)
        *error = QStringLiteral("rig file %1: %2").arg(path, problem);
    return rig;
}

} // namespace zyne::sim
