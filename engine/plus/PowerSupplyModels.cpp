#include "PowerSupplyModels.h"

#include "ApplicationSettings.h"

#include <QLoggingCategory>
#include <QStringList>

#include <algorithm>

Q_DECLARE_LOGGING_CATEGORY(lcPlus)

namespace zyne {

std::vector<std::string> builtInPowerSupplyModels() {
    // One 1250 W model of the digital series, four of the gold series.
    return {"VXD1250PT", "VXG1250GD", "VXG1200GD", "VXG1050GD", "VXG0850GD"};
}

std::vector<std::string> powerSupplyModelsFrom(const QString& text) {
    std::vector<std::string> models;
    for (QString entry : text.split(QLatin1Char(','))) {
        entry.remove(QLatin1Char('-'));
        entry.remove(QLatin1Char(' '));
        entry = entry.trimmed();
        if (!entry.isEmpty())
            models.push_back(entry.toStdString());
    }
    return models.empty() ? builtInPowerSupplyModels() : models;
}

bool PowerSupplyModelCheck::accepts(const std::string& model) {
    const std::vector<std::string> accepted = powerSupplyModelsFrom(ApplicationSettings::get().pwrixModels);
    if (std::find(accepted.begin(), accepted.end(), model) != accepted.end()) {
        m_warned = false;
        return true;
    }
    if (!m_warned || model != m_warnedModel) {
        qCWarning(lcPlus).nospace() << "power supply model " << QString::fromStdString(model)
                                    << " is not in the PwrixModels list of Device.ini [Main]: "
                                       "its fan ring is not synchronised";
        m_warnedModel = model;
        m_warned = true;
    }
    return false;
}

} // namespace zyne
