#pragma once
// A typed value as text, "quint16(7)" or "[float(1), float(2)]", so that comparisons of
// server values fail on the wrong variant type as well as on the wrong number.
#include <QStringList>
#include <QVariant>

namespace test {

inline QString typedText(const QVariant& v)
{
    if (v.metaType() == QMetaType::fromType<QVariantList>()) {
        QStringList items;
        for (const QVariant& item : v.toList())
            items.append(typedText(item));
        return u'[' + items.join(QStringLiteral(", ")) + u']';
    }
    return QString::fromLatin1(v.metaType().name() ? v.metaType().name() : "invalid") + u'(' + v.toString() + u')';
}

}  // namespace test
