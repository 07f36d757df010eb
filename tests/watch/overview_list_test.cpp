#include "core/tracking_check.h"
#include "english_interface.h"
#include "watch/delivery_estimate.h"
#include "watch/overview_list.h"
#include "watch/overview_rows.h"
#include "watch/parcel_groups.h"
#include "watch/parcel_statistics.h"
#include "watch/row_text_index.h"
#include "watch/service_records.h"
#include "watch/wall_clock.h"

#include <QJsonArray>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {
const QDateTime kNow = QDateTime(QDate(2024, 3, 10), QTime(12, 0), Qt::LocalTime);

struct Parcel
{
    const char *number;
    const char *status = "";
    const char *oldest = ""; // the first row's time
    const char *signedAt = ""; // the signing row's time
    bool news = false;
    const char *error = "";
    ArchiveMark archive = ArchiveMark::ByRule;
    const char *com = "yuantong";
    const char *note = "";
};

ParcelRecord record(const Parcel &p)
{
    ParcelRecord parcel;
    parcel.key = {QString::fromUtf8(p.number), QString::fromUtf8(p.com)};
    parcel.carrierName = parcel.key.com == QLatin1String("yuantong") ? QStringLiteral("圆通快递")
                                                                     : QStringLiteral("顺丰快递");
    parcel.note = QString::fromUtf8(p.note);
    parcel.status = QString::fromUtf8(p.status);
    parcel.oldestTime = QString::fromUtf8(p.oldest);
    parcel.signedTime = QString::fromUtf8(p.signedAt);
    parcel.unseenNews = p.news;
    parcel.lastError = QString::fromUtf8(p.error);
    parcel.archive = p.archive;
    parcel.listed = true;
    return parcel;
}

QList<ParcelRecord> records(std::initializer_list<Parcel> parcels)
{
    QList<ParcelRecord> list;
    for (const Parcel &p : parcels)
        list.append(record(p));
    return list;
}

QStringList numbers(const OverviewList &list, const QList<int> &shown)
{
    QStringList out;
    for (int index : shown)
        out.append(list.parcel(index).key.number);
    return out;
}

// Five signed-for 圆通 parcels of 1, 2, 3, 4 and 10 days on the way.
QList<ParcelRecord> signedHistory(int count = 5)
{
    const int days[] = {1, 2, 3, 4, 10, 6};
    QList<ParcelRecord> list;
    for (int i = 0; i < count; ++i) {
        const QDateTime accepted(QDate(2024, 1, 1 + i), QTime(8, 0), Qt::LocalTime);
        ParcelRecord parcel = record({"S", "已签收"});
        parcel.key.number = QStringLiteral("S%1").arg(i);
        parcel.oldestTime = accepted.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        parcel.signedTime = accepted.addDays(days[i]).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        list.append(parcel);
    }
    return list;
}
} // namespace

TEST(WallClock, ReadsTheRowTimesTheServicesWriteAndNothingElse)
{
    const qint64 tenOClock = (QDate(2024, 3, 1).toJulianDay() - 2440588) * 86400 + 10 * 3600;
    const struct
    {
        const char *text;
        qint64 seconds;
    } cases[] = {
        {"2024-03-01 10:00:00", tenOClock},
        {"2024-03-01 10:00", tenOClock},
        {" 2024-03-01T10:00:05 ", tenOClock + 5},
        {"2024/3/1 10:00:00", tenOClock},
        {"2024-3-1 10:00:00", tenOClock},
        {"2024/03/01 9:30", tenOClock - 1800},
        {"", -1},
        {"2024-03-01", -1},
        {"2024-02-30 10:00:00", -1},
        {"2024-03-01 24:00:00", -1},
        {"2024-03/01 10:00:00", -1},
        {"2024-03-01 10:00:00 extra", -1},
        {"２０２４-03-01 10:00:00", -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(wallSeconds(QString::fromUtf8(c.text)), c.seconds) << c.text;
    const QDateTime local(QDate(2024, 3, 1), QTime(10, 0), Qt::LocalTime);
    EXPECT_EQ(wallSeconds(local), tenOClock);
    EXPECT_EQ(wallSeconds(local.toUTC()), tenOClock) << "the local wall clock, whatever the time's zone";
    EXPECT_EQ(wallTime(tenOClock), local);
}

TEST(ParcelGroups, StatusGivesTheGroupAndTheRuleTheArchive)
{
    const struct
    {
        Parcel parcel;
        ParcelGroup group;
        bool archivedAfter7Days;
        bool archivedNever; // 归档天数 0
        int rank;
    } cases[] = {
        {{"A", "运送中"}, ParcelGroup::InTransit, false, false, 3},
        {{"A", "派件中"}, ParcelGroup::OutForDelivery, false, false, 1},
        {{"A", "问题件"}, ParcelGroup::Problem, false, false, 2},
        {{"A", "待取件"}, ParcelGroup::Problem, false, false, 2},
        {{"A", "派送失败"}, ParcelGroup::Problem, false, false, 2},
        {{"A", "问题件：拒收（退件）"}, ParcelGroup::Problem, false, false, 2},
        {{"A", "已签收问题件"}, ParcelGroup::InTransit, false, false, 3},
        {{"A", "拒签"}, ParcelGroup::InTransit, false, false, 3},
        {{"A"}, ParcelGroup::All, false, false, 4},
        // A failed last query keeps the group of what was known, and is ordered with 查询失败.
        {{"A", "派件中", "", "", false, "查询超时"}, ParcelGroup::OutForDelivery, false, false, 4},
        {{"A", "运送中", "", "", true}, ParcelGroup::InTransit, false, false, 0},
        {{"A", "已签收", "", "2024-03-03 12:00:00"}, ParcelGroup::Signed, true, false, 5},
        {{"A", "已签收", "", "2024-03-03 12:00:01"}, ParcelGroup::Signed, false, false, 5},
        {{"A", "已签收", "", "2024-03-09 08:00:00", true}, ParcelGroup::Signed, false, false, 0},
        {{"A", "已签收", "", "never"}, ParcelGroup::Signed, false, false, 5},
        {{"A", "已签收", "", "2024-01-01 08:00:00", false, "", ArchiveMark::KeptOut},
         ParcelGroup::Signed,
         false,
         false,
         5},
        {{"A", "运送中", "", "", false, "", ArchiveMark::Archived}, ParcelGroup::InTransit, true, true, 3},
    };
    for (const auto &c : cases) {
        const ParcelRecord parcel = record(c.parcel);
        const std::string name = (parcel.status + QLatin1Char('/') + parcel.signedTime).toStdString();
        EXPECT_EQ(statusGroup(parcel), c.group) << name;
        EXPECT_EQ(isArchived(parcel, 7, kNow), c.archivedAfter7Days) << name;
        EXPECT_EQ(isArchived(parcel, 0, kNow), c.archivedNever) << name;
        EXPECT_EQ(defaultRank(parcel), c.rank) << name;
    }
    // Taken out of the archive: kept out when the rule would archive it again.
    EXPECT_EQ(unarchiveMark(record({"A", "已签收", "", "2024-01-01 08:00:00"}), 7, kNow),
              ArchiveMark::KeptOut);
    EXPECT_EQ(unarchiveMark(record({"A", "运送中"}), 7, kNow), ArchiveMark::ByRule);
}

TEST(OverviewList, GroupsCountSearchAndOrderTheParcels)
{
    OverviewList list;
    list.setParcels(
        records({
            {"T1", "运送中", "2024-03-08 08:00:00", "", false, "", ArchiveMark::ByRule, "yuantong", "衬衫"},
            {"D1", "派件中", "2024-03-09 08:00:00"},
            {"S1", "已签收", "2024-03-01 08:00:00", "2024-03-02 08:00:00"},
            {"S2", "已签收", "2024-03-07 08:00:00", "2024-03-09 08:00:00"},
            {"P1", "问题件", "2024-03-05 08:00:00"},
            {"N1", "运送中", "2024-03-06 08:00:00", "", true},
            {"Q1"},
            {"F1", "", "", "", false, "查询超时"},
            {"H1", "运送中", "", "", false, "", ArchiveMark::Archived, "shunfeng", "SHOES"},
        }),
        kNow, 7);
    const OverviewList::Counts counts = list.counts();
    const int expected[] = {7, 1, 2, 1, 1, 2}; // 全部 派件中 运送中 问题件 已签收 已归档
    for (int g = 0; g < int(ParcelGroup::Count); ++g)
        EXPECT_EQ(counts[g], expected[g]) << groupCaption(ParcelGroup(g)).toStdString();

    const struct
    {
        ParcelGroup group;
        const char *search;
        OverviewOrder order;
        QStringList shown;
    } cases[] = {
        // News first, then 派件中, 问题件, 运送中, 未查询 and 查询失败, 已签收; the saved order within.
        {ParcelGroup::All, "", {}, {"N1", "D1", "P1", "T1", "Q1", "F1", "S2"}},
        {ParcelGroup::Archived, "", {}, {"H1", "S1"}},
        {ParcelGroup::InTransit, "", {}, {"N1", "T1"}},
        {ParcelGroup::Signed, "", {}, {"S2"}},
        // Note, number and carrier, any case; archived parcels only under 已归档.
        {ParcelGroup::All, "衬衫", {}, {"T1"}},
        {ParcelGroup::All, " d1 ", {}, {"D1"}},
        {ParcelGroup::All, "shoes", {}, {}},
        {ParcelGroup::Archived, "shoes", {}, {"H1"}},
        {ParcelGroup::All, "圆通", {}, {"N1", "D1", "P1", "T1", "Q1", "F1", "S2"}},
        // A column: the transit time, longest last; equal ones in the saved order, both ways.
        {ParcelGroup::All,
         "",
         {int(OverviewColumn::Transit), Qt::AscendingOrder},
         {"Q1", "F1", "D1", "T1", "S2", "N1", "P1"}},
        {ParcelGroup::All,
         "",
         {int(OverviewColumn::Transit), Qt::DescendingOrder},
         {"P1", "N1", "S2", "T1", "D1", "Q1", "F1"}},
        {ParcelGroup::All,
         "",
         {int(OverviewColumn::Number), Qt::DescendingOrder},
         {"T1", "S2", "Q1", "P1", "N1", "F1", "D1"}},
        {ParcelGroup::All,
         "",
         {int(OverviewColumn::Status), Qt::AscendingOrder},
         {"S2", "Q1", "F1", "D1", "T1", "N1", "P1"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(numbers(list, list.select(c.group, QString::fromUtf8(c.search), c.order)), c.shown)
            << groupCaption(c.group).toStdString() << " '" << c.search << "' " << c.order.column;

    // 归档天数 0: only what was archived by hand stays in the archive.
    list.setArchiveDays(0, kNow);
    EXPECT_EQ(numbers(list, list.select(ParcelGroup::Archived, {}, {})), QStringList {QStringLiteral("H1")});
    EXPECT_EQ(list.counts()[int(ParcelGroup::Signed)], 2);
}

TEST(OverviewList, SearchFindsTheRowsTextsOnceReadAndNewerRowsAfterThat)
{
    const QList<ParcelRecord> parcels = records({{"A1", "运送中", "2024-03-08 08:00:00"},
                                                 {"B2", "派件中", "2024-03-08 09:00:00"},
                                                 {"C3", "运送中", "2024-03-08 10:00:00"}});
    OverviewList list;
    list.setParcels(parcels, kNow, 7);
    EXPECT_TRUE(list.select(ParcelGroup::All, QStringLiteral("杭州"), {}).isEmpty()) << "nothing read yet";

    auto index = std::make_shared<RowTextIndex>();
    index->add(parcels[0].key,
               {QStringLiteral("【杭州转运中心】已发出"), QStringLiteral("已签收,签收人:本人")});
    index->add(
        parcels[1].key,
        {QStringLiteral("【上海】派件员 王师傅 电话 13800138000"), QStringLiteral("【杭州转运中心】已发出")});
    index->finish();
    EXPECT_EQ(index->lineCount(), 3) << "a line two parcels share is kept once";
    EXPECT_EQ(index->matchingLines(QStringLiteral("已发出\n已签收")).count(true), 0)
        << "never across two rows";
    EXPECT_EQ(index->matchingLines(QStringLiteral("发")).count(true), 1);
    list.setRowTextIndex(index);

    const struct
    {
        const char *search;
        QStringList shown;
    } cases[] = {
        {"杭州", {"B2", "A1"}}, // B2 is out for delivery: it comes first
        {"13800138000", {"B2"}}, {"王师傅 电话", {"B2"}}, {"签收人", {"A1"}}, {"c3", {"C3"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(numbers(list, list.select(ParcelGroup::All, QString::fromUtf8(c.search), {})), c.shown)
            << c.search;
    // A longer search narrows the rows shown for a shorter one to the same rows, in their order.
    const QList<int> shown = list.select(ParcelGroup::All, QStringLiteral("杭州"), {});
    EXPECT_EQ(list.narrow(shown, QStringLiteral("杭州转运")),
              list.select(ParcelGroup::All, QStringLiteral("杭州转运"), {}));

    // New rows of a parcel come after the index; a reload with changed rows says whose texts to read again.
    ParcelRecord c3 = parcels[2];
    c3.rowCount = 2;
    c3.newestText = QStringLiteral("到达【成都】");
    QList<ParcelRecord> reloaded = parcels;
    reloaded[2] = c3;
    EXPECT_EQ(list.setParcels(reloaded, kNow, 7), QList<int> {2});
    list.setRowTexts(2, {QStringLiteral("到达【成都】")});
    EXPECT_EQ(numbers(list, list.select(ParcelGroup::All, QStringLiteral("成都"), {})),
              QStringList {QStringLiteral("C3")});
    EXPECT_EQ(numbers(list, list.select(ParcelGroup::All, QStringLiteral("杭州"), {})),
              QStringList({QStringLiteral("B2"), QStringLiteral("A1")}))
        << "the others keep the index's texts";
    EXPECT_TRUE(list.setParcels(reloaded, kNow, 7).isEmpty()) << "the same rows: nothing to read again";
}

TEST(DeliveryEstimate, MedianAndEightiethPercentileOfTheCarriersSignedParcels)
{
    const struct
    {
        QList<qint64> seconds;
        qint64 median, p80;
    } cases[] = {
        {{}, -1, -1},
        {{5}, 5, 5},
        {{4, 2}, 3, 4},
        {{10, 1, 3, 2, 4}, 3, 4},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 5, 8},
        {{7, 7, 7, 7, 7, 7}, 7, 7},
    };
    for (const auto &c : cases) {
        const TransitSummary summary = summariseTransits(c.seconds);
        EXPECT_EQ(summary.count, c.seconds.size());
        EXPECT_EQ(summary.median, c.median) << c.seconds.size();
        EXPECT_EQ(summary.p80, c.p80) << c.seconds.size();
    }

    const struct
    {
        qint64 seconds;
        const char *span, *within;
    } texts[] = {
        {2 * 86400 + 5 * 3600 + 59, "2天5小时", "3天内"},
        {86400, "1天", "1天内"},
        {5 * 3600 + 1, "5小时", "6小时内"},
        {40 * 60, "40分钟", "1小时内"},
    };
    for (const auto &t : texts) {
        EXPECT_EQ(spanText(t.seconds), QString::fromUtf8(t.span));
        EXPECT_EQ(withinText(t.seconds), QString::fromUtf8(t.within));
    }
}

TEST(DeliveryEstimate, FromTheServiceFirstElseFromFiveSignedParcelsOfTheCarrier)
{
    ParcelRecord onItsWay = record({"W1", "运送中", "2024-03-09 08:00:00"});
    // Four signed parcels are not enough.
    EXPECT_FALSE(DeliveryEstimator(signedHistory(4)).estimate(onItsWay).isValid());

    // Five: 1, 2, 3, 4 and 10 days: median 3 days, 80 of 100 within 4 days.
    const DeliveryEstimator estimator(signedHistory(5));
    const DeliveryEstimate fromHistory = estimator.estimate(onItsWay);
    ASSERT_EQ(fromHistory.source, DeliveryEstimate::Source::History);
    EXPECT_EQ(fromHistory.from, QDateTime(QDate(2024, 3, 12), QTime(8, 0), Qt::LocalTime));
    EXPECT_EQ(fromHistory.to, QDateTime(QDate(2024, 3, 13), QTime(8, 0), Qt::LocalTime));
    EXPECT_EQ(estimateText(fromHistory, kNow),
              QStringLiteral("预计 3月12日左右 (按您以往的圆通快递: 中位 3天, 80% 4天内)"));
    EXPECT_EQ(estimateText(fromHistory, kNow.addYears(1)),
              QStringLiteral("预计 2024年3月12日左右 (按您以往的圆通快递: 中位 3天, 80% 4天内)"))
        << "another year names its year";
    const QJsonObject json = estimateJson(fromHistory).toObject();
    EXPECT_EQ(json[QStringLiteral("source")].toString(), QStringLiteral("history"));
    EXPECT_EQ(QDateTime::fromString(json[QStringLiteral("to")].toString(), Qt::ISODate), fromHistory.to);

    // Another carrier learns nothing from these; no rows, nothing to count from; signed for, no estimate.
    ParcelRecord other = onItsWay;
    other.key.com = QStringLiteral("shunfeng");
    EXPECT_FALSE(estimator.estimate(other).isValid());
    EXPECT_FALSE(estimator.estimate(record({"W2", "运送中"})).isValid());
    EXPECT_FALSE(estimator.estimate(signedHistory(1).first()).isValid());
    EXPECT_TRUE(estimateJson(estimator.estimate(other)).isNull());

    // The service's own estimate wins, with the service's name.
    onItsWay.serviceEstimate
        = {QDateTime(QDate(2024, 12, 11), QTime(9, 0), Qt::LocalTime).toUTC(),
           QDateTime(QDate(2024, 12, 12), QTime(18, 0), Qt::LocalTime).toUTC(), QStringLiteral("17TRACK")};
    const DeliveryEstimate fromService = estimator.estimate(onItsWay);
    EXPECT_EQ(estimateText(fromService, kNow), QStringLiteral("预计 12月11日 – 12月12日 (17TRACK)"));
    EXPECT_EQ(estimateJson(fromService).toObject()[QStringLiteral("source")].toString(),
              QStringLiteral("17TRACK"));
    onItsWay.serviceEstimate.to = QDateTime();
    EXPECT_EQ(estimateText(estimator.estimate(onItsWay), kNow), QStringLiteral("预计 12月11日 (17TRACK)"));
}

// Under the English interface the shown texts are English; what reports, files and the search
// use stays Chinese.
TEST(DeliveryEstimate, ShownTextsInTheEnglishInterface)
{
    const EnglishInterface english;
    const DeliveryEstimator estimator(signedHistory(5));
    ParcelRecord onItsWay = record({"W1", "运送中", "2024-03-09 08:00:00"});
    const DeliveryEstimate fromHistory = estimator.estimate(onItsWay);
    onItsWay.serviceEstimate
        = {QDateTime(QDate(2024, 12, 11), QTime(9, 0), Qt::LocalTime).toUTC(),
           QDateTime(QDate(2024, 12, 12), QTime(18, 0), Qt::LocalTime).toUTC(), QStringLiteral("17TRACK")};
    const ParcelRecord failed = record({"W3", "运送中", "", "", false, "查询超时,请稍后再试! (HTTP 503)"});
    const ParcelRecord unknown = record({"W4", "", "", "", false, "此快递单号未更新信息或已失效.."});
    const ParcelRecord delivered = signedHistory(1).first();
    const ParcelRecord refused = record({"W5", "问题件：拒收"});
    const struct
    {
        const char *what;
        QString shown;
        const char *english;
    } cases[] = {
        {"estimate from history", estimateText(fromHistory, kNow),
         "Expected around Mar 12 (from your past YTO Express parcels: median 3d, 80% within 4d)"},
        {"estimate of another year", estimateText(fromHistory, kNow.addYears(1)),
         "Expected around Mar 12, 2024 (from your past YTO Express parcels: median 3d, 80% within 4d)"},
        {"estimate of the service", estimateText(estimator.estimate(onItsWay), kNow),
         "Expected Dec 11 – Dec 12 (17TRACK)"},
        {"span", shownSpanText(2 * 86400 + 5 * 3600), "2d 5h"},
        {"short span", shownSpanText(40 * 60), "40 min"},
        {"within", withinText(5 * 3600 + 1), "within 6h"},
        {"span of reports", spanText(2 * 86400 + 5 * 3600), "2天5小时"},
        {"group", groupCaption(ParcelGroup::All), "All"},
        {"problem group", groupCaption(ParcelGroup::Problem), "Exception"},
        {"header", overviewHeaders().value(int(OverviewColumn::Status)), "Status"},
        {"carrier", shownOverviewCell(onItsWay, OverviewColumn::Carrier, kNow), "YTO Express"},
        {"status", shownOverviewCell(onItsWay, OverviewColumn::Status, kNow), "In transit"},
        {"status kept", overviewCell(onItsWay, OverviewColumn::Status, kNow), "运送中"},
        {"transit", shownOverviewCell(onItsWay, OverviewColumn::Transit, kNow), "1d 4h 0m"},
        {"delivered transit", shownOverviewCell(delivered, OverviewColumn::Transit, kNow), "Delivered"},
        {"failed status", shownOverviewCell(failed, OverviewColumn::Status, kNow), "Query failed"},
        {"failure", shownOverviewCell(failed, OverviewColumn::Error, kNow),
         "The query timed out, please try again later! (HTTP 503)"},
        {"exception with its reason", shownOverviewCell(refused, OverviewColumn::Status, kNow),
         "Exception: Refused"},
        {"exception with a reason of its own",
         shownOverviewCell(record({"W6", "问题件：包裹在仓库"}), OverviewColumn::Status, kNow),
         "Exception: 包裹在仓库"},
        {"hold", ServiceBudget::shownHoldText(TrackingService::Kdniao, kNow.addSecs(3600), kNow),
         "Kdniao asks for a pause; queries continue at 13:00:00."},
        {"hold in the JSON", ServiceBudget::holdText(TrackingService::Kdniao, kNow.addSecs(3600), kNow),
         "快递鸟要求暂停查询,13:00:00后继续查询."},
        {"no information yet", shownOverviewCell(unknown, OverviewColumn::Status, kNow),
         "No information yet"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.shown.toStdString(), c.english) << c.what;

    // The search finds a carrier by the name the list shows as well as by the stored one.
    OverviewList list;
    list.setParcels(
        records({{"W1", "运送中"}, {"W2", "运送中", "", "", false, "", ArchiveMark::ByRule, "shunfeng"}}),
        kNow, 7);
    for (const char *search : {"yto express", "圆通"})
        EXPECT_EQ(numbers(list, list.select(ParcelGroup::All, QString::fromUtf8(search), {})),
                  QStringList {QStringLiteral("W1")})
            << search;
}

TEST(ParcelStatistics, PerCarrierAndPerMonth)
{
    QList<ParcelRecord> parcels = signedHistory(5); // 圆通, signed 2024-01-02 to 01-15
    parcels.append(record({"Y1", "运送中"}));
    ParcelRecord once = record({"Y2", "已签收", "2024-02-01 08:00:00", "2024-02-03 08:00:00"});
    once.problemSeen = true; // held up once, delivered since
    parcels.append(once);
    parcels.append(record({"F1", "问题件", "", "", false, "", ArchiveMark::ByRule, "shunfeng"}));
    parcels.append(record({"F2", "", "", "", false, "", ArchiveMark::ByRule, "shunfeng"}));

    const ParcelStatistics statistics = parcelStatistics(parcels);
    ASSERT_EQ(statistics.carriers.size(), 2);
    const CarrierStatistics &yuantong = statistics.carriers[0];
    EXPECT_EQ(yuantong.name, QStringLiteral("圆通快递"));
    EXPECT_EQ(yuantong.tracked, 7);
    EXPECT_EQ(yuantong.signedFor, 6);
    EXPECT_EQ(yuantong.transit.count, 6);
    EXPECT_EQ(yuantong.transit.median, qint64(2.5 * 86400)); // 1 2 2 3 4 10 days
    EXPECT_EQ(yuantong.transit.p80, 4 * 86400);
    EXPECT_EQ(shareText(yuantong.problemShare()), QStringLiteral("14.3%"));
    const CarrierStatistics &shunfeng = statistics.carriers[1];
    EXPECT_EQ(shunfeng.tracked, 2);
    EXPECT_EQ(shunfeng.signedFor, 0);
    EXPECT_EQ(shunfeng.transit.median, -1);
    EXPECT_EQ(shareText(shunfeng.problemShare()), QStringLiteral("50.0%"));

    ASSERT_EQ(statistics.months.size(), 2);
    EXPECT_EQ(statistics.months[0].month, QStringLiteral("2024-01"));
    EXPECT_EQ(statistics.months[0].received, 5);
    EXPECT_EQ(statistics.months[1].month, QStringLiteral("2024-02"));
    EXPECT_EQ(statistics.months[1].received, 1);
    EXPECT_TRUE(statisticsJson(statistics)[QStringLiteral("carriers")]
                    .toArray()[1]
                    .toObject()[QStringLiteral("transit")]
                    .toObject()[QStringLiteral("median")]
                    .isNull());
}
