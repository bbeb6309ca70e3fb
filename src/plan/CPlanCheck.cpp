#include "CPlanCheck.h"

#include "CAirbandChannel.h"
#include "CM220Radio.h"
#include "MegahertzText.h"

#include <array>
#include <map>

namespace kt {

namespace {
using Finding = CPlanCheck::Finding;
using Severity = CPlanCheck::Severity;
using Findings = std::vector<Finding>;

struct Service {
    const char* word;
    const char* letters; // the letters an airport channel's name ends in
};
constexpr std::array<Service, 4> kReceiveOnly = {{
    {"ATIS", "ATI"},
    {"VOLMET", "VOL"},
    {"AWOS", "AWO"},
    {"ASOS", "ASO"},
}};
constexpr std::size_t kNameLength = 7;

bool EndsWith(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail.data(), tail.size()) == 0;
}

std::string Megahertz(long hz) {
    return FormatMegahertz(hz, 3);
}

// Whether the stored frequency is the emergency channel: 121.500 itself or,
// in an 8.33 kHz spacing, the designator of the same carrier.
bool IsEmergency(long hz) {
    const auto channel = CAirbandChannel::FromDesignator(hz);
    return channel && channel->CarrierHz() == CPlanCheck::kEmergencyHz;
}

// "EDDFATI" as the advice quotes a name.
std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

void CheckEmergency(const CPlanSnapshot& plan, Findings& findings) {
    bool present = false;
    for (const CPlanSnapshot::Channel& channel : plan.channels) {
        if (!channel.used || !IsEmergency(channel.hz))
            continue;
        present = true;
        if (channel.txInhibit)
            findings.push_back(
                {channel.number, Severity::kError,
                 Megahertz(channel.hz) +
                     " is the emergency frequency, but Tx Inhibit is on: switch it off so that "
                     "a distress call can be made on this channel."});
    }
    if (!present)
        findings.push_back(
            {0, Severity::kWarning,
             "The emergency frequency 121.500 is in no channel: add it (as 121.505 in the 8.33kHz "
             "spacing) so that it is always one channel away."});
}

void CheckReceiveOnly(const CPlanSnapshot& plan, Findings& findings) {
    for (const CPlanSnapshot::Channel& channel : plan.channels) {
        if (!channel.used || channel.txInhibit)
            continue;
        const std::string service = CPlanCheck::ReceiveOnlyService(channel.name);
        if (!service.empty())
            findings.push_back({channel.number, Severity::kWarning,
                                Quoted(channel.name) + " looks like " + service +
                                    ", a receive-only service: switch Tx Inhibit on so that "
                                    "nobody transmits on it by mistake."});
    }
}

void CheckSameFrequency(const CPlanSnapshot& plan, Findings& findings) {
    std::map<long, int> first; // frequency -> the first channel holding it
    for (const CPlanSnapshot::Channel& channel : plan.channels) {
        if (!channel.used || channel.hz == 0)
            continue;
        const auto [at, added] = first.emplace(channel.hz, channel.number);
        if (!added)
            findings.push_back({channel.number, Severity::kWarning,
                                Megahertz(channel.hz) + " is also in channel " +
                                    std::to_string(at->second) +
                                    ": clear one of them or give it the frequency that is "
                                    "missing."});
    }
}

void CheckUnnamed(const CPlanSnapshot& plan, Findings& findings) {
    for (const CPlanSnapshot::Channel& channel : plan.channels)
        if (channel.used && channel.name.empty())
            findings.push_back({channel.number, Severity::kNote,
                                Megahertz(channel.hz) +
                                    " has no name: give it one (the station and service, such "
                                    "as EDDFTWR) so that the display says what it is."});
}

void CheckPriority(const CPlanSnapshot& plan, Findings& findings) {
    // The setting always names a channel; only an empty one is a mistake.
    if (plan.priorityScan && plan.priorityChannel > 0 && !plan.At(plan.priorityChannel).used)
        findings.push_back({plan.priorityChannel, Severity::kWarning,
                            "Priority scanning is on, but the priority channel is empty: choose "
                            "a channel in use or switch priority scanning off."});
}
} // namespace

const std::vector<CPlanCheck::Check>& CPlanCheck::Checks() {
    static const std::vector<Check> table = {
        {"emergency", CheckEmergency},
        {"receive-only", CheckReceiveOnly},
        {"same-frequency", CheckSameFrequency},
        {"unnamed", CheckUnnamed},
        {"priority", CheckPriority},
    };
    return table;
}

std::vector<CPlanCheck::Finding> CPlanCheck::Run(const CPlanSnapshot& plan) {
    Findings findings;
    for (const Check& check : Checks())
        check.run(plan, findings);
    return findings;
}

std::vector<CPlanCheck::Finding> CPlanCheck::Run(CM220Radio& radio) {
    return Run(CPlanSnapshot::Take(radio));
}

const char* CPlanCheck::SeverityWord(Severity severity) {
    // In the order of Severity, whose values are only ever these three.
    static constexpr const char* kWords[] = {"error", "warning", "note"};
    return kWords[static_cast<std::size_t>(severity)];
}

std::string CPlanCheck::Describe(const Finding& finding) {
    const std::string where =
        finding.channel > 0 ? "CH " + std::to_string(finding.channel) : std::string("Plan");
    return where + " " + SeverityWord(finding.severity) + ": " + finding.advice;
}

std::string CPlanCheck::ReceiveOnlyService(const std::string& name) {
    // The second and later channels of a service at one airport carry a
    // number, after the letters (SFOATI2) or, when the name is full, in place
    // of the last one (EDDFAT2).
    std::string base = name;
    while (!base.empty() && base.back() >= '0' && base.back() <= '9')
        base.pop_back();
    const bool numberInPlace = base.size() < name.size() && name.size() == kNameLength;
    for (const Service& service : kReceiveOnly) {
        const std::string_view letters(service.letters);
        if (name.find(service.word) != std::string::npos || EndsWith(base, letters) ||
            (numberInPlace && EndsWith(base, letters.substr(0, letters.size() - 1))))
            return service.word;
    }
    return {};
}

} // namespace kt
