#include "CAppIcons.h"

#include "CAppResources.h"
#include "CommandIds.h"

#include <QStyle>
#include <QWidget>

namespace {
QPixmap Draw(const QString& file, QSize size, const QWidget* widget) {
    InitAppResources();
    const qreal ratio = widget ? widget->devicePixelRatioF() : 1.0;
    return QIcon(file).pixmap(size, ratio);
}

QIcon Svg(const char* name) {
    InitAppResources();
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}
} // namespace

QIcon CAppIcons::AppIcon() {
    return Svg("kt-m220");
}

QPixmap CAppIcons::AppIconPixmap(const QWidget* widget) {
    return Draw(QStringLiteral(":/icons/kt-m220.svg"), QSize(48, 48), widget);
}

QPixmap CAppIcons::LogoPixmap(const QWidget* widget) {
    return Draw(QStringLiteral(":/icons/logo.svg"), QSize(72, 36), widget);
}

QIcon CAppIcons::CommandIcon(int commandId, const QStyle* style) {
    using namespace CommandId;
    switch (commandId) {
    case kFileNew:
        return style->standardIcon(QStyle::SP_FileIcon);
    case kFileOpen:
        return style->standardIcon(QStyle::SP_DialogOpenButton);
    case kFileSave:
        return style->standardIcon(QStyle::SP_DialogSaveButton);
    case kEditMemory:
        return Svg("edit-memory");
    case kEditCopy:
        return Svg("copy");
    case kEditPaste:
        return Svg("paste");
    case kEditClear:
        return Svg("clear");
    case kCommonSetting:
        return Svg("common-setting");
    case kPortCom1:
        return Svg("com1");
    case kPortCom1 + 1:
        return Svg("com2");
    case kPortCom1 + 2:
        return Svg("com3");
    case kPortCom1 + 3:
        return Svg("com4");
    case kCloneRead:
        return Svg("clone-read");
    case kCloneWrite:
        return Svg("clone-write");
    case kCloneInformation:
        return Svg("clone-information");
    default:
        return {};
    }
}
