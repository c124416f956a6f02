#include "app/display_colour_settings.h"

#include <array>
#include <variant>

#include "editor/views/view_colours.h"
#include "platform/settings_store.h"

namespace {

constexpr unsigned long kLargestColour = 0xFFFFFF;

constexpr std::array<const char*, 9> kColourNames{
    "Background", "AssignedPins", "UnassignedPins", "Text",       "Outlines",
    "Selection",  "Highlight",    "PinNames",       "PinNumbers",
};

bool IsColour(const SettingValue& value) {
  const auto* number = std::get_if<unsigned long>(&value);
  return number != nullptr && *number <= kLargestColour;
}

}  // namespace

CString RepairDisplayColours(SettingsStore& store) {
  CString problems;
  for (const char* name : kColourNames) {
    const SettingValue* value = store.Find(kViewColoursKey, name);
    if (value == nullptr || IsColour(*value)) continue;
    CString line;
    line.Format(
        "The display colour \"%s\" in the settings is not a colour (%s); its default colour is used.\n", name,
        SettingText(*value).c_str());
    store.Delete(kViewColoursKey, name);
    problems += line;
  }
  return problems;
}
