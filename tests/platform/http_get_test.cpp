#include "platform/http_get.h"
#include "platform/text_codec.h"
#include "raw_socket_server.h"
#include "test_servers.h"

#include <httplib.h>

#include <QElapsedTimer>
#include <gtest/gtest.h>

TEST(HttpGet, TellsFailuresApartFromEmptyDocuments)
{
    ScriptedHttpServer server;
    server.get("/empty", [](const httplib::Request &, httplib::Response &response) {
        response.set_content("", "text/plain");
    });
    server.get("/missing", [](const httplib::Request &, httplib::Response &response) {
        response.status = 404;
        response.set_content("<html>not here</html>", "text/html");
    });
    server.get("/broken", [](const httplib::Request &, httplib::Response &response) {
        response.status = 500;
        response.set_content("<html>oops</html>", "text/html");
    });
    server.get("/header", [](const httplib::Request &request, httplib::Response &response) {
        response.set_content(request.get_header_value("If-Modified-Since"), "text/plain");
    });
    const QString base = server.start();
    HttpGet http;

    const HttpResult empty = http.get(base + "/empty", 2000);
    EXPECT_TRUE(empty.ok());
    EXPECT_TRUE(empty.text.isEmpty());
    EXPECT_EQ(empty.status, 200);

    const HttpResult missing = http.get(base + "/missing", 2000);
    EXPECT_EQ(missing.failure, HttpResult::Failure::HttpStatus);
    EXPECT_EQ(missing.status, 404);
    EXPECT_TRUE(missing.text.isEmpty());
    EXPECT_EQ(http.get(base + "/broken", 2000).failure, HttpResult::Failure::HttpStatus);

    const HttpResult header = http.get(base + "/header", 2000, {{"If-Modified-Since", "0"}});
    EXPECT_EQ(header.text, QStringLiteral("0"));

    const HttpResult refused
        = http.get(QStringLiteral("http://127.0.0.1:%1/").arg(closedLoopbackPort()), 2000);
    EXPECT_EQ(refused.failure, HttpResult::Failure::NoConnection);
    EXPECT_FALSE(refused.errorText.isEmpty());
}

TEST(HttpGet, RefusesAnswersOver16MiB)
{
    ScriptedHttpServer server;
    server.get("/huge", [](const httplib::Request &, httplib::Response &response) {
        response.set_content(std::string(HttpGet::kMaxBody + 1024, 'x'), "text/plain");
    });
    const QString base = server.start();
    HttpGet http;
    const HttpResult huge = http.get(base + "/huge", 10000);
    EXPECT_EQ(huge.failure, HttpResult::Failure::TooLarge) << huge.errorText.toStdString();
    EXPECT_TRUE(huge.text.isEmpty());
}

TEST(HttpGet, SilentServerEndsWithinTheBound)
{
    SilentServer silent;
    HttpGet http;
    QElapsedTimer elapsed;
    elapsed.start();
    const HttpResult result = http.get(silent.baseUrl() + "/", 500);
    EXPECT_EQ(result.failure, HttpResult::Failure::Timeout);
    EXPECT_LT(elapsed.elapsed(), 3000);
}

TEST(HttpGet, TricklingServerCannotHoldTheWaitForever)
{
    ScriptedHttpServer server;
    server.get("/trickle", [](const httplib::Request &, httplib::Response &response) {
        response.set_chunked_content_provider("text/plain", [](size_t offset, httplib::DataSink &sink) {
            if (offset > 200)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            sink.write("x", 1);
            return true;
        });
    });
    const QString base = server.start();
    HttpGet http;
    QElapsedTimer elapsed;
    elapsed.start();
    const HttpResult result = http.get(base + "/trickle", 1000);
    EXPECT_EQ(result.failure, HttpResult::Failure::Timeout);
    EXPECT_LT(elapsed.elapsed(), 5000);
}

// A chunked answer has no declared length, so the cut check on the body must leave it alone.
// (A chunked answer cut before its last chunk is not caught: Qt ends some such replies without an
// error, and there is no length to compare with.)
TEST(HttpGet, AWholeChunkedAnswerIsTheDocument)
{
    const QByteArray connections[] = {"close", "keep-alive"};
    for (const QByteArray &connectionHeader : connections) {
        RawSocketServer server([&](RawConnection &connection) {
            if (!connection.readUntil("\r\n\r\n"))
                return;
            connection.send("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nTransfer-Encoding: chunked\r\n"
                            "Connection: "
                            + connectionHeader + "\r\n\r\n5\r\nhello\r\n6\r\n world\r\n0\r\n\r\n");
        });
        HttpGet http;
        const HttpResult result = http.get(server.baseUrl() + "/", 3000);
        EXPECT_TRUE(result.ok()) << connectionHeader.constData() << result.errorText.toStdString();
        EXPECT_EQ(result.text, QStringLiteral("hello world")) << connectionHeader.constData();
    }
}
