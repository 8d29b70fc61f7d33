#pragma once
// The meter line: periodic polling of flow and volume, the link check, and every answer of
// the main window's requests, dispatched by request number.
#include "bench/ModuleDescriptor.h"
#include "bench/StatisticsInputs.h"
#include "link/MBComMaster.h"
#include "meter/MeterWindows.h"
#include "meter/Pribor.h"
#include "ui/forms/MainForm.h"

#include <functional>

namespace meter {

class MeterDispatcher {
public:
    struct Hooks {
        std::function<bool()> lineUp;  // the meter line is connected
        // Message 0x402 to the single window: Result and the two status words.
        std::function<void(int result, quint32 words)> statusWords;
    };

    MeterDispatcher(ui::forms::MainForm& form, comm::MBComMaster& meter, bench::TPZTA& meterModule,
                    const TPribor& pribor, const int& priborType, qint32& autoCircCount, MeterWindows& windows,
                    bench::StatisticsInputs& statistics, Hooks hooks);

    void MBCM1Exchange(int qid, int mbAddr, int funNumber, const QVariant& value, int result);
    // Message 0x401: restarts the periodic polling with the present registers.
    void restartPolling();
    void BitBtn7Click();

private:
    void showVolume(double v);
    void showFlow(double q);

    ui::forms::MainForm& m_form;
    comm::MBComMaster& m_meter;
    bench::TPZTA& m_meterModule;
    const TPribor& m_pribor;
    const int& m_priborType;
    qint32& m_autoCircCount;
    MeterWindows& m_windows;
    bench::StatisticsInputs& m_statistics;
    Hooks m_hooks;
};

}  // namespace meter
