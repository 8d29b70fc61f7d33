#pragma once
// Protocols as a run leaves them, and the calls a run makes to write one into the archive.
#include "modes/verification/Protocol.h"
#include "modes/verification/archive/RunRecorder.h"

namespace sample {

using namespace verification;

inline Protocol header(int year = 2026)
{
    Protocol p;
    p.started = QDateTime(QDate(year, 3, 14), QTime(9, 26, 53, 589));
    p.bench = QStringLiteral("ИМР №12, УСИ №7, ИПТ №3");
    p.meterType = QStringLiteral("Альфа МР");
    // A tab and a line break must come back as they were and not fake the seal's lines.
    p.meter = MeterIdentity{QStringLiteral("SN-0042\t17"), QStringLiteral("ООО \"Водоканал\"\nцех 2"), QStringLiteral("Иванов И. И.")};
    p.autoCirculations = 12;
    p.delayNs = 0.1 + 0.2;
    p.parameters = VerificationParameters{30000, 4, 1000, 10000, 1.5, {30, 150, 300}};
    for (int point : p.parameters.points)
        p.points.append(PointResult{point, std::nullopt, 1.5, {}, false, std::nullopt});
    return p;
}

// Three points of four readings, each with its current; the volume with its pulses.
inline Protocol complete()
{
    Protocol p = header();
    const QList<QList<double>> readings{{30.000000000000004, 29.9, 1.0 / 3, 30.1},
                                        {149.93333333333334, 150.1, 150.0, 1e-300},
                                        {300.25, 299.75, 12345.678901234567, 300.0}};
    for (int i = 0; i < p.points.size(); ++i) {
        PointResult& point = p.points[i];
        point.imitatedFlow = point.point + 0.0625;
        point.readings = readings[i];
        point.complete = true;
        point.current = Comparison{4.0 + i * 5.333333333333333, 4.01 + i * 5.3, 1.5};
    }
    p.volume = VolumeCheck{Comparison{1.5, 1.4999999999999998, 1.5}, Comparison{1.5, 1.502, 1.5}};
    p.complete = true;
    return p;
}

// Ended at the second point's third reading; the current was not checked, nor the volume.
inline Protocol incomplete()
{
    Protocol p = header();
    p.points[0].imitatedFlow = 30.125;
    p.points[0].readings = {30.5, 30.25, 29.875, 30.0};
    p.points[0].complete = true;
    p.points[1].imitatedFlow = 150.5;
    p.points[1].readings = {151.0, 150.75};
    p.currentSkipped = QStringLiteral("нет модуля ИПТ");
    p.pulsesSkipped = QStringLiteral("нет модуля УСИ");
    p.incompleteReason = QStringLiteral("нет связи с прибором");
    return p;
}

// The header as begin() gets it: nothing measured, nothing judged yet.
inline Protocol started(const Protocol& p)
{
    Protocol h = header(p.started.date().year());
    h.started = p.started;
    return h;
}

// The calls of a run, in its order; false at the first refused one.
inline bool record(archive::RunRecorder& recorder, const Protocol& p)
{
    if (!recorder.begin(started(p)) || !recorder.checksSkipped(p))
        return false;
    for (int i = 0; i < p.points.size(); ++i) {
        for (double v : p.points[i].readings)
            if (!recorder.reading(i, v))
                return false;
        if (!recorder.pointDone(i, p.points[i]))
            return false;
    }
    if (p.volume && !recorder.volumeDone(*p.volume))
        return false;
    return recorder.end(p);
}

}  // namespace sample
