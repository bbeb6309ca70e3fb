// The yardstick of the start-up measurement: a bare Qt main window with what
// the desktop program's window has (a menu bar, a toolbar, a status bar and a
// list of 7 columns and 20 rows) and nothing else.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {
// With KT_M220_TRACE_STARTUP set, the same marks as the desktop program's.
QElapsedTimer gClock;
void Mark(const char* step) {
    if (gClock.isValid())
        fprintf(stderr, "startup: %7.2f ms  %s\n", static_cast<double>(gClock.nsecsElapsed()) / 1e6,
                step);
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet("KT_M220_TRACE_STARTUP")) {
        gClock.start();
        if (const char* launched = std::getenv("KT_LAUNCH_NS")) {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            const long long ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
            fprintf(stderr, "startup: %7.2f ms  main reached after launch\n",
                    static_cast<double>(ns - std::atoll(launched)) / 1e6);
        }
    }
    QApplication application(argc, argv);
    Mark("QApplication made");
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));

    for (const char* title : {"&File", "&Edit", "&View", "&Help"}) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(title));
        menu->addAction(QStringLiteral("&Item"));
    }
    QToolBar* bar = window.addToolBar(QStringLiteral("Toolbar"));
    bar->setIconSize(QSize(16, 16));
    for (QStyle::StandardPixmap icon :
         {QStyle::SP_FileIcon, QStyle::SP_DialogOpenButton, QStyle::SP_DialogSaveButton})
        bar->addAction(window.style()->standardIcon(icon), QStringLiteral("Button"));
    window.statusBar()->showMessage(QStringLiteral("Ready"));

    auto* list = new QTreeWidget(&window);
    list->setColumnCount(7);
    list->setHeaderLabels({"CH", "Prio", "Frequency", "Name", "Tx Inhibit", "Memory Lockout", ""});
    list->setRootIsDecorated(false);
    for (int row = 1; row <= 20; ++row)
        list->addTopLevelItem(new QTreeWidgetItem({QString::number(row)}));
    window.setCentralWidget(list);

    window.setGeometry(5, 5, 500, 300);
    Mark("window made");
    window.show();
    Mark("window shown");
    bool exposed = false;
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [&] {
            if (!exposed && window.windowHandle()->isExposed()) {
                exposed = true;
                Mark("event loop idle after the first expose");
            }
        });
    return QApplication::exec();
}
