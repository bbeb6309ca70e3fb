#include "CAirportChannels.h"

#include "CBandPlan.h"
#include "CM220Radio.h"
#include "CSpacingChange.h"
#include "MegahertzText.h"
#include "TextFields.h"

#include <algorithm>
#include <map>

namespace kt {

namespace {
constexpr std::size_t kNameLength = 7;
constexpr std::size_t kIdentLength = 4;

// The characters the radio's display shows in a name.
bool IsNameCharacter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u == '$' || u == '%' || (u >= 0x27 && u <= 0x2D) || (u >= 0x2F && u <= 0x39) ||
           (u >= 0x3C && u <= 0x60);
}

std::string NameCharacters(const std::string& text) {
    std::string out;
    for (const char c : ToUpperAscii(text))
        if (IsNameCharacter(c))
            out += c;
    return out;
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}
} // namespace

std::string CAirportChannels::Candidate::Holding(CAirbandChannel::Spacing spacing) const {
    if (status == Status::OutsideBand)
        return "outside the radio's band";
    if (!channel)
        return "no channel";
    const std::string nearest = status == Status::NoChannel
                                    ? "no channel; nearest " + channel->DesignatorText() +
                                          " (carrier " + channel->CarrierText() + " MHz), "
                                    : std::string();
    const auto held = channel->HeldIn(spacing);
    if (!held)
        return nearest + "needs " + channel->SpacingsThatHold();
    if (*held == channel->DesignatorHz())
        return nearest + "held as it is";
    return nearest + "held by " + FormatMegahertz(*held, 3) + " (same carrier)";
}

std::string CAirportChannels::BaseName(const std::string& ident, const std::string& type) {
    std::string id = NameCharacters(ident);
    if (id.size() > kIdentLength)
        id = id.substr(id.size() - kIdentLength);
    const std::string service = NameCharacters(type).substr(0, kNameLength - id.size());
    return (id + service).substr(0, kNameLength);
}

bool CAirportChannels::IsReceiveOnly(const std::string& type) {
    const std::string t = ToUpperAscii(type);
    for (const char* word : {"ATIS", "VOLMET", "AWOS", "ASOS", "AWIS", "AWIB", "WX"})
        if (t.find(word) != std::string::npos)
            return true;
    return StartsWith(t, "MET");
}

void CAirportChannels::MakeNamesUnique(std::vector<Candidate>& candidates) {
    std::map<std::string, int> seen;
    for (Candidate& c : candidates) {
        std::string name = c.name;
        for (int n = 2; seen.count(name); ++n) {
            const std::string number = std::to_string(n);
            const std::string base = c.name.substr(0, std::min(c.name.size(), kNameLength));
            name = base.substr(0, base.size() > number.size() ? base.size() - number.size() : 0) +
                   number;
        }
        seen[name] = 1;
        c.name = name;
    }
}

std::vector<CAirportChannels::Candidate>
CAirportChannels::Build(const std::vector<CAirportFrequency>& rows) {
    std::vector<Candidate> candidates;
    for (const CAirportFrequency& row : rows) {
        Candidate c;
        c.row = row;
        if (row.hz < CBandPlan::kLowestHz || row.hz > CBandPlan::kHighestHz) {
            c.status = Status::OutsideBand;
            c.chosen = false;
        } else if (const auto channel = CAirbandChannel::FromDesignator(row.hz)) {
            c.channel = channel;
        } else {
            c.status = Status::NoChannel;
            c.channel = CAirbandChannel::Nearest(row.hz);
        }
        c.name = BaseName(row.ident, row.type);
        c.txInhibit = IsReceiveOnly(row.type);
        candidates.push_back(std::move(c));
    }
    MakeNamesUnique(candidates);
    return candidates;
}

CAirportChannels::AddResult CAirportChannels::Add(CM220Radio& radio,
                                                  const std::vector<Candidate>& candidates,
                                                  int firstChannel, bool chooseSpacing) {
    AddResult result;
    std::vector<const Candidate*> adding;
    for (const Candidate& c : candidates)
        if (c.CanAdd())
            adding.push_back(&c);
    if (adding.empty()) {
        result.outcome = AddResult::Outcome::NothingToAdd;
        result.message = "no frequency is chosen that could be added";
        return result;
    }

    result.spacingBefore = radio.GetChannelSpacing();
    auto spacing = CAirbandChannel::SpacingFromWord(result.spacingBefore);
    std::vector<const Candidate*> unheld;
    for (const Candidate* c : adding)
        if (!c->channel->HeldIn(spacing))
            unheld.push_back(c);
    if (!unheld.empty()) {
        if (!chooseSpacing) {
            result.outcome = AddResult::Outcome::NeedsSpacing;
            result.message = "the " + result.spacingBefore + " spacing cannot hold";
            for (const Candidate* c : unheld)
                result.message += (c == unheld.front() ? " " : ", ") + c->channel->Describe() +
                                  " (" + c->row.type + ")";
            result.message += "; the 25k/8.33kHz spacing holds every channel";
            return result;
        }
        spacing = CAirbandChannel::Spacing::kCombined;
    }

    const int from = std::clamp(firstChannel, 1, CM220Radio::kChannelCount);
    std::vector<int> empty;
    for (int n = from; n <= CM220Radio::kChannelCount; ++n)
        if (radio.IsChannelEmpty(n))
            empty.push_back(n);
    if (empty.size() < adding.size()) {
        result.outcome = AddResult::Outcome::TooFewChannels;
        result.message = std::to_string(adding.size()) + " channels need " +
                         std::to_string(adding.size()) + " empty memory channels, but channels " +
                         std::to_string(from) + " to " + std::to_string(CM220Radio::kChannelCount) +
                         " have only " + std::to_string(empty.size());
        return result;
    }

    const std::string word = CAirbandChannel::SpacingWord(spacing);
    if (word != result.spacingBefore) {
        for (const auto& move : CSpacingChange::Apply(radio, word))
            result.notes.push_back(move.Describe());
    }
    result.spacingAfter = radio.GetChannelSpacing();
    for (std::size_t i = 0; i < adding.size(); ++i) {
        const Candidate& c = *adding[i];
        const int n = empty[i];
        const long held = *c.channel->HeldIn(spacing);
        radio.Command(CM220Radio::ChannelPrefix(n) + "FREQUENCY.ByNumber=" + std::to_string(held));
        radio.SetAppear(n, "ON");
        radio.SetName(n, c.name);
        radio.SetTxInhibit(n, c.txInhibit ? "ON" : "OFF");
        radio.SetLockout(n, "OFF");
        radio.HealChannel(n);
        if (held != c.channel->DesignatorHz())
            result.notes.push_back("channel " + std::to_string(n) + ": " + c.channel->Describe() +
                                   " is held by " + FormatMegahertz(held, 3) +
                                   " of the same carrier");
        result.channels.push_back(n);
    }
    radio.Heal();
    return result;
}

} // namespace kt
