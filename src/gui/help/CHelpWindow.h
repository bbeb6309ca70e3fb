#pragma once

#include <QWidget>

class QTextBrowser;

namespace kt {

// The help window: the program's help pages (compiled into the program) in a
// browser with Back, Forward and Contents. It stays open beside the main
// window until it is closed.
class CHelpWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr char kContentsPage[] = "index.html";
    static constexpr char kTopicsPage[] = "topics.html";

    explicit CHelpWindow(QWidget* parent = nullptr);

    // Shows a page by its file name ("index.html").
    void ShowPage(const QString& page);
    // The file name of the page shown.
    QString CurrentPage() const;
    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_ = nullptr;
};

} // namespace kt
