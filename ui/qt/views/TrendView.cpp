#include "ui/qt/views/TrendView.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QHBoxLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>

namespace ui::qt::views {

namespace {
const QColor kReferenceColor(0, 0, 160);
const QColor kMeasuredColor(200, 90, 0);
const QColor kBandColor(0, 160, 0, 60);
const QColor kLimitColor(200, 0, 0);

QWidget* makePanel()
{
    auto* panel = new QWidget;
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    return panel;
}

// A plot the operator looks at but never types into: no focus, no frame, no animation.
QChart* addChart(QWidget& panel, const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    chart->setAnimationOptions(QChart::NoAnimation);
    auto* view = new QChartView(chart);
    view->setAccessibleName(title);
    view->setFocusPolicy(Qt::NoFocus);
    view->setFrameShape(QFrame::NoFrame);
    view->setRenderHint(QPainter::Antialiasing);
    panel.layout()->addWidget(view);
    return chart;
}

// Grid lines counted from 0 at the model's steps.
QValueAxis* addAxis(QChart& chart, Qt::Alignment side, const QString& title)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setLabelFormat(QStringLiteral("%g"));
    QFont font = axis->titleFont();
    font.setBold(false);
    axis->setTitleFont(font);
    chart.addAxis(axis, side);
    return axis;
}

QLineSeries* addLine(QChart& chart, const QString& name, const QPen& pen, QValueAxis* x, QValueAxis* y)
{
    auto* series = new QLineSeries;
    series->setName(name);
    series->setPen(pen);
    chart.addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    return series;
}

QPen limitPen()
{
    return QPen(kLimitColor, 1, Qt::DashLine);
}

// An unchanged range costs nothing: the axis tells its series only of a change.
void show(QValueAxis& axis, const AxisRange& range)
{
    axis.setRange(range.min, range.max);
    axis.setTickInterval(range.step);
}
}  // namespace

TrendView::TrendView(Trend& trend, const Lookup& l) : ControlView(trend, makePanel(), l), m_model(trend)
{
    buildFlowChart();
    buildErrorChart();
    m_coalesce.setSingleShot(true);
    m_coalesce.setInterval(CoalesceMs);
    connect(&m_coalesce, &QTimer::timeout, this, &TrendView::redrawWhenSeen);
    connect(&trend, &Trend::pointsChanged, this, &TrendView::scheduleRedraw);
    widget()->installEventFilter(this);
    redraw();
}

void TrendView::buildFlowChart()
{
    m_flowChart = addChart(*widget(), m_model.flowTitle);
    m_flowTime = addAxis(*m_flowChart, Qt::AlignBottom, m_model.timeAxisTitle);
    m_flowAxis = addAxis(*m_flowChart, Qt::AlignLeft, m_model.flowAxisTitle);
    // The band first, so the lines are drawn over it.
    m_bandUpper = new QLineSeries;
    m_bandLower = new QLineSeries;
    m_band = new QAreaSeries(m_bandUpper, m_bandLower);
    // The edges live as long as the area, which the chart owns.
    m_bandUpper->setParent(m_band);
    m_bandLower->setParent(m_band);
    m_band->setName(m_model.bandName);
    m_band->setBrush(kBandColor);
    m_band->setPen(Qt::NoPen);
    m_flowChart->addSeries(m_band);
    m_band->attachAxis(m_flowTime);
    m_band->attachAxis(m_flowAxis);
    m_reference = addLine(*m_flowChart, m_model.referenceName, QPen(kReferenceColor, 2), m_flowTime, m_flowAxis);
    m_measured = addLine(*m_flowChart, m_model.measuredName, QPen(kMeasuredColor, 2), m_flowTime, m_flowAxis);
    m_flowChart->legend()->setAlignment(Qt::AlignBottom);
}

void TrendView::buildErrorChart()
{
    m_errorChart = addChart(*widget(), m_model.errorTitle);
    m_errorTime = addAxis(*m_errorChart, Qt::AlignBottom, m_model.timeAxisTitle);
    m_errorAxis = addAxis(*m_errorChart, Qt::AlignLeft, m_model.errorAxisTitle);
    m_errorUpper = addLine(*m_errorChart, m_model.bandName, limitPen(), m_errorTime, m_errorAxis);
    m_errorLower = addLine(*m_errorChart, m_model.bandName, limitPen(), m_errorTime, m_errorAxis);
    m_error = addLine(*m_errorChart, m_model.measuredName, QPen(kMeasuredColor, 2), m_errorTime, m_errorAxis);
    // The two limit lines are one legend entry.
    m_errorChart->legend()->markers(m_errorLower).constFirst()->setVisible(false);
    m_errorChart->legend()->setAlignment(Qt::AlignBottom);
}

void TrendView::scheduleRedraw()
{
    if (!m_coalesce.isActive())
        m_coalesce.start();
}

void TrendView::redrawWhenSeen()
{
    if (widget()->isVisible())
        redraw();
    else
        m_stale = true;
}

bool TrendView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && m_stale)
        redraw();
    return ControlView::eventFilter(watched, event);
}

void TrendView::redraw()
{
    m_stale = false;
    const TrendPoints p = m_model.points();
    show(*m_flowTime, p.timeAxis);
    show(*m_errorTime, p.timeAxis);
    show(*m_flowAxis, p.flowAxis);
    show(*m_errorAxis, p.errorAxis);
    m_bandUpper->replace(p.bandUpper);
    m_bandLower->replace(p.bandLower);
    m_reference->replace(p.reference);
    m_measured->replace(p.measured);
    m_error->replace(p.error);
    m_errorUpper->replace(p.errorUpper);
    m_errorLower->replace(p.errorLower);
}

ControlView* trend(Trend& c, const Lookup& l)
{
    return new TrendView(c, l);
}

}  // namespace ui::qt::views
