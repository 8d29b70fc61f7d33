#include "ui/model/Dialogs.h"

#include <QtGlobal>

namespace ui {

namespace {
Dialogs* g_dialogs = nullptr;
}

Dialogs& Dialogs::instance()
{
    Q_ASSERT_X(g_dialogs, "ui::Dialogs", "no dialog implementation installed");
    return *g_dialogs;
}

void Dialogs::install(Dialogs* d)
{
    g_dialogs = d;
}

}  // namespace ui
