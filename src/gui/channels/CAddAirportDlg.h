#pragma once

#include "CAirportChannels.h"
#include "CAirportData.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

namespace Ui {
class CAddAirportDlg;
}

namespace kt {

class CM220Radio;

// Edit > "Add Airport Channels...": the user types an airport ident (EDDF) or
// words of its descriptions (Frankfurt); the list shows each frequency's type,
// description, designator, the 7-character name it would get (editable) and
// how the current spacing holds it; the ticked ones fill the first empty
// channels from the chosen one. A channel the spacing cannot hold asks whether
// to switch to 25k/8.33kHz first. The caller records the one undo step.
class CAddAirportDlg : public QDialog {
    Q_OBJECT
public:
    CAddAirportDlg(CM220Radio& radio, int firstChannel, QWidget* parent = nullptr);
    ~CAddAirportDlg() override;

    // The search as typed: fills the list.
    void Search(const QString& query);
    // The candidates as the list shows them now (ticks and names taken).
    std::vector<CAirportChannels::Candidate> Candidates() const;
    // What the last OK did; empty channels when nothing was added.
    const CAirportChannels::AddResult& Result() const { return result_; }

    // Tests answer the question about the spacing instead of a person.
    void SetSpacingAnswer(int answer) { spacingAnswer_ = answer; }

    void accept() override;

private:
    void ShowCandidates();
    bool AskSpacing(const std::vector<CAirportChannels::Candidate>& chosen);
    void ShowMessage(const QString& text);

    std::unique_ptr<Ui::CAddAirportDlg> ui_;
    CM220Radio& radio_;
    CAirportData data_;
    bool dataLoaded_ = false;
    std::vector<CAirportChannels::Candidate> candidates_;
    CAirportChannels::AddResult result_;
    int spacingAnswer_ = -1; // -1: ask; 0: No; 1: Yes
};

} // namespace kt
