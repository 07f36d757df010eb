#include "platform/text_codec.h"
#include "watch/parcel_files.h"

#include <gtest/gtest.h>

namespace {
const QByteArray kHeader
    = "\xEF\xBB\xBF" + QStringLiteral("备注,单号,快递公司,状态,最新进度,上次查询\r\n").toUtf8();
} // namespace

TEST(ParcelFiles, ARefusedFileNamesWhereAndGivesNothing)
{
    const struct
    {
        const char *name;
        bool json;
        QByteArray bytes;
        QString named; // what the message must name
    } cases[] = {
        {"not JSON", true, "{\"parcels\": [", QStringLiteral("第1行")},
        {"JSON of another shape", true, R"({"items": []})", QStringLiteral("parcels")},
        {"another program's JSON", true, R"({"format": "other", "parcels": []})", QStringLiteral("format")},
        {"unknown carrier", true,
         R"({"parcels": [{"number": "A1", "carrier": {"code": "shunfeng"}}, {"number": "B2", "carrier": {"code": "nosuch"}}]})",
         QStringLiteral("parcels[1]")},
        {"number with a bar", true, R"({"parcels": [{"number": "A|1", "carrier": {"code": "ems"}}]})",
         QStringLiteral("|")},
        {"row without text", true,
         R"({"parcels": [{"number": "A1", "carrier": {"code": "ems"}, "rows": [{"time": "x"}]}]})",
         QStringLiteral("rows[0]")},
        {"CSV without its header", false, "SF1,shunfeng,note\r\n", QStringLiteral("第1行")},
        {"CSV unknown carrier", false,
         kHeader + QStringLiteral("书,A1,顺丰快递\r\n衣服,B2,无此公司\r\n").toUtf8(),
         QStringLiteral("第3行")},
        {"CSV number with a bar", false, kHeader + QStringLiteral("书,A|1,ems\r\n").toUtf8(),
         QStringLiteral("第2行")},
        {"CSV quote left open", false, kHeader + QStringLiteral("书,A1,ems\r\n\"衣服,B2,ems\r\n").toUtf8(),
         QStringLiteral("第3行")},
        {"CSV in GBK", false, encodeGb(QStringLiteral("备注,单号,快递公司\r\n书,A1,EMS快递\r\n")),
         QStringLiteral("UTF-8")},
        {"archived not true or false", true,
         R"({"parcels": [{"number": "A1", "carrier": {"code": "ems"}, "archived": "yes"}]})",
         QStringLiteral("archived")},
        {"CSV archived neither 是 nor blank", false,
         QStringLiteral("备注,单号,快递公司,已归档\r\n书,A1,ems,是\r\n衣服,B2,ems,否\r\n").toUtf8(),
         QStringLiteral("第3行")},
    };
    for (const auto &c : cases) {
        const ParcelFileRead read = c.json ? readParcelsJson(c.bytes) : readParcelsCsv(c.bytes);
        EXPECT_FALSE(read.ok) << c.name;
        EXPECT_TRUE(read.parcels.isEmpty()) << c.name;
        EXPECT_TRUE(read.error.contains(c.named)) << c.name << ": " << read.error.toStdString();
    }
}

TEST(ParcelFiles, WhatIsWrittenReadsBackWithItsHistory)
{
    ParcelFileEntry shirt;
    shirt.saved = {{QStringLiteral("SF1001"), QStringLiteral("shunfeng")},
                   QStringLiteral("顺丰快递"),
                   QStringLiteral("=SUM(A1), \"衬衫\"")};
    shirt.state.status = QStringLiteral("运送中");
    shirt.state.archive = ArchiveMark::Archived;
    shirt.rows = {{QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("揽收,上海"),
                   QDateTime::fromString(QStringLiteral("2024-03-01T10:00:00Z"), Qt::ISODate)}};
    ParcelFileEntry book;
    book.saved
        = {{QStringLiteral("YT2002"), QStringLiteral("yuantong")}, QStringLiteral("圆通快递"), QString()};

    const ParcelFileRead json = readParcelsJson(writeParcelsJson({shirt, book}));
    ASSERT_TRUE(json.ok) << json.error.toStdString();
    ASSERT_EQ(json.parcels.size(), 2);
    EXPECT_EQ(json.parcels[0].saved.note, shirt.saved.note);
    ASSERT_EQ(json.parcels[0].rows.size(), 1);
    EXPECT_EQ(json.parcels[0].rows[0].text, QStringLiteral("揽收,上海"));
    EXPECT_EQ(json.parcels[0].rows[0].firstSeen, shirt.rows[0].firstSeen);
    EXPECT_EQ(json.parcels[0].state.archive, ArchiveMark::Archived) << "the archive mark goes along";
    EXPECT_EQ(json.parcels[1].state.archive, ArchiveMark::ByRule);

    const QByteArray csvBytes = writeParcelsCsv({shirt, book});
    EXPECT_TRUE(csvBytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(csvBytes.contains("\"'=SUM(A1), \"\""))
        << "a cell a spreadsheet would run is written as text";
    const ParcelFileRead csv = readParcelsCsv(csvBytes);
    ASSERT_TRUE(csv.ok) << csv.error.toStdString();
    EXPECT_EQ(csv.parcels[0].saved.note, shirt.saved.note);
    EXPECT_EQ(csv.parcels[1].saved.key, book.saved.key);
    EXPECT_EQ(csv.parcels[0].state.archive, ArchiveMark::Archived);
    EXPECT_EQ(csv.parcels[1].state.archive, ArchiveMark::ByRule);
}

TEST(ParcelFiles, AnImportAddsOnlyParcelsNotSavedYet)
{
    const QList<ParcelFileEntry> parcels
        = readParcelsCsv(
              kHeader
              + QStringLiteral("书,YT2002,圆通快递\r\n旧书,YT2002,shentong\r\n书,YT2002,yuantong\r\n")
                    .toUtf8())
              .parcels;
    const ImportPlan plan = planImport({QStringLiteral("YT2002|圆通快递|书")}, parcels);
    EXPECT_EQ(plan.skipped, 2) << "the same number and carrier, saved before or earlier in the file";
    EXPECT_EQ(plan.newLines, QStringList {QStringLiteral("YT2002|申通快递|旧书")});
}

TEST(ParcelFiles, AHundredThousandRowsRead)
{
    QByteArray bytes = kHeader;
    for (int i = 0; i < 100000; ++i)
        bytes += "note" + QByteArray::number(i) + ",SF" + QByteArray::number(i) + ",shunfeng\r\n";
    const ParcelFileRead read = readParcelsCsv(bytes);
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    EXPECT_EQ(read.parcels.size(), 100000);
    EXPECT_EQ(planImport({}, read.parcels).newLines.size(), 100000);
}
