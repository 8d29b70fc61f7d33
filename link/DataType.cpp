#include "link/DataType.h"

namespace comm {

QMetaType metaTypeOf(DataType t)
{
    switch (t) {
    case DataType::Int16: return QMetaType::fromType<qint16>();
    case DataType::Float: return QMetaType::fromType<float>();
    case DataType::Bool: return QMetaType::fromType<bool>();
    case DataType::UInt8: return QMetaType::fromType<quint8>();
    case DataType::UInt16: return QMetaType::fromType<quint16>();
    case DataType::UInt32: return QMetaType::fromType<quint32>();
    }
    return {};
}

bool dataTypeOf(const QVariant& v, DataType* t)
{
    for (DataType c : {DataType::Int16, DataType::Float, DataType::Bool, DataType::UInt8, DataType::UInt16, DataType::UInt32})
        if (v.metaType() == metaTypeOf(c)) {
            *t = c;
            return true;
        }
    return false;
}

int registersPerValue(DataType t)
{
    return t == DataType::Float || t == DataType::UInt32 ? 2 : 1;
}

}  // namespace comm
