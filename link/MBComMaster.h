#pragma once
// The communication server as the program sees it: one component per Modbus line. Every
// operation returns at once; each answer arrives later as OnExchange on the thread that
// owns the component, and only while that thread processes events.
//
// Guarantees the callers build on:
//  - a one-shot request (period 0) gets exactly one OnExchange, also when the port is closed
//    or lost, or the request is cancelled by FreeTask/FreeAllTasks (Result 3 then);
//  - a periodic request repeats every period ms, each time with one OnExchange, until its
//    QID is freed; several tasks may share a QID;
//  - FreePeriodicTasks stops every periodic task and cancels nothing else: each one-shot
//    request still gets its own answer;
//  - only a request made as a broadcast (BroadcastHoldRegs) goes to address 0: no answer is
//    awaited, it completes with Result 0 once it has been sent. Any other request to address 0
//    (a module that was not found) never reaches the wire: it gets one OnExchange with
//    ResultNotAddressed, whatever its period, and no task is made for it.
//
// A server also describes each finished exchange as an ExchangeRecord through exchanged(),
// but only while someone is connected to it: a line nobody watches pays nothing for it.
#include "link/DataType.h"
#include "link/ExchangeRecord.h"
#include "link/Request.h"

#include <QObject>
#include <QString>
#include <QVariant>

namespace comm {

class MBComMaster : public QObject {
    Q_OBJECT
public:
    explicit MBComMaster(QObject* parent = nullptr) : QObject(parent) {}
    ~MBComMaster() override = default;

    // Attaches to the server; false when it cannot run. Called when the window loads and
    // again before any operation while it has failed.
    virtual bool attach() = 0;
    virtual bool isAttached() const = 0;

    // Port settings; they take effect when the port is opened.
    QString ComPort() const { return m_comPort; }
    void setComPort(const QString& p) { m_comPort = p; }
    int ComSpeed() const { return m_comSpeed; }
    void setComSpeed(int baud) { m_comSpeed = baud; }
    int LinkType() const { return m_linkType; }  // 0 RS232, 1 RS485
    void setLinkType(int t) { m_linkType = t; }
    // Minimum silence between frames, in units of 0.1 ms; never shorter than the
    // 3.5 character times Modbus RTU requires at the port's speed. Applies at once.
    int InterByte() const { return m_interByte; }
    virtual void setInterByte(int tenthsOfMs) { m_interByte = tenthsOfMs; }
    int AnswerDelay() const { return m_answerDelay; }  // response time-out, ms
    void setAnswerDelay(int ms) { m_answerDelay = ms; }
    int Retries() const { return m_retries; }  // repeats after a failed exchange
    void setRetries(int n) { m_retries = n; }
    // Modbus address of the requests that follow.
    int DeviceAddres() const { return m_deviceAddres; }
    void setDeviceAddres(int a) { m_deviceAddres = a; }

    // Opening and closing the port; the outcome arrives as OnChangeConnected.
    virtual bool Connected() const = 0;
    virtual void setConnected(bool on) = 0;
    // Why the port is closed when nobody closed it (it did not open, or it vanished), in the
    // operator's words; empty while open and after a requested close. Set before
    // OnChangeConnected(false) is sent.
    QString LinkProblem() const { return m_linkProblem; }

    void ReadHoldRegs(int qid, int period, int regAddres, int dataType, int dataCount);
    void ReadInputRegs(int qid, int period, int regAddres, int dataType, int dataCount);
    void ReadHoldBins(int qid, int period, int binAddres, int dataCount);
    void WriteHoldRegs(int qid, int period, int regAddres, const QVariant& value);
    void WriteHoldBins(int qid, int period, int binAddres, const QVariant& value);
    // patience: this request's own time-out and retries instead of the line's.
    void GetDeviceName(int qid, const Patience& patience = {});
    // Writes registers of every module on the line at once, whatever DeviceAddres says.
    void BroadcastHoldRegs(int qid, int regAddres, const QVariant& value);
    virtual void FreeTask(int qid) = 0;
    virtual void FreeAllTasks() = 0;
    virtual void FreePeriodicTasks() = 0;

Q_SIGNALS:
    void OnChangeConnected(bool connected);
    // value: one typed value, a QVariantList of them, or the device name as a QString.
    void OnExchange(int qid, int mbAddr, int funNumber, const QVariant& value, int result);
    // Each finished exchange of the line, delivered like OnExchange.
    void exchanged(const comm::ExchangeRecord& record);

protected:
    // Queues one request, addressed with the present DeviceAddres.
    virtual void submit(const Request& r) = 0;
    void setLinkProblem(const QString& text) { m_linkProblem = text; }
    // Whether anyone is connected to exchanged().
    bool isRecorded() const;
    // The first listener of exchanged() came, or the last one left; a departure is noticed
    // from the event loop, so a server that asks isRecorded() when it makes a record is exact.
    virtual void recordingChanged(bool on) { Q_UNUSED(on); }
    void connectNotify(const QMetaMethod& signal) override;
    void disconnectNotify(const QMetaMethod& signal) override;

private:
    void followListeners();
    // Every request passes here on its way to submit().
    void dispatch(const Request& r);
    void refuse(const Request& r);
    Request make(Request::Op op, int qid, int period, int reg, int count, DataType type, const QVariant& value = {}) const;
    Request makeWrite(int qid, int period, int regAddres, const QVariant& value) const;

    QString m_comPort = QStringLiteral("COM1");
    int m_comSpeed = 19200;
    int m_linkType = 0;
    int m_interByte = 20;
    int m_answerDelay = 500;
    int m_retries = 5;
    int m_deviceAddres = 1;
    QString m_linkProblem;
    bool m_recorded = false;
};

}  // namespace comm
