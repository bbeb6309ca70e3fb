#pragma once

#include "CImageComparison.h"
#include "CReportDlg.h"

#include <QString>

#include <memory>
#include <vector>

namespace Ui {
class CCompareDlg;
}

namespace kt {

// The window of File > "Compare With...": what differs between the document
// and another data file, one row per channel property or setting that
// differs (the channel, the property, the value in the document, the value in
// the other file), in the words of the channel list; or that the two images
// are the same.
class CCompareDlg : public CReportDlg {
    Q_OBJECT
public:
    explicit CCompareDlg(QWidget* parent = nullptr);
    ~CCompareDlg() override;

    // documentTitle (the document's file name, or "Untitled") and otherName
    // name the two images in the summary and the column headings.
    void SetDifferences(const QString& documentTitle, const QString& otherName,
                        const std::vector<CImageComparison::Difference>& differences);

    QString HeaderText(int column) const;

    static constexpr int kColumns = 4;

private:
    std::unique_ptr<Ui::CCompareDlg> ui_;
};

} // namespace kt
