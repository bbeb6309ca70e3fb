#pragma once

#include "CCsvProblem.h"

#include <string>
#include <string_view>
#include <vector>

namespace kt {

class CM220Radio;

// The 20 memory channels as a comma-separated channel list, in the column
// layout that radio programming tools share, so that channel plans can move
// between this program, spreadsheets and other radios' lists.
//
// Export writes the header line and one line per channel in use, CR LF after
// each: Location (the channel number), Name, Frequency (the carrier in MHz,
// six decimals: the 8.33 kHz channel 132.840 as 132.841667), Mode "AM", TStep
// (25.00 for a 25 kHz channel, 8.33 for an 8.33 kHz one, in every spacing),
// Skip ("S" for a locked-out channel) and Comment ("TXINHIBIT" for a channel
// whose transmit is inhibited); the columns this transceiver has no use for
// hold neutral values. A stored point that is no channel (.x20 and .x70 of
// the combined raster) is written as it stands, with a warning.
//
// Import reads the columns by their header names, in any order; Location and
// Frequency are required, every other column may be missing and unknown
// columns are ignored. A frequency is a carrier (within 1 kHz of a channel's)
// or a designator, TStep deciding where it could be either. Skip "S" locks a
// channel out ("" and "P" do not); the word TXINHIBIT in Comment, or Duplex
// "off" as other lists write it, inhibits transmit. The file describes the
// whole channel list: channels it does not name become empty, except memory
// channel 1, which the radio never empties and which keeps what it holds.
//
// Rows that only another radio can take (a Location 0 or beyond 20, a
// frequency outside the airband) are skipped with a warning each; the rest is
// imported. A malformed row (a Location or frequency that is no number, a
// duplicate Location, a bad Skip) is an error. A channel the spacing cannot
// hold (an 8.33 kHz channel in the 25kHz spacing) is an error too, unless the
// spacing is chosen from the list. A file with any error changes nothing.
namespace CChannelCsv {
inline constexpr char kHeader[] =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

std::string Export(CM220Radio& radio);
// The same, with a warning for each channel written as a point that is no channel.
std::string Export(CM220Radio& radio, std::vector<CCsvProblem>& warnings);

struct ImportOptions {
    // Switch the spacing first: 25kHz when every channel of the list is a
    // 25 kHz channel, otherwise 25k/8.33kHz.
    bool chooseSpacing = false;
    // Fill the channels in the list's order from firstChannel instead of by
    // Location; the channels below firstChannel keep what they hold.
    bool renumber = false;
    int firstChannel = 1;
};

struct ImportResult {
    // In the order of the lines. When any is an error the radio is untouched;
    // otherwise the channels hold the list (the image healed), and the
    // warnings tell where the radio changed a value.
    std::vector<CCsvProblem> problems;
    // The lines of the rows skipped as another radio's.
    std::vector<int> skippedLines;
    // How many of them were skipped only for their Location: airband rows
    // that ImportOptions::renumber would take.
    int skippedForLocation = 0;
    // Refused because some channel needs another spacing (and nothing else
    // was wrong): ImportOptions::chooseSpacing would import it.
    bool needsOtherSpacing = false;
    std::string spacingBefore;
    std::string spacingAfter;
};

ImportResult Import(CM220Radio& radio, std::string_view text, const ImportOptions& options);
// Import by Location in the current spacing; the problems found.
std::vector<CCsvProblem> Import(CM220Radio& radio, std::string_view text);
} // namespace CChannelCsv

} // namespace kt
