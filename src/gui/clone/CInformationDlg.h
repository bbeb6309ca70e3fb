#pragma once

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class CInformationDlg;
}

namespace kt {

// The "Information" dialog: the connected transceiver's model name and clone
// comment, shown modally after a successful Information command. The texts
// are shown as plain text, whatever they hold, and are the dialog's
// accessible description, so that a screen reader reads them out.
class CInformationDlg : public QDialog {
    Q_OBJECT
public:
    explicit CInformationDlg(QWidget* parent = nullptr);
    ~CInformationDlg() override;

    void SetModel(const QString& model);
    void SetComment(const QString& comment);
    QString Model() const;
    QString Comment() const;

private:
    void UpdateSpokenText();

    std::unique_ptr<Ui::CInformationDlg> ui_;
};

} // namespace kt
