#pragma once

#include <string>

namespace kt {

// Outcomes of a clone command and the texts the program shows for them.
enum class CloneCommand { Read, Write, Information };

namespace CloneOutcome {
inline constexpr int kCompleted = 0;
inline constexpr int kCancelled = 1;
inline constexpr int kFailed = 77;
inline constexpr int kNoIdentityLine = 80;
inline constexpr int kNoAnswer = 82;
inline constexpr int kIllegalIdentity = 85;
inline constexpr int kPortFailed = 91;
} // namespace CloneOutcome

namespace CloneText {
inline constexpr char kNowReading[] = " Now reading <- TR";
inline constexpr char kNowWriting[] = " Now writing -> TR";
inline constexpr char kCompleted[] = " Cloning completed.";
inline constexpr char kTerminated[] = " Terminated cloning.  ";
inline constexpr char kIllegalInformation[] = " Err: Illegal information.";
inline constexpr char kCannotAccessPort[] = " Err: Cannot access RS-232C port.";
inline constexpr char kCannotRead[] = " Err: Cannot read cloning data.";
inline constexpr char kCannotWrite[] = " Err: Cannot write cloning data.";
inline constexpr char kNoAnswer[] = " Err: No answer from transceiver.";

inline constexpr char kAskRead[] = " Read from transceiver";
inline constexpr char kDataEdited[] = " Data has been edited.";
inline constexpr char kAskWrite[] = " Write to transceiver";

// Box W: a write succeeded.
inline constexpr char kBoxWriteSucceeded[] =
    " Clone writing succeeded. \n\n Turn the transceiver power off and on to use \n the "
    "transceiver under its new conditions.\n";
// Box I: the transceiver's identity is not the one this program serves.
inline constexpr char kBoxIllegalIdentity[] =
    " The transceiver cannot be programmed. The cause may be:\n\n 1) The transceiver has not "
    "been cloned.\n 2) The transceiver's EEPROM is damaged.\n 3) The transceiver's revision "
    "number is not compatible\n    with the programming software.\n\n In cases 1 or 2, the "
    "transceiver requires factory\n maintenance. In case 3, the transceiver cannot be\n "
    "programmed using this program.\n\n";
// Box P: the serial port cannot be opened.
inline constexpr char kBoxPort[] = " Check the following:\n\n - The RS-232C port settings.\n - "
                                   "Cloning cable connections.\n - Transceiver power is ON.";
// Box K: the exchange failed.
inline constexpr char kBoxCheck[] =
    " Check the following:\r\n\r\n - The RS-232C port settings.\r\n - Cloning cable "
    "connections.\r\n - Appropriate cloning software for the transceiver is being used.\r\n - "
    "The revision number of the transceiver.\n";
} // namespace CloneText

// What the line showed of why an exchange failed. The status text and box of
// the outcome come first; the diagnosis follows them as the box's detail.
enum class CloneDiagnosis {
    None,
    NothingCameBack,   // not a byte, not even the cable's echo
    RadioDidNotAnswer, // the request's echo came back, the transceiver stayed silent
    TooMuchReceived,   // more than an exchange can legitimately bring
    TookTooLong,       // far longer than the exchange takes at the line's pace
};

// The diagnosis in plain words, naming the device; empty for None.
std::string DiagnosisText(CloneDiagnosis diagnosis, const std::string& device);

// The status text and box of an outcome; box is empty when none is shown.
struct CloneMessage {
    std::string status;
    std::string box;
};

// The message of an outcome for a command. Outcome 0 of Information shows the
// Information dialog instead, so its message is empty. A cancelled
// Information (Ctrl-C or a termination signal) says it was terminated.
CloneMessage MessageForOutcome(CloneCommand command, int outcome);

} // namespace kt
