#pragma once
// The descriptor of one module: a bench module or the meter under test.
#include <QString>
#include <QtGlobal>

namespace bench {

struct TPZTA {
    quint8 Adr = 0;  // Modbus address on its line; 0 = not found
    QString Name;    // device name reported during discovery
    quint32 SerNum = 0;
    quint8 RTSDelay = 0;
    qint32 Reg = 0;
};

// The modules of the program, one each for the whole run.
struct Modules {
    TPZTA ImrModule;
    TPZTA UsiModule;
    TPZTA IptModule;
    TPZTA MeterModule;
};

}  // namespace bench
