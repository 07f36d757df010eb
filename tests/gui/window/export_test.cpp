#include "platform/text_codec.h"
#include "store/export.h"
#include "window_harness.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
const QString kParcel = QStringLiteral("📦"); // outside GBK: GB18030 writes it in four bytes

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray fixture(const char *name)
{
    return readAll(QStringLiteral(PARCELVUE_TEST_DATA "/export/") + QLatin1String(name));
}

// The rows of tests/data/export/progress.*: twelve steps, newest first.
ExportRows progressRows()
{
    ExportRows rows;
    for (int n = 1; n <= 12; ++n) {
        QString step = QStringLiteral("【途中】快件已到达 第%1站").arg(n);
        if (n == 1)
            step = QStringLiteral("【上海市】已签收,签收人:本人 感谢使用");
        else if (n == 3)
            step = QStringLiteral("【上海市】派件中 ") + kParcel + QStringLiteral(" 快递员:李师傅");
        else if (n == 12)
            step = QStringLiteral("【北京市】北京朝阳营业部 已收件");
        const QString time = QStringLiteral("2024-05-%1 10:%2:00")
                                 .arg(20 - n, 2, 10, QLatin1Char('0'))
                                 .arg(n, 2, 10, QLatin1Char('0'));
        rows.append({QString::number(n), time, step});
    }
    return rows;
}

ExportRows cellRows()
{
    return {{QStringLiteral("123456789"), QStringLiteral("长编号"), QStringLiteral("after")},
            {QStringLiteral("   "), QStringLiteral("blanks")},
            {QStringLiteral("四个汉字"), QStringLiteral("four")},
            {QStringLiteral("三汉字"), QStringLiteral("three")},
            {QStringLiteral("  7  "), QStringLiteral("trimmed "), QStringLiteral("kept  ")}};
}

QStringList linesOf(const QByteArray &bytes)
{
    QStringList lines = decodeGb(bytes).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.takeLast(), QString()) << "the last line ends in CR LF too";
    return lines;
}

void fill(QTreeWidget *list, const ExportRows &rows)
{
    list->clear();
    for (const QStringList &row : rows)
        list->addTopLevelItem(new QTreeWidgetItem(row));
}
} // namespace

TEST(ExportPadding, SetStringFixedLength)
{
    const struct
    {
        QString in;
        int width;
        QString expected;
    } cases[] = {
        {QStringLiteral("1"), 8, QStringLiteral("1       ")},
        {QStringLiteral("12"), 8, QStringLiteral("12      ")},
        {QStringLiteral("12345678"), 8, QStringLiteral("12345678")},
        {QStringLiteral("123456789"), 8, QStringLiteral("123456789")}, // never cut
        {QStringLiteral("   "), 8, QString()},
        {QString(), 8, QString()},
        {QStringLiteral("四个汉字"), 8, QStringLiteral("四个汉字")},
        {QStringLiteral("三汉字"), 8, QStringLiteral("三汉字  ")},
        {QStringLiteral("五个汉字呀"), 8, QStringLiteral("五个汉字呀")},
        {QStringLiteral("  7  "), 8, QStringLiteral("7       ")},
        {QStringLiteral("\t7"), 8, QStringLiteral("\t7      ")}, // only blanks are trimmed
        {QStringLiteral("é"), 4, QStringLiteral("é  ")},
        {kParcel, 4, kParcel + QStringLiteral("  ")}, // one character, not two halves
        {QStringLiteral("a"), 0, QStringLiteral("a")},
        {QStringLiteral(" a "), -5, QStringLiteral("a")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SetStringFixedLength(c.in, c.width), c.expected) << c.in.toStdString() << " / " << c.width;
}

TEST(ExportPadding, CellsAreCutToBytesOnCharacterBoundaries)
{
    const QString han = QStringLiteral("汉");
    const struct
    {
        const char *what;
        QString cell;
        QString expected;
    } cases[] = {
        {"1023 ASCII", QString(1023, QLatin1Char('a')), QString(1023, QLatin1Char('a'))},
        {"1024 ASCII", QString(1024, QLatin1Char('a')), QString(1023, QLatin1Char('a'))},
        {"odd byte fits", QStringLiteral("a") + han.repeated(511), QStringLiteral("a") + han.repeated(511)},
        {"half a character never", han.repeated(512), han.repeated(511)},
        {"after ASCII", QStringLiteral("ab") + han.repeated(511), QStringLiteral("ab") + han.repeated(510)},
        {"four-byte characters", kParcel.repeated(256), kParcel.repeated(255)},
        {"three bytes left", kParcel.repeated(255) + QStringLiteral("abc") + kParcel,
         kParcel.repeated(255) + QStringLiteral("abc")},
    };
    for (const auto &c : cases) {
        const QString cut = cutToBytes(c.cell);
        EXPECT_EQ(cut, c.expected) << c.what;
        EXPECT_LE(encodeGb(cut).size(), kExportMaxCellBytes) << c.what;
    }
}

TEST(ExportLines, TimeStartsAtTheTwelfthCharacterOnEveryRow)
{
    const QStringList lines = linesOf(exportFileContent(progressRows()));
    ASSERT_EQ(lines.size(), 12);
    for (int i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].indexOf(QStringLiteral("2024-05-")), 11) << lines[i].toStdString();
        EXPECT_TRUE(lines[i].startsWith(QString::number(i + 1) + QLatin1Char(' ')));
    }
}

TEST(ExportLines, CellLayouts)
{
    const struct
    {
        const char *what;
        QStringList row;
        QString line;
    } cases[] = {
        {"long first cell, then exactly three blanks",
         {QStringLiteral("123456789"), QStringLiteral("x")},
         QStringLiteral("123456789   x")},
        {"blanks only", {QStringLiteral("    "), QStringLiteral("x")}, QStringLiteral("   x")},
        {"four Chinese characters",
         {QStringLiteral("四个汉字"), QStringLiteral("x")},
         QStringLiteral("四个汉字   x")},
        {"three Chinese characters",
         {QStringLiteral("三汉字"), QStringLiteral("x")},
         QStringLiteral("三汉字     x")},
        {"one cell: padded, nothing after", {QStringLiteral("1")}, QStringLiteral("1       ")},
        {"later cells unchanged",
         {QStringLiteral("1"), QStringLiteral(" a "), QStringLiteral(""), QStringLiteral("b ")},
         QStringLiteral("1           a       b ")},
        {"long cell cut",
         {QStringLiteral("1"), QString(2000, QLatin1Char('z'))},
         QStringLiteral("1          ") + QString(1023, QLatin1Char('z'))},
    };
    for (const auto &c : cases) {
        const QStringList lines = linesOf(exportFileContent({c.row}));
        ASSERT_EQ(lines.size(), 1) << c.what;
        EXPECT_EQ(lines[0].toStdString(), c.line.toStdString()) << c.what;
    }
}

TEST(ExportLines, BytesMatchTheFixtures)
{
    EXPECT_EQ(exportFileContent(progressRows()), fixture("progress.gb18030.txt"));
    EXPECT_EQ(exportFileContent(cellRows()), fixture("cells.gb18030.txt"));
}

TEST(ExportFile, WritesReplacesOrRefuses)
{
    QTemporaryDir dir;
    QFile plain(dir.filePath(QStringLiteral("plain.txt")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write("keep me");
    plain.close();

    const QString target = dir.filePath(QStringLiteral("out.txt"));
    EXPECT_FALSE(ExportListViewContent({}, target));
    EXPECT_FALSE(QFile::exists(target)) << "no rows, no file";

    EXPECT_TRUE(ExportListViewContent(progressRows(), target));
    EXPECT_EQ(readAll(target), fixture("progress.gb18030.txt"));
    EXPECT_TRUE(ExportListViewContent(cellRows(), target));
    EXPECT_EQ(readAll(target), fixture("cells.gb18030.txt")) << "the second export replaces the first";

    // Places that cannot be written even by root.
    for (const QString &bad : {dir.filePath(QStringLiteral("plain.txt/out.txt")),
                               dir.filePath(QStringLiteral("missing/out.txt")), dir.path()}) {
        EXPECT_FALSE(ExportListViewContent(progressRows(), bad)) << bad.toStdString();
    }
    EXPECT_EQ(readAll(plain.fileName()), QByteArray("keep me"));
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("missing"))).exists());
}

// The button in the real window: what the user sees for each way an export can end.
TEST(ExportWindow, Command6Outcomes)
{
    enum class Name { Cancel, Good, NoExtension, InsideFile, MissingDir };
    const struct
    {
        const char *what;
        bool rows;
        Name name;
        QString message;
        QString status; // empty: unchanged
    } cases[] = {
        {"empty list", false, Name::Good, QStringLiteral("没有可导出的数据!"), {}},
        {"cancelled", true, Name::Cancel, QStringLiteral("已取消保存"), {}},
        {"written", true, Name::Good, QStringLiteral("成功导出全部数据!"),
         QStringLiteral("成功导出全部数据..")},
        {"no extension", true, Name::NoExtension, QStringLiteral("成功导出全部数据!"),
         QStringLiteral("成功导出全部数据..")},
        {"inside a file", true, Name::InsideFile, QStringLiteral("导出失败,无法写入文件!"),
         QStringLiteral("导出失败,无法写入文件..")},
        {"missing folder", true, Name::MissingDir, QStringLiteral("导出失败,无法写入文件!"),
         QStringLiteral("导出失败,无法写入文件..")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        WindowHarness h;
        Form1 &form = h.open();
        form.Timer3->stop();
        const QString dir = h.test.dataDir();
        QFile(dir + QStringLiteral("/plain")).open(QIODevice::WriteOnly);
        const QString names[]
            = {QString(), dir + QStringLiteral("/steps.txt"), dir + QStringLiteral("/steps"),
               dir + QStringLiteral("/plain/steps.txt"), dir + QStringLiteral("/missing/steps.txt")};
        h.test.saveDialog.nextName = names[static_cast<int>(c.name)];
        if (c.rows)
            fill(form.ListView1, progressRows());
        form.setStatus(QStringLiteral("before"));

        form.Command6->click();

        EXPECT_EQ(h.test.messages.texts(), QStringList {c.message});
        EXPECT_EQ(form.Label11[2]->text(), c.status.isEmpty() ? QStringLiteral("before") : c.status);
        EXPECT_EQ(h.test.saveDialog.asked, c.rows ? 1 : 0);
        if (c.rows) {
            EXPECT_EQ(h.test.saveDialog.lastFilter, QStringLiteral("(TXT文本) (*.txt)"));
        }
        const bool written = c.status == QStringLiteral("成功导出全部数据..");
        if (written) {
            EXPECT_EQ(readAll(h.test.saveDialog.nextName), fixture("progress.gb18030.txt"));
        } else {
            EXPECT_FALSE(QFile::exists(h.test.saveDialog.nextName));
        }
        QStringList left = QDir(dir).entryList(QDir::Files);
        left.removeAll(QStringLiteral("plain"));
        EXPECT_EQ(left.size(), written ? 1 : 0) << left.join(QLatin1Char(' ')).toStdString();
    }
}
