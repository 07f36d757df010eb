#pragma once

#include "test_servers.h"

#include <QString>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// A tracking service on a free loopback port whose progress rows the test writes: a number
// answers its rows, oldest first, as the service's table; a number without rows answers "NULL".
class TrackingService
{
public:
    TrackingService();
    QString baseUrl() const { return m_base; }
    void addRow(const QString &number, const QString &time, const QString &text);
    int asked(const QString &number) const;

private:
    ScriptedHttpServer m_server;
    mutable std::mutex m_mutex;
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> m_rows;
    std::map<std::string, int> m_asked;
    QString m_base;
};
