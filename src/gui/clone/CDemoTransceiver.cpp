#include "CDemoTransceiver.h"

#include "CM220Radio.h"
#include "CompanionProgram.h"

#include <QDir>

namespace kt {

namespace {
constexpr int kStopWaitMs = 2000;

struct DemoChannel {
    int number;
    const char* frequency;
    const char* name;
};

// Channel 1 keeps the default image's 118.000 MHz.
constexpr DemoChannel kDemoChannels[] = {
    {2, "118.100", "TOWER"},  {3, "121.500", "GUARD"}, {4, "121.900", "GROUND"},
    {5, "124.350", "APPR"},   {6, "126.700", "INFO"},  {7, "122.800", "UNICOM"},
    {8, "119.450", "DEPART"},
};
} // namespace

CDemoTransceiver::CDemoTransceiver(QObject* parent) : QObject(parent) {
    connect(&process_, &QProcess::readyReadStandardOutput, this, &CDemoTransceiver::OnOutput);
    connect(&process_, &QProcess::errorOccurred, this, &CDemoTransceiver::OnError);
    connect(&process_, &QProcess::finished, this, &CDemoTransceiver::OnFinished);
}

CDemoTransceiver::~CDemoTransceiver() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.disconnect(this);
    process_.terminate();
    if (!process_.waitForFinished(kStopWaitMs)) {
        process_.kill();
        process_.waitForFinished(kStopWaitMs);
    }
}

QString CDemoTransceiver::FindProgram() {
    return FindCompanionProgram(kProgramName, "sim");
}

bool CDemoTransceiver::WriteDemoImage(const QString& path) {
    CM220Radio radio;
    radio.NewData();
    for (const DemoChannel& c : kDemoChannels) {
        radio.SetFrequency(c.number, c.frequency);
        radio.SetName(c.number, c.name);
        radio.SetAppear(c.number, "ON");
        radio.HealChannel(c.number);
    }
    radio.SetCloneComment(kComment);
    radio.Heal();
    return radio.SaveFile(path.toStdString());
}

void CDemoTransceiver::Start() {
    const QString program = FindProgram();
    if (program.isEmpty()) {
        reported_ = true;
        emit Failed(QStringLiteral("%1 was not found beside this program or on the PATH.")
                        .arg(QLatin1String(kProgramName)));
        return;
    }
    QStringList arguments{QStringLiteral("--quiet"), QStringLiteral("--stdin-control")};
    image_.setFileTemplate(QDir::tempPath() + QStringLiteral("/kt-m220-demo-XXXXXX.vkf"));
    if (image_.open() && WriteDemoImage(image_.fileName()))
        arguments << QStringLiteral("--image") << image_.fileName();
    // The simulator ends by itself when this program goes, as its input closes.
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(program, arguments);
}

void CDemoTransceiver::OnOutput() {
    output_ += QString::fromLocal8Bit(process_.readAllStandardOutput());
    const qsizetype end = output_.indexOf(QLatin1Char('\n'));
    if (reported_ || end < 0)
        return;
    reported_ = true;
    device_ = output_.left(end).trimmed();
    emit Ready(device_);
}

void CDemoTransceiver::OnError(QProcess::ProcessError error) {
    if (reported_ || error != QProcess::FailedToStart)
        return;
    reported_ = true;
    emit Failed(process_.errorString());
}

void CDemoTransceiver::OnFinished() {
    if (reported_)
        return;
    reported_ = true;
    const QString errors = QString::fromLocal8Bit(process_.readAllStandardError()).trimmed();
    emit Failed(errors.isEmpty() ? QStringLiteral("The virtual transceiver ended at once.")
                                 : errors);
}

} // namespace kt
