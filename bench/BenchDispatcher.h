#pragma once
// Every answer of the bench line, dispatched by its request number: the answer's Result goes
// into the request's result slot, and only a successful answer is decoded into the program's
// values and displays.
#include "bench/BenchState.h"
#include "bench/StatisticsInputs.h"
#include "ui/forms/MainForm.h"

#include <QVariant>

#include <functional>
#include <vector>

namespace bench {

class BenchDispatcher {
public:
    struct Hooks {
        std::function<void(int mbAddr, const QVariant& value, int result)> deviceName;  // discovery
        std::function<void(int result)> defaultsBroadcast;  // communication set-up dialog
        std::function<void(double current)> calibrationCurrent;  // current output calibration windows
    };

    BenchDispatcher(ui::forms::MainForm& form, BenchState& state, StatisticsInputs& statistics, Hooks hooks);

    void MBCMExchange(int qid, int mbAddr, int funNumber, const QVariant& value, int result);

    // The slot an answer of this request number fills; null for requests without one.
    int* slotOf(int qid);

private:
    using Decoder = void (BenchDispatcher::*)(const QVariant& value);
    using Reporter = void (BenchDispatcher::*)(int result);
    struct Branch {
        int qid;
        int BenchSlots::*slot;  // null: no slot
        Decoder decode;         // runs on success only; null: nothing to decode
        Reporter report;        // runs for every answer after decoding; null: nothing
    };
    static const std::vector<Branch>& branches();
    const Branch* find(int qid) const;

    void decodeImrState(const QVariant& v);
    void reportImrState(int result);
    void decodeEmulBit(const QVariant& v);
    void reportEmulBit(int result);
    void reportFoscWrite(int result);
    void reportT0Write(int result);
    void reportT1Write(int result);
    void decodeSar(const QVariant& v);
    void reportSar(int result);
    void decodeAutoCirc(const QVariant& v);
    void decodeImitTime(const QVariant& v);
    void decodeCalibSums(const QVariant& v);
    void decodeFosc(const QVariant& v);
    void decodeT0T1(const QVariant& v);
    void decodeUsiModes(const QVariant& v);
    void decodeUsiCounters(const QVariant& v);
    void decodeIptSums(const QVariant& v);
    void decodeIptCurrents(const QVariant& v);
    void decodeIptCurrentsCalib(const QVariant& v);
    void showCurrents(const QVariant& v);
    void reportTuningWrite(ui::Button& button, const char* what, int result);

    ui::forms::MainForm& m_form;
    BenchState& m_state;
    StatisticsInputs& m_statistics;
    Hooks m_hooks;
};

// Element i of an answer: arrays are indexed from 0; a bare value stands for element 0.
QVariant element(const QVariant& value, int i);

}  // namespace bench
