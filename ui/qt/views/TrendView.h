#pragma once
// The widget of a trend: the flow plot and the error plot side by side. Readings may arrive
// in bursts; the view redraws at most a few times a second, replaces each series' points in
// one call, and draws nothing while its window is hidden.
#include "ui/qt/views/Views.h"

#include <QTimer>

QT_BEGIN_NAMESPACE
class QAreaSeries;
class QChart;
class QLineSeries;
class QValueAxis;
QT_END_NAMESPACE

namespace ui::qt::views {

class TrendView : public ControlView {
    Q_OBJECT
public:
    // One reading a second needs one redraw a second; four keep a point change prompt.
    static constexpr int CoalesceMs = 250;

    TrendView(Trend& trend, const Lookup& l);

    // Puts the model's points into the plots now; the coalescing timer calls it.
    void redraw();
    // Readings wait for the coalescing timer; none pending: no redraw comes without new readings.
    bool redrawPending() const { return m_coalesce.isActive(); }

    QChart* flowChart() const { return m_flowChart; }
    QChart* errorChart() const { return m_errorChart; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFlowChart();
    void buildErrorChart();
    void scheduleRedraw();
    void redrawWhenSeen();

    Trend& m_model;
    QTimer m_coalesce;
    bool m_stale = false;  // the model changed while the window was hidden

    QChart* m_flowChart;
    QValueAxis* m_flowTime;
    QValueAxis* m_flowAxis;
    QLineSeries* m_reference;
    QLineSeries* m_measured;
    QLineSeries* m_bandUpper;
    QLineSeries* m_bandLower;
    QAreaSeries* m_band;

    QChart* m_errorChart;
    QValueAxis* m_errorTime;
    QValueAxis* m_errorAxis;
    QLineSeries* m_error;
    QLineSeries* m_errorUpper;
    QLineSeries* m_errorLower;
};

}  // namespace ui::qt::views
