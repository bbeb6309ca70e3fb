#include "CHelpWindow.h"

#include "CAppIcons.h"
#include "CAppResources.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kt {

namespace {
QUrl PageUrl(const QString& page) {
    return QUrl(QStringLiteral("qrc:/help/") + page);
}
} // namespace

CHelpWindow::CHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    InitAppResources();
    setWindowTitle(QStringLiteral("KT-M220 Help"));
    setWindowIcon(CAppIcons::AppIcon());
    resize(640, 560);

    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({QStringLiteral(":/help")});
    browser_->setAccessibleName(QStringLiteral("Help page"));

    auto* back = new QPushButton(QStringLiteral("< &Back"), this);
    auto* forward = new QPushButton(QStringLiteral("&Forward >"), this);
    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto* topics = new QPushButton(QStringLiteral("&Topics"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(contents, &QPushButton::clicked, this,
            [this] { ShowPage(QString::fromLatin1(kContentsPage)); });
    connect(topics, &QPushButton::clicked, this,
            [this] { ShowPage(QString::fromLatin1(kTopicsPage)); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // Escape closes it, as it closes every dialog.
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(contents);
    buttons->addWidget(topics);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
}

void CHelpWindow::ShowPage(const QString& page) {
    browser_->setSource(PageUrl(page));
}

QString CHelpWindow::CurrentPage() const {
    return QFileInfo(browser_->source().path()).fileName();
}

} // namespace kt
