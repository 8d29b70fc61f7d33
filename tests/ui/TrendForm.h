#pragma once
// A form holding one trend on a clock the test moves, with its plots titled.
#include "ui/model/Form.h"
#include "ui/model/Trend.h"

namespace test {

class TrendForm : public ui::Form {
public:
    TrendForm() : ui::Form("TrendFrm"), trend(this, "trend", nullptr)
    {
        setGeometry(QRect(0, 0, 900, 320));
        trend.setGeometry(4, 4, 892, 312);
        trend.flowTitle = QStringLiteral("Расход");
        trend.errorTitle = QStringLiteral("Погрешность");
        trend.measuredName = QStringLiteral("Прибор");
        trend.referenceName = QStringLiteral("Эталон");
        trend.bandName = QStringLiteral("Допуск");
        trend.setClock([this] { return nowMs; });
        trend.setPermissibleError(0.8);
    }
    // A pair of readings `afterMs` after the previous one.
    void read(double reference, double measured, qint64 afterMs = 1000)
    {
        nowMs += afterMs;
        trend.add(reference, measured);
    }

    qint64 nowMs = 0;
    ui::Trend trend;
};

}  // namespace test
