#include "core/configuration.h"

void Configuration::set(const Endpoints &endpoints)
{
    m_endpoints = endpoints;
    Q_EMIT changed();
}

void Configuration::edit(const std::function<void(Endpoints &)> &change)
{
    change(m_endpoints);
    Q_EMIT changed();
}
