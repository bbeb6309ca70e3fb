#include "CImageComparison.h"

#include "CChannelRow.h"
#include "CM220Radio.h"
#include "CSettingLabels.h"

#include <array>

namespace kt {

namespace {
// The columns of the channel list that belong to one channel, with the cell
// each is shown in.
struct ChannelColumn {
    std::size_t cell;
    const char* title;
};

constexpr std::array<ChannelColumn, 4> kColumns = {{
    {2, "Frequency"},
    {3, "Name"},
    {4, "Tx Inhibit"},
    {5, "Memory Lockout"},
}};

std::string Shown(const std::string& value) {
    return value.empty() ? CImageComparison::kBlank : value;
}
} // namespace

std::vector<CImageComparison::Difference> CImageComparison::Compare(CM220Radio& first,
                                                                    CM220Radio& second) {
    std::vector<Difference> differences;
    for (int n = 1; n <= CM220Radio::kChannelCount; ++n) {
        const CChannelRow a = CChannelRow::Build(first, n);
        const CChannelRow b = CChannelRow::Build(second, n);
        for (const ChannelColumn& column : kColumns)
            if (a.cells[column.cell] != b.cells[column.cell])
                differences.push_back(
                    {n, column.title, a.cells[column.cell], b.cells[column.cell]});
    }
    for (const CSettingLabels::Setting& setting : CSettingLabels::All()) {
        const std::string a = setting.Compared(first);
        const std::string b = setting.Compared(second);
        if (a != b)
            differences.push_back({0, setting.label, a, b});
    }
    return differences;
}

std::string CImageComparison::Describe(const Difference& difference) {
    std::string text;
    if (difference.channel > 0)
        text = "CH " + std::to_string(difference.channel) + " ";
    return text + difference.property + ": " + Shown(difference.first) + " -> " +
           Shown(difference.second);
}

} // namespace kt
