// Scanning a Maildir of 5,000 shop mails for tracking numbers: reading the files, decoding each
// mail, finding its numbers. Prints messages per second; asserts nothing.
#include "mailscan/mail_folder.h"
#include "mailscan/mail_scan.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int kMessages = 5000;

QByteArray gbk(const QString &text)
{
    QStringEncoder encoder("gb18030");
    return encoder.encode(text);
}

// The shapes a mailbox holds: shipping notices in GBK HTML and UTF-8 quoted-printable, mails
// without a waybill (order confirmations, newsletters) and now and then a large attachment.
QByteArray mail(int i)
{
    const QByteArray n = QByteArray::number(1000000000000LL + i);
    const QByteArray head = "From: =?utf-8?B?" + QByteArray("京东商城").toBase64()
        + "?= <shop@jd.example>\r\nDate: Tue, 08 Dec 2026 09:30:00 +0800\r\nMIME-Version: 1.0\r\n";
    switch (i % 5) {
    case 0:
        return head + "Subject: =?GBK?B?" + gbk(QStringLiteral("您的订单已发货")).toBase64()
            + "?=\r\nContent-Type: text/html; charset=GBK\r\nContent-Transfer-Encoding: base64\r\n\r\n"
            + gbk(QStringLiteral(
                      "<html><body><p>亲爱的顾客：</p><p>您的订单已由<b>顺丰快递</b>发出，运单号：<span>SF")
                  + QString::fromLatin1(n) + QStringLiteral("</span></p><p>订单号 202412081234567</p>")
                  + QStringLiteral("<p>感谢您的惠顾，祝您购物愉快！</p>").repeated(20)
                  + QStringLiteral("</body></html>"))
                  .toBase64(QByteArray::Base64Encoding)
            + "\r\n";
    case 1:
        return head
            + "Subject: Your order has shipped\r\nContent-Type: multipart/alternative; boundary=\"b\"\r\n\r\n"
              "--b\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Transfer-Encoding: "
              "quoted-printable\r\n\r\n"
            + QByteArray("Good news! Your parcel is on its way.=\r\n Tracking number: YT") + n
            + "\r\n--b\r\nContent-Type: text/html; charset=utf-8\r\n\r\n<p>Track it <a "
              "href=\"https://www.yto.net.cn/track?no=YT"
            + n + "\">here</a></p>"
            + QByteArray("<p>Recommended for you: cables, cases, chargers.</p>").repeated(30)
            + "\r\n--b--\r\n";
    case 2:
        return head
            + "Subject: =?utf-8?Q?=E8=AE=A2=E5=8D=95=E7=A1=AE=E8=AE=A4?=\r\n"
              "Content-Type: text/plain; charset=utf-8\r\n\r\n"
            + QByteArray("订单编号：4012345678901234567\r\n实付金额：¥128.00\r\n客服电话 4008111111\r\n")
                  .repeated(10);
    case 3:
        return head + "Subject: newsletter\r\nContent-Type: text/html; charset=utf-8\r\n\r\n"
            + QByteArray(
                  "<div><a href=\"https://shop.example/p/77312345678901\">双十二大促</a> 满199减20</div>\r\n")
                  .repeated(60);
    default: // an invoice with a 200 kB attachment
        return head
            + "Subject: invoice\r\nContent-Type: multipart/mixed; boundary=\"m\"\r\n\r\n--m\r\n"
              "Content-Type: text/plain; charset=utf-8\r\n\r\nInvoice attached. 快递单号 773"
            + n.right(12)
            + " (申通快递)\r\n--m\r\nContent-Type: application/pdf; name=invoice.pdf\r\n"
              "Content-Transfer-Encoding: base64\r\n\r\n"
            + QByteArray(150 * 1024, 'x').toBase64() + "\r\n--m--\r\n";
    }
}

void BM_ScanMaildir(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString maildir = dir.filePath(QStringLiteral("Maildir"));
    QDir().mkpath(maildir + QStringLiteral("/new"));
    QDir().mkpath(maildir + QStringLiteral("/cur"));
    qint64 bytes = 0;
    for (int i = 0; i < kMessages; ++i) {
        QFile file(QStringLiteral("%1/cur/%2.M%3.bench:2,S").arg(maildir).arg(1765000000 + i).arg(i));
        file.open(QIODevice::WriteOnly);
        bytes += file.write(mail(i));
    }
    int found = 0;
    for (auto _ : state) {
        MailScan scan({}, {});
        const QString error = readMailFolder(maildir, MailFolderKind::Maildir,
                                             [&](const QByteArray &raw) { return scan.add(raw), true; });
        if (!error.isEmpty())
            state.SkipWithError(error.toUtf8().constData());
        found = static_cast<int>(scan.found().size());
        benchmark::DoNotOptimize(found);
    }
    state.counters["messages/s"]
        = benchmark::Counter(double(kMessages), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["numbers"] = found;
    state.SetBytesProcessed(state.iterations() * bytes);
}
} // namespace

BENCHMARK(BM_ScanMaildir)->Unit(benchmark::kMillisecond)->MinTime(5.0)->UseRealTime();
BENCHMARK_MAIN();
