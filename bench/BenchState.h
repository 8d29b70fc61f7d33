#pragma once
// What the bench's answers leave behind: the result slot of every kind of awaited request
// (-1 while pending, else the Result of the latest answer) and the decoded values.
#include <QtGlobal>

#include <array>

namespace bench {

struct BenchSlots {
    int ResAdrWrite = 0;
    int ResSpeedWrite = 0;
    int ResRtsWrite = 0;
    int ResEmulBit = 0;
    int ResPolarityBit = 0;
    int ResImrStateRead = 0;
    int ResAutoCircRead = 0;
    int ResImitTimeRead = 0;
    int ResImitTimeOnce = 0;
    int ResCalibSumsRead = 0;
    int ResImrCommand = 0;
    int ResConvCountWrite = 0;
    int ResDelayCountWrite = 0;
    int ResImitTimeWrite = 0;
    int ResFoscRead = 0;
    int ResT0T1Read = 0;
    int ResUsiModeWrite = 0;
    int ResIptSumsRead = 0;
    int ResIptCurrents = 0;
    int ResIptCurrentsCalib = 0;
    int ResIptCommand = 0;
    int ResIptDacWrite = 0;
    int ResIptScaleWrite = 0;
    int ResIptOffsetWrite = 0;
};

// One series of delay line conversions.
struct DelayCalibRecord {
    std::array<quint32, 5> Sum{};  // Sum0 .. Sum4
    double Coarse = 0;
    double MeanA = 0;
    double VarA = 0;
    double MeanB = 0;
    double VarB = 0;
    double Delay = 0;
    quint32 Flags = 0;
};

struct BenchValues {
    qint32 ImrState = 0;
    qint32 ImrError = 0;
    qint32 ImrLastCmd = 0;
    qint32 AutoCircCount = 0;
    qint32 ImitTimeMs = 0;
    std::array<DelayCalibRecord, 2> DelayCalib{};
    quint32 FoscRaw = 0;
    double T0 = 0;
    double T1 = 0;
    std::array<qint32, 4> IptSums{};
    bool EmulBit = false;
    double ImitatedFlow = 0;  // m3/h, the flow the last delayed-pulse count imitates
};

struct BenchState {
    BenchSlots results;
    BenchValues values;
};

}  // namespace bench
