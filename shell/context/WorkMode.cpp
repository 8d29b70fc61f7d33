#include "shell/context/WorkMode.h"

#include "ui/model/Dialogs.h"

namespace shell {

WorkMode::Claim::~Claim()
{
    if (m_owner)
        m_owner->leave();
}

bool WorkMode::admits(Mode own) const
{
    if (m_mode == Mode::None || m_mode == own)
        return true;
    ui::dialogs().message(QStringLiteral("Отмените работу других режимов"));
    return false;
}

WorkMode::Claim WorkMode::claim(Mode m)
{
    m_mode = m;
    return Claim(*this);
}

}  // namespace shell
