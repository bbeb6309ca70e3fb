#include "SpacingChangeQuestion.h"

#include "CPlainMessageBox.h"
#include "CStringTable.h"
#include "CommandIds.h"

#include <QMessageBox>

namespace kt {

namespace {
SpacingChangeAnswerer& Answerer() {
    static SpacingChangeAnswerer answerer;
    return answerer;
}
} // namespace

void SetSpacingChangeAnswerer(SpacingChangeAnswerer answerer) {
    Answerer() = std::move(answerer);
}

std::string SpacingChangeText(const std::string& spacing,
                              const std::vector<CSpacingChange::Move>& moves) {
    bool anotherCarrier = false;
    std::string text = "The channel spacing " + spacing + " changes these channels:\n\n";
    for (const CSpacingChange::Move& m : moves) {
        text += m.Describe() + "\n";
        anotherCarrier = anotherCarrier || !m.sameCarrier;
    }
    text += anotherCarrier ? "\nA channel moved to another carrier is no longer the channel it "
                             "was.\n"
                           : "\nEach stays on its carrier.\n";
    return text + "\nChange the channel spacing?";
}

bool AskSpacingChange(QWidget* parent, const std::string& spacing,
                      const std::vector<CSpacingChange::Move>& moves) {
    if (Answerer())
        return Answerer()(spacing, moves);
    CPlainMessageBox box(QMessageBox::Question, CStringTable::Text(StringId::kAppTitle),
                         QString::fromStdString(SpacingChangeText(spacing, moves)),
                         QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace kt
