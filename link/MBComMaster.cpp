#include "link/MBComMaster.h"

#include "link/Result.h"

#include <QMetaMethod>

namespace comm {

int Request::function() const
{
    switch (op) {
    case Op::ReadHolding: return 0x03;
    case Op::ReadInput: return 0x04;
    case Op::ReadCoils: return 0x01;
    case Op::WriteCoil: return 0x05;
    case Op::DeviceName: return 0x11;
    case Op::WriteRegisters: {
        DataType t;
        const bool single = value.metaType() != QMetaType::fromType<QVariantList>() && dataTypeOf(value, &t)
                            && registersPerValue(t) == 1;
        return single ? 0x06 : 0x10;
    }
    }
    return 0;
}

bool MBComMaster::isRecorded() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&MBComMaster::exchanged));
}

// Qt may call these with its own locks held, where no connection may be asked about or
// changed: a new listener is taken at its word, a departure is looked into from the event loop.
void MBComMaster::connectNotify(const QMetaMethod& signal)
{
    if (signal == QMetaMethod::fromSignal(&MBComMaster::exchanged) && !m_recorded) {
        m_recorded = true;
        recordingChanged(true);
    }
}

void MBComMaster::disconnectNotify(const QMetaMethod& signal)
{
    // An invalid signal: every connection went at once.
    if (m_recorded && (!signal.isValid() || signal == QMetaMethod::fromSignal(&MBComMaster::exchanged)))
        QMetaObject::invokeMethod(this, [this] { followListeners(); }, Qt::QueuedConnection);
}

void MBComMaster::followListeners()
{
    if (m_recorded && !isRecorded()) {
        m_recorded = false;
        recordingChanged(false);
    }
}

Request MBComMaster::make(Request::Op op, int qid, int period, int reg, int count, DataType type, const QVariant& value) const
{
    Request r;
    r.op = op;
    r.qid = qid;
    r.period = period;
    r.address = m_deviceAddres;
    r.reg = reg;
    r.count = count;
    r.type = type;
    r.value = value;
    return r;
}

// Address 0 is heard by every module on the line: a request a workflow meant for one module
// whose address is not known would change them all. Refused here, every handler is covered.
void MBComMaster::dispatch(const Request& r)
{
    Q_ASSERT(!r.broadcast || (r.address == 0 && r.period == 0));
    if (r.address == 0 && !r.broadcast)
        refuse(r);
    else
        submit(r);
}

void MBComMaster::refuse(const Request& r)
{
    QMetaObject::invokeMethod(
        this, [this, qid = r.qid, function = r.function()] { Q_EMIT OnExchange(qid, 0, function, {}, ResultNotAddressed); },
        Qt::QueuedConnection);
}

void MBComMaster::ReadHoldRegs(int qid, int period, int regAddres, int dataType, int dataCount)
{
    dispatch(make(Request::Op::ReadHolding, qid, period, regAddres, dataCount, DataType(dataType)));
}

void MBComMaster::ReadInputRegs(int qid, int period, int regAddres, int dataType, int dataCount)
{
    dispatch(make(Request::Op::ReadInput, qid, period, regAddres, dataCount, DataType(dataType)));
}

void MBComMaster::ReadHoldBins(int qid, int period, int binAddres, int dataCount)
{
    dispatch(make(Request::Op::ReadCoils, qid, period, binAddres, dataCount, DataType::Bool));
}

void MBComMaster::WriteHoldRegs(int qid, int period, int regAddres, const QVariant& value)
{
    dispatch(makeWrite(qid, period, regAddres, value));
}

void MBComMaster::BroadcastHoldRegs(int qid, int regAddres, const QVariant& value)
{
    Request r = makeWrite(qid, 0, regAddres, value);
    r.address = 0;
    r.broadcast = true;
    dispatch(r);
}

Request MBComMaster::makeWrite(int qid, int period, int regAddres, const QVariant& value) const
{
    DataType t = DataType::UInt16;
    if (value.metaType() == QMetaType::fromType<QVariantList>()) {
        const QVariantList l = value.toList();
        if (!l.isEmpty())
            dataTypeOf(l.first(), &t);
    } else {
        dataTypeOf(value, &t);
    }
    return make(Request::Op::WriteRegisters, qid, period, regAddres, 1, t, value);
}

void MBComMaster::WriteHoldBins(int qid, int period, int binAddres, const QVariant& value)
{
    dispatch(make(Request::Op::WriteCoil, qid, period, binAddres, 1, DataType::Bool, value));
}

void MBComMaster::GetDeviceName(int qid, const Patience& patience)
{
    Request r = make(Request::Op::DeviceName, qid, 0, 0, 0, DataType::UInt8);
    r.patience = patience;
    dispatch(r);
}

}  // namespace comm
