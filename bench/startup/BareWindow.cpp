// The yardstick of the start-up measurement: a bare Qt main window with what
// the desktop program's window has (a menu bar, a toolbar, a status bar and a
// list of 7 columns and 20 rows) and nothing else.
#include <QApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
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
    window.show();
    return QApplication::exec();
}
