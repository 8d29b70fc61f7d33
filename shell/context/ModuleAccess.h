#pragma once
// Who may send to a bench module, and to which address. Address 0 means a module was not found,
// and it is also the address every module obeys: a workflow asks here before it sends, and an
// unknown module refuses it with one message before anything goes out. A workflow that runs
// across waits (a calibration, a tuning run, an open module dialog) holds its module: it takes
// the address once, at its start; no other workflow may hold that module meanwhile, and while
// any module is held the module search, which rewrites every address, is refused.
#include "bench/ModuleDescriptor.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace shell {

class ModuleAccess {
public:
    // One workflow's hold on one module; it ends when the hold is destroyed.
    class Hold {
    public:
        Hold(Hold&& other) noexcept : m_owner(std::exchange(other.m_owner, nullptr)), m_id(other.m_id), m_address(other.m_address) {}
        Hold& operator=(Hold&& other) noexcept;
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
        ~Hold() { release(); }

        // The module's address as it was when the hold was taken.
        quint8 address() const { return m_address; }

    private:
        friend class ModuleAccess;
        Hold(ModuleAccess& owner, int id, quint8 address) : m_owner(&owner), m_id(id), m_address(address) {}
        void release();

        ModuleAccess* m_owner;
        int m_id;
        quint8 m_address;
    };

    explicit ModuleAccess(const bench::Modules& modules) : m_modules(modules) {}
    ModuleAccess(const ModuleAccess&) = delete;
    ModuleAccess& operator=(const ModuleAccess&) = delete;

    // True when the module was found; otherwise tells the operator which module is missing and
    // how to find it ("Модуль ИМР не обнаружен: выполните «Проверка связи»").
    bool known(const bench::TPZTA& module) const;
    // Holds a known module for the workflow `holder`, named as the operator would say what is
    // going on ("идёт калибровка ИПТ"); none, after the operator was told why, when the module
    // is unknown or another workflow holds it.
    [[nodiscard]] std::optional<Hold> hold(const bench::TPZTA& module, const QString& holder);
    // What holds a module now; empty when nothing does.
    QString holder() const { return m_holds.isEmpty() ? QString() : m_holds.first().holder; }

    // The module's name in messages: "ИМР", "УСИ", "ИПТ".
    QString shortName(const bench::TPZTA& module) const;

private:
    struct Holding {
        int id;
        const bench::TPZTA* module;
        QString holder;
    };

    const bench::Modules& m_modules;
    QList<Holding> m_holds;
    int m_nextId = 1;
};

}  // namespace shell
