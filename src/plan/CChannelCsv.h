#pragma once

#include "CCsvProblem.h"

#include <string>
#include <string_view>
#include <vector>

class CM220Radio;

// The 20 memory channels as a comma-separated channel list, in the column
// layout that radio programming tools share, so that channel plans can move
// between this program, spreadsheets and other radios' lists.
//
// Export writes the header line and one line per channel in use, CR LF after
// each: Location (the channel number), Name, Frequency (MHz, six decimals),
// Mode "AM", TStep (25.00 or 8.33 after the channel spacing), Skip ("S" for a
// locked-out channel) and Comment ("TXINHIBIT" for a channel whose transmit
// is inhibited); the columns this transceiver has no use for hold neutral
// values.
//
// Import reads the columns by their header names, in any order; Location and
// Frequency are required, every other column may be missing and unknown
// columns are ignored. Skip "S" locks a channel out ("" and "P" do not); the
// word TXINHIBIT in Comment, or Duplex "off" as other lists write it, inhibits
// transmit. The file describes the whole channel list: channels it does not
// name become empty, except memory channel 1, which the radio never empties
// and which keeps what it holds. Everything goes through the radio's channel
// commands, and each channel is healed, so a frequency off the raster of the
// current channel spacing is moved onto it; a frequency outside the airband
// is an error, since no channel of this radio could stand for it. Duplicate
// Locations and Locations outside 1 to 20 are errors too. A file with any
// error changes nothing.
namespace CChannelCsv {
inline constexpr char kHeader[] =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

std::string Export(CM220Radio& radio);

// The problems found, in the order of the lines. When any is an error the
// radio is untouched; otherwise the channels hold the list (the image
// healed), and the warnings tell where the radio changed a value: a name
// cut to 7 characters or with characters the display cannot show, a
// frequency moved onto the raster, a missing Location 1.
std::vector<CCsvProblem> Import(CM220Radio& radio, std::string_view text);
} // namespace CChannelCsv
