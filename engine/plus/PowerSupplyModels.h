#pragma once

#include <QString>

#include <string>
#include <vector>

namespace zyne {

// The power supplies whose fan ring we light, by the model text they answer the model query with
// (hyphens left out). The list is the `PwrixModels` key of Device.ini's [Main] group; the built-in
// list holds while the key is empty.
std::vector<std::string> builtInPowerSupplyModels();
// A comma-separated list as the key holds it: spaces and hyphens are left out of each entry,
// empty entries are dropped; no entry at all gives the built-in list.
std::vector<std::string> powerSupplyModelsFrom(const QString& text);

// Tells whether a supply's model is accepted by the list the settings name now, and warns once
// about a model that is not, with the text it answered, so a user can add it to the list.
class PowerSupplyModelCheck {
public:
    bool accepts(const std::string& model);

private:
    std::string m_warnedModel;
    bool m_warned = false;
};

} // namespace zyne
