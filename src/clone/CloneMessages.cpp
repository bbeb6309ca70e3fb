#include "CloneMessages.h"

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
        if (command != CloneCommand::Information)
            return {kTerminated, {}};
        break;
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
