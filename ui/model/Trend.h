#pragma once
// A live trend of a flow point: the reference flow and the meter's flow with the band of the
// permissible error around the reference, and the meter's relative error over time between
// the ± permissible lines. The logic adds readings; the Qt layer draws points() after
// pointsChanged(), as often as it finds cheap.
#include "ui/model/Control.h"
#include "ui/model/TrendHistory.h"

#include <QList>
#include <QPointF>

#include <functional>

namespace ui {

// An axis from min to max with grid lines every step, counted from 0.
struct AxisRange {
    double min = 0;
    double max = 0;
    double step = 0;
};

// What the two plots show; x is in minutes before the newest reading.
struct TrendPoints {
    QList<QPointF> reference;   // m3/h
    QList<QPointF> measured;    // m3/h
    QList<QPointF> bandUpper;   // the reference plus the permissible error
    QList<QPointF> bandLower;   // the reference minus the permissible error
    QList<QPointF> error;       // %, (measured - reference) / reference; none while the reference is 0
    QList<QPointF> errorUpper;  // + permissible, across the whole time axis
    QList<QPointF> errorLower;  // - permissible
    // The time axis reaches back to the oldest reading, a minute at least, so a settling
    // meter fills the plot after "Сброс" and the plot widens up to the whole span.
    AxisRange timeAxis;
    // Round values around every point (the error axis may cut off a far error, see below).
    AxisRange flowAxis;
    AxisRange errorAxis;
};

class Trend : public Control {
    Q_OBJECT
public:
    using Clock = std::function<qint64()>;  // milliseconds on a monotonic clock
    // The error plot reaches this many permissible errors at most: a meter far off (reading 0
    // at the start of a point) runs off the plot instead of flattening the band to a line.
    static constexpr double ErrorAxisLimits = 10.0;

    Trend(Form* form, const char* name, Control* parent);

    // The titles and legend names the plots show; set with the form, before its window is built.
    QString flowTitle;
    QString errorTitle;
    QString timeAxisTitle;
    QString flowAxisTitle;
    QString errorAxisTitle;
    QString referenceName;
    QString measuredName;
    QString bandName;

    void setClock(Clock clock);
    double permissibleError() const { return m_permissible; }  // per cent
    void setPermissibleError(double percent);

    // A pair of readings taken now.
    void add(double reference, double measured);
    void clear();

    const TrendHistory& history() const { return m_history; }
    TrendPoints points() const;

Q_SIGNALS:
    void pointsChanged();

private:
    Clock m_clock;
    double m_permissible = 0;
    TrendHistory m_history;
};

}  // namespace ui
