#include "tracking_service.h"

#include <httplib.h>

TrackingService::TrackingService()
{
    m_server.get("/", [this](const httplib::Request &request, httplib::Response &response) {
        const std::string number = request.get_param_value("nu");
        std::string body = "NULL";
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            ++m_asked[number];
            const auto rows = m_rows.find(number);
            if (rows != m_rows.end()) {
                body = "<table>";
                for (const auto &[time, text] : rows->second)
                    body += "<tr><td>" + time + "</td><td>" + text + "</td></tr>";
                body += "</table>";
            }
        }
        response.set_content(body, "text/html; charset=utf-8");
    });
    m_base = m_server.start();
}

void TrackingService::addRow(const QString &number, const QString &time, const QString &text)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_rows[number.toStdString()].emplace_back(time.toStdString(), text.toStdString());
}

int TrackingService::asked(const QString &number) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_asked.find(number.toStdString());
    return found == m_asked.end() ? 0 : found->second;
}
