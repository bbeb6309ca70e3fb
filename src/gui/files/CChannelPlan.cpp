#include "CChannelPlan.h"

#include "CM220Radio.h"
#include "CSettingLabels.h"
#include "TextFields.h"

namespace kt {

namespace {
// The sheet's words as a printed page says them: a tick as On or Off, an
// empty text as "(none)".
std::string Printed(const std::string& shown) {
    if (shown == CSettingLabels::kTicked)
        return "On";
    if (shown == CSettingLabels::kClear)
        return "Off";
    const std::string trimmed = Trim(shown);
    return trimmed.empty() ? "(none)" : trimmed;
}
} // namespace

CChannelPlan CChannelPlan::Build(CM220Radio& radio, const std::string& title) {
    CChannelPlan plan;
    plan.title = title;
    plan.model = radio.GetModelName();
    plan.cloneComment = Trim(radio.GetCloneComment());
    for (int n = 1; n <= kChannelCount; ++n)
        plan.rows[static_cast<std::size_t>(n - 1)] = CChannelRow::Build(radio, n);

    plan.groups = {{"Common", {}}, {"Advanced", {}}};
    for (const CSettingLabels::Setting& setting : CSettingLabels::All()) {
        Group& group = plan.groups[setting.page == CSettingLabels::Page::Common ? 0 : 1];
        group.settings.push_back({setting.label, Printed(setting.shown(radio))});
    }
    return plan;
}

} // namespace kt
