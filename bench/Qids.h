#pragma once
// Request numbers of the bench line. Most follow k x 100000 + (register + 1), the digit k
// naming module and direction; the rest are fixed numbers.
namespace bench::qid {

inline constexpr int DeviceName = 17;
inline constexpr int AddressWrite = 1;
inline constexpr int SpeedWrite = 2;
inline constexpr int RtsWrite = 3;
inline constexpr int DefaultsBroadcast = -1;
inline constexpr int EmulBitRead = -11;
inline constexpr int EmulBitWrite = 11;
inline constexpr int PolarityWrite = 12;
inline constexpr int FoscWrite = 232775;
inline constexpr int T0Write = 249153;
inline constexpr int T1Write = 249155;
inline constexpr int ImrStateRead = 300002;
inline constexpr int SarRead = 300007;
inline constexpr int AutoCircRead = 316385;
inline constexpr int ImitTimeRead = 332771;
inline constexpr int CalibSumsRead = 332773;
inline constexpr int ImrCommand = 400004;
inline constexpr int ConvCountWrite = 416386;
inline constexpr int DelayCountWrite = 416387;
inline constexpr int ImitTimeWrite = 432773;
inline constexpr int FoscRead = 432775;
inline constexpr int T0T1Read = 449153;
inline constexpr int UsiModesRead = 500011;
inline constexpr int UsiCountersRead = 532769;
inline constexpr int UsiCommand = 600004;
inline constexpr int UsiModeWrite = 600011;
inline constexpr int IptSumsRead = 732769;
inline constexpr int IptCurrents = 749153;
inline constexpr int IptCurrentsCalib = 749154;
inline constexpr int IptCommand = 800004;
inline constexpr int IptDacWrite = 816385;
inline constexpr int IptScaleWrite = 849153;
inline constexpr int IptOffsetWrite = 849161;
// One-shot reads of all four counters and all four currents, waited for by the automatic
// verification.
inline constexpr int UsiCountersOnce = 532770;
inline constexpr int IptCurrentsOnce = 749155;
// The one-shot read of the imitation module's elapsed time. Apart from its periodic read: a
// waited read must not take the periodic one's answer for its own, leaving its own to land
// in the next wait.
inline constexpr int ImitTimeOnce = 332772;

}  // namespace bench::qid
