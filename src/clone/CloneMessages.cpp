#include "CloneMessages.h"

namespace kt {

CloneMessage MessageForOutcome(CloneCommand command, int outcome) {
    using namespace CloneText;
    switch (outcome) {
    case CloneOutcome::kCompleted:
        if (command == CloneCommand::Write)
            return {kCompleted, kBoxWriteSucceeded};
        if (command == CloneCommand::Read)
            return {kCompleted, {}};
        return {};
    case CloneOutcome::kCancelled:
        return {kTerminated, {}};
    case CloneOutcome::kIllegalIdentity:
        return {kIllegalInformation, kBoxIllegalIdentity};
    case CloneOutcome::kPortFailed:
        return {kCannotAccessPort, kBoxPort};
    case CloneOutcome::kNoAnswer:
        return {kNoAnswer, kBoxCheck};
    default:
        break;
    }
    switch (command) {
    case CloneCommand::Read:
        return {kCannotRead, kBoxCheck};
    case CloneCommand::Write:
        return {kCannotWrite, kBoxCheck};
    case CloneCommand::Information:
        break;
    }
    return {kIllegalInformation, kBoxCheck};
}

std::string DiagnosisText(CloneDiagnosis diagnosis, const std::string& device) {
    switch (diagnosis) {
    case CloneDiagnosis::None:
        break;
    case CloneDiagnosis::NothingCameBack:
        return "Nothing came back from " + device + ". Is the cable plugged into this port?";
    case CloneDiagnosis::RadioDidNotAnswer:
        return "The cable works: what was sent to " + device +
               " came back. But the radio did not answer. Is it switched on, and in clone "
               "mode?";
    case CloneDiagnosis::TooMuchReceived:
        return device + " sent more than a clone exchange can bring, so it was stopped. Is another "
                        "device or program sending on this port?";
    case CloneDiagnosis::TookTooLong:
        return "The exchange over " + device +
               " went on far longer than a clone exchange takes, so it was stopped.";
    }
    return {};
}

} // namespace kt
