// A program that writes into an archive for the tests that need a second process or one to kill.
//   archive_writer <file> <bench> runs <count>: records <count> complete runs, a line "run <number>" each;
//   archive_writer <file> <bench> readings: begins a run ("run <number>"), then takes one reading
//   per line read from its input and prints "reading <k>" once it is committed.
#include "SampleRuns.h"
#include "modes/verification/archive/ArchiveDatabase.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

using namespace verification::archive;

namespace {

int fail(const QString& error)
{
    QTextStream(stderr) << error << Qt::endl;
    return 1;
}

double readingValue(int k)
{
    return 100 + k * 0.125;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return fail(QStringLiteral("usage: archive_writer <file> <bench> runs <count> | readings"));
    ArchiveSettings settings;
    settings.file = args[1];
    ArchiveDatabase db;
    if (!db.open(settings))
        return fail(db.error());
    QTextStream out(stdout);
    if (args[3] == QLatin1String("runs")) {
        for (int i = 0; i < args.value(4).toInt(); ++i) {
            RunRecorder recorder(db, args[2], QString());
            if (!sample::record(recorder, sample::complete()))
                return fail(recorder.error());
            out << "run " << recorder.number() << Qt::endl;
        }
        return 0;
    }
    RunRecorder recorder(db, args[2], QString());
    const verification::Protocol header = sample::header();
    if (!recorder.begin(header))
        return fail(recorder.error());
    out << "run " << recorder.number() << Qt::endl;
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return fail(QStringLiteral("no input"));
    const int perPoint = header.parameters.readings;
    for (int k = 0; !in.readLine().isEmpty(); ++k) {
        const int point = k / perPoint;
        if (!recorder.reading(point, readingValue(k)))
            return fail(recorder.error());
        out << "reading " << k << Qt::endl;
        if ((k + 1) % perPoint == 0) {
            verification::PointResult done = header.points[point];
            done.complete = true;
            for (int j = k + 1 - perPoint; j <= k; ++j)
                done.readings.append(readingValue(j));
            if (!recorder.pointDone(point, done))
                return fail(recorder.error());
        }
    }
    return 0;
}
