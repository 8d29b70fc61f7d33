#include "sim/Simulator.h"

#include "sim/Bench.h"
#include "sim/Line.h"
#include "sim/LineDirectory.h"
#include "sim/LineResponder.h"

#include <QDir>
#include <QThread>

#include <mutex>

namespace sim {

struct Simulator::Impl {
    explicit Impl(Options o)
        : options(std::move(o)),
          type(meterType(options.meterType)),
          bench(options, type.value_or(*meterType(0)), Clock::now())
    {
        if (options.directory.isEmpty())
            options.directory = defaultLineDirectory();
        wire = WireSettings{options.wireTime, options.baud};
        for (Module m : {Module::Imr, Module::Usi, Module::Ipt})
            benchStations.attach(m, &bench.device(m));
        meterStations.attach(Module::Meter, &bench.device(Module::Meter));
    }

    // Runs f on the simulator's thread and waits for it.
    template <typename F>
    void onThread(F f)
    {
        if (QThread::currentThread() == &thread)
            f();
        else
            QMetaObject::invokeMethod(context, f, Qt::BlockingQueuedConnection);
    }

    Line::Responder responderFor(LineResponder& stations)
    {
        return [this, &stations](const QByteArray& frame) {
            std::lock_guard lock(mutex);
            bench.advanceTo(Clock::now());
            return stations.respond(frame, wire);
        };
    }

    // The device, with time brought up to now; call with the mutex held.
    Device& current(Module m)
    {
        bench.advanceTo(Clock::now());
        return bench.device(m);
    }

    LineResponder& stationsOf(Module m) { return m == Module::Meter ? meterStations : benchStations; }
    Line*& lineOf(Module m) { return m == Module::Meter ? meterLine : benchLine; }
    QString pathOf(Module m) const
    {
        return options.directory + u'/' + QLatin1String(m == Module::Meter ? meterLineName() : benchLineName());
    }

    Options options;
    std::optional<MeterType> type;
    mutable std::mutex mutex;
    Bench bench;
    LineResponder benchStations;
    LineResponder meterStations;
    WireSettings wire;

    QThread thread;
    QObject* context = nullptr;  // lives on `thread`, parent of the lines
    Line* benchLine = nullptr;
    Line* meterLine = nullptr;
};

Simulator::Simulator(Options options) : d(std::make_unique<Impl>(std::move(options))) {}

Simulator::~Simulator() { stop(); }

bool Simulator::start(QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        stop();
        return false;
    };
    if (d->context)
        return true;
    if (!d->type)
        return fail(QStringLiteral("meter type %1 is not simulated (0, 1, 3, 4 or 5)").arg(d->options.meterType));
    if (!QDir().mkpath(d->options.directory))
        return fail(QStringLiteral("cannot create the directory %1").arg(d->options.directory));

    d->context = new QObject;
    d->context->moveToThread(&d->thread);
    d->thread.setObjectName(QStringLiteral("zta-sim"));
    d->thread.start();
    QString why;
    d->onThread([&] {
        for (Module m : {Module::Imr, Module::Meter}) {
            Line* line = new Line(d->responderFor(d->stationsOf(m)), d->context);
            d->lineOf(m) = line;
            if (why.isEmpty() && !line->open(d->pathOf(m), &why))
                why = d->pathOf(m) + QStringLiteral(": ") + why;
        }
    });
    return why.isEmpty() ? true : fail(why);
}

void Simulator::stop()
{
    if (!d->context)
        return;
    d->onThread([this] {
        delete d->benchLine;
        delete d->meterLine;
    });
    d->benchLine = d->meterLine = nullptr;
    d->thread.quit();
    d->thread.wait();
    delete d->context;
    d->context = nullptr;
}

QString Simulator::benchPort() const { return d->pathOf(Module::Imr); }
QString Simulator::meterPort() const { return d->pathOf(Module::Meter); }

void Simulator::setFault(Module m, const FaultSpec& f)
{
    std::lock_guard lock(d->mutex);
    d->stationsOf(m).setFault(m, f);
}

void Simulator::setWireTime(bool on, int baud)
{
    std::lock_guard lock(d->mutex);
    d->wire = WireSettings{on, baud};
}

void Simulator::setAddress(Module m, int address)
{
    std::lock_guard lock(d->mutex);
    d->current(m).setAddress(address);
}

void Simulator::dropLine(Module anyModuleOnTheLine)
{
    if (d->context)
        d->onThread([&] { d->lineOf(anyModuleOnTheLine)->close(); });
}

bool Simulator::restoreLine(Module anyModuleOnTheLine, QString* error)
{
    if (!d->context) {
        if (error)
            *error = QStringLiteral("the simulator is not running");
        return false;
    }
    bool opened = false;
    d->onThread([&] { opened = d->lineOf(anyModuleOnTheLine)->open(d->pathOf(anyModuleOnTheLine), error); });
    return opened;
}

quint16 Simulator::holding(Module m, int reg) const
{
    std::lock_guard lock(d->mutex);
    return d->current(m).registers().word(Table::Holding, reg);
}

void Simulator::setHolding(Module m, int reg, quint16 value)
{
    std::lock_guard lock(d->mutex);
    Device& device = d->current(m);
    device.registers().setWord(Table::Holding, reg, value);
    device.holdingWritten(reg);
}

quint16 Simulator::input(Module m, int reg) const
{
    std::lock_guard lock(d->mutex);
    return d->current(m).registers().word(Table::Input, reg);
}

void Simulator::setInput(Module m, int reg, quint16 value)
{
    std::lock_guard lock(d->mutex);
    d->current(m).registers().setWord(Table::Input, reg, value);
}

bool Simulator::coil(Module m, int coil) const
{
    std::lock_guard lock(d->mutex);
    return d->current(m).registers().coil(coil);
}

void Simulator::setCoil(Module m, int coil, bool value)
{
    std::lock_guard lock(d->mutex);
    Device& device = d->current(m);
    device.registers().setCoil(coil, value);
    device.coilWritten(coil);
}

int Simulator::requestCount(Module m) const
{
    std::lock_guard lock(d->mutex);
    return d->stationsOf(m).requestCount(m);
}

void Simulator::setImrError(int error)
{
    std::lock_guard lock(d->mutex);
    d->bench.advanceTo(Clock::now());
    d->bench.imr().injectAutomatonError(quint8(error));
}

}  // namespace sim
