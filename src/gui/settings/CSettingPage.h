#pragma once

#include <QWidget>

#include <string>
class QComboBox;
class QString;

namespace kt {

class CM220Radio;

// A page of the Setting sheet. A page reads its settings from the radio when it
// is made, fills its controls the first time it is shown, and sends all its
// settings back on WriteBack. A page the user never looked at sends back what
// it read; a page that was shown sends what its controls hold. Nothing is sent
// before WriteBack. The radio is not owned and may be absent: then nothing is
// read or sent.
class CSettingPage : public QWidget {
    Q_OBJECT
public:
    // Takes the controls' values when the page was shown, then sends every
    // setting of the page, in the page's fixed order.
    void WriteBack();
    bool IsInitialized() const { return initialized_; }

protected:
    explicit CSettingPage(CM220Radio* radio, QWidget* parent = nullptr);

    CM220Radio* Radio() const { return radio_; }

    // Fills the lists and moves the values read into the controls.
    virtual void InitializePage() = 0;
    // Moves the controls' values into the page's values.
    virtual void TakeControls() = 0;
    virtual void SendSettings(CM220Radio& radio) = 0;

    void showEvent(QShowEvent* event) override;

    // The radio's texts are bytes; each byte is one character in the controls,
    // so a text keeps its length and every byte travels back unchanged.
    static QString ToControlText(const std::string& text);
    static std::string FromControlText(const QString& text);
    // Selects the first item whose text begins with text, ignoring case; no item
    // when none does.
    static void SelectItemStartingWith(QComboBox& combo, const std::string& text);
    // The selected item's text; empty when no item is selected.
    static std::string SelectedText(const QComboBox& combo);

private:
    CM220Radio* radio_;
    bool initialized_ = false;
};

} // namespace kt
