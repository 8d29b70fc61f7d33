#include "meter/MeterWindows.h"

#include "meter/MeterTypes.h"

namespace meter {

MeterWindowReadings* MeterWindows::readingsOf(int priborType) const
{
    switch (priborType) {
    case TypeSingleWindow: return &m_single;
    case TypeMultiChannel: return &m_multi;
    default: return nullptr;
    }
}


}  // namespace meter
