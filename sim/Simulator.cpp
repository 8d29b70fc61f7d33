#include "sim/Simulator.h"

#include "sim/Equipment.h"
#include "sim/Line.h"
#include "sim/LineDirectory.h"

#include <QDir>
#include <QThread>

namespace sim {

struct Simulator::Impl {
    explicit Impl(Options o) : equipment(o), directory(o.directory.isEmpty() ? defaultLineDirectory() : o.directory) {}

    // Runs f on the simulator's thread and waits for it.
    template <typename F>
    void onThread(F f)
    {
        if (QThread::currentThread() == &thread)
            f();
        else
            QMetaObject::invokeMethod(context, f, Qt::BlockingQueuedConnection);
    }

    Line*& lineOf(Module m) { return m == Module::Meter ? meterLine : benchLine; }
    QString pathOf(Module m) const
    {
        return directory + u'/' + QLatin1String(m == Module::Meter ? meterLineName() : benchLineName());
    }

    Equipment equipment;
    QString directory;

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
    if (!d->equipment.playsMeterType())
        return fail(QStringLiteral("meter type %1 is not simulated (0 to 6)").arg(d->equipment.options().meterType));
    if (!QDir().mkpath(d->directory))
        return fail(QStringLiteral("cannot create the directory %1").arg(d->directory));

    d->context = new QObject;
    d->context->moveToThread(&d->thread);
    d->thread.setObjectName(QStringLiteral("zta-sim"));
    d->thread.start();
    QString why;
    d->onThread([&] {
        for (Module m : {Module::Imr, Module::Meter}) {
            Equipment* equipment = &d->equipment;
            const LineKind kind = lineOf(m);
            Line* line = new Line([equipment, kind](const QByteArray& frame,
                                                    int lineBaud) { return equipment->respond(kind, frame, lineBaud); },
                                  d->context);
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

Equipment& Simulator::equipment() { return d->equipment; }

void Simulator::setFault(Module m, const FaultSpec& f) { d->equipment.setFault(m, f); }
void Simulator::setWireTime(bool on, int baud) { d->equipment.setWireTime(on, baud); }
void Simulator::setAddress(Module m, int address) { d->equipment.setAddress(m, address); }

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

quint16 Simulator::holding(Module m, int reg) const { return d->equipment.holding(m, reg); }
void Simulator::setHolding(Module m, int reg, quint16 value) { d->equipment.setHolding(m, reg, value); }
quint16 Simulator::input(Module m, int reg) const { return d->equipment.input(m, reg); }
void Simulator::setInput(Module m, int reg, quint16 value) { d->equipment.setInput(m, reg, value); }
bool Simulator::coil(Module m, int coil) const { return d->equipment.coil(m, coil); }
void Simulator::setCoil(Module m, int coil, bool value) { d->equipment.setCoil(m, coil, value); }
int Simulator::requestCount(Module m) const { return d->equipment.requestCount(m); }
void Simulator::setImrError(int error) { d->equipment.setImrError(error); }

}  // namespace sim
