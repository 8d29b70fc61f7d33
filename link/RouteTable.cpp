#include "link/RouteTable.h"

namespace comm {

QVariant Exchange::element(int i) const
{
    if (value.metaType() == QMetaType::fromType<QVariantList>()) {
        const QVariantList list = value.toList();
        return i >= 0 && i < list.size() ? list.at(i) : QVariant();
    }
    return i == 0 ? value : QVariant();
}

void RouteTable::add(int qid, Route route)
{
    const bool added = m_routes.emplace(qid, std::move(route)).second;
    Q_ASSERT_X(added, "RouteTable::add", "a request number has one row only");
    Q_UNUSED(added);
}

int& RouteTable::slotOf(int qid)
{
    const auto it = m_routes.find(qid);
    Q_ASSERT_X(it != m_routes.end() && it->second.slot, "RouteTable::slotOf", "request without a result slot");
    return *it->second.slot;
}

void RouteTable::dispatch(const Exchange& e)
{
    const auto it = m_routes.find(e.qid);
    if (it == m_routes.end())
        return;
    const Route& r = it->second;
    if (e.ok() && r.decode)
        r.decode(e);
    if (r.show)
        r.show(e);
    if (r.slot)
        *r.slot = e.result;
}

}  // namespace comm
