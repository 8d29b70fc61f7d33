#pragma once
// The turning indicator of a periodic reading: each answer shows the next of four symbols;
// the label's tag holds the index shown.
#include "ui/model/Controls.h"

namespace bench {

inline const QString& activitySymbol(int i)
{
    static const QString symbols[4] = {QStringLiteral("|"), QStringLiteral("/"), QStringLiteral("--"), QStringLiteral("\\")};
    return symbols[i & 3];
}

inline void advanceIndicator(ui::Label& label)
{
    const int index = label.tag() == 3 ? 0 : label.tag() + 1;
    label.setCaption(activitySymbol(index));
    label.setTag(index);
}

}  // namespace bench
