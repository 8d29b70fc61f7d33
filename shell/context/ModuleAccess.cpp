#include "shell/context/ModuleAccess.h"

#include "bench/ModuleTable.h"
#include "ui/model/Dialogs.h"

namespace shell {

ModuleAccess::Hold& ModuleAccess::Hold::operator=(Hold&& other) noexcept
{
    if (this != &other) {
        release();
        m_owner = std::exchange(other.m_owner, nullptr);
        m_id = other.m_id;
        m_address = other.m_address;
    }
    return *this;
}

void ModuleAccess::Hold::release()
{
    if (!m_owner)
        return;
    m_owner->m_holds.removeIf([id = m_id](const Holding& h) { return h.id == id; });
    m_owner = nullptr;
}

QString ModuleAccess::shortName(const bench::TPZTA& module) const
{
    for (const bench::ModuleRow& row : bench::kModuleRows)
        if (&(m_modules.*row.descriptor) == &module)
            return QString::fromUtf8(row.shortName);
    Q_ASSERT_X(false, "ModuleAccess", "not a bench module");
    return {};
}

bool ModuleAccess::known(const bench::TPZTA& module) const
{
    if (module.Adr != 0)
        return true;
    ui::dialogs().message(QStringLiteral("Модуль %1 не обнаружен: выполните «Проверка связи»").arg(shortName(module)));
    return false;
}

std::optional<ModuleAccess::Hold> ModuleAccess::hold(const bench::TPZTA& module, const QString& holder)
{
    Q_ASSERT(!holder.isEmpty());
    if (!known(module))
        return std::nullopt;
    for (const Holding& h : std::as_const(m_holds)) {
        if (h.module == &module) {
            ui::dialogs().message(QStringLiteral("Модуль %1 занят: %2").arg(shortName(module), h.holder));
            return std::nullopt;
        }
    }
    const int id = m_nextId++;
    m_holds.append({id, &module, holder});
    return Hold(*this, id, module.Adr);
}

}  // namespace shell
