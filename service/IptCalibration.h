#pragma once
// The page "Настройка ИПТ, УСИ": calibration of one current meter channel against the
// module's AD420 converter (two points, a straight line from raw sum to current, written as
// the channel's scale and offset) and a current set by hand on the converter.
#include "shell/context/Context.h"
#include "shell/context/ModuleAccess.h"
#include "ui/forms/main/Ipt2Page.h"

#include <QString>

#include <functional>

namespace service {

class IptCalibration {
public:
    static constexpr double CodesPerMa = 65535.0 / 24;

    IptCalibration(shell::Context& ctx, ui::forms::Ipt2Page& page);

    // Button2 "Старт": calibrates the channel chosen in RgCanal.
    void calibrate();
    // Button1 "Записать": the converter's output set to TbMa's current.
    void writeCurrent();

    // The converter code of a hand-set current, rounded half to even.
    static quint16 codeForMa(int mA);

    // The fixed pauses that let the module settle; they keep the window alive. Tests shorten them.
    std::function<void(int ms)> pause;

private:
    QString runCalibration(int channel);
    bool send(int qid, int reg, const QVariant& value);
    bool readSums();
    void returnToMeasurement();
    void advance();
    void status(const QString& text);
    void setBusy(bool busy);

    shell::Context& m_ctx;
    ui::forms::Ipt2Page& m_page;
    quint8 m_ipt = 0;  // the module's address, taken when a calibration or a write starts
    bool m_channelSelected = false;  // the module measures the converter, not its input
    bool m_scaleWritten = false;
};

}  // namespace service
