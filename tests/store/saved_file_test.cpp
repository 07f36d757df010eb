#include "file_fixtures.h"
#include "platform/text_codec.h"
#include "store/saved_parcel_file.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
struct FileCase
{
    const char *fixture;
    QStringList parcels;
    QStringList otherLines;
};

const QString kDad = QStringLiteral("123|AAE快递|爸爸衣服");
const QString kBook = QStringLiteral("456|安捷快递|书");
const QString kClothes = QStringLiteral("123|AAE快递|衣服");
} // namespace

TEST(SavedFile, GbkFixturesLoad)
{
    const FileCase cases[] = {
        {"two_parcels.ini", {kDad, kBook}, {}},
        {"no_final_line_end.ini", {kDad, kBook}, {}},
        {"empty_remark.ini", {QStringLiteral("123|AAE快递|"), kBook}, {}},
        {"one_bar.ini", {kClothes, kBook}, {QStringLiteral("789|书")}},
        {"four_fields.ini", {QStringLiteral("123|AAE快递|衣服|红色")}, {}},
        {"lf_line_ends.ini", {kClothes, kBook}, {}},
        {"cr_line_ends.ini", {kClothes, kBook}, {}},
        {"gongsuda.ini", {QStringLiteral("123|共速达物流|快递|衣服")}, {}},
        {"blank_lines.ini", {kClothes, kBook}, {}},
        // 0x81 0x7C and 0x81 0x5B: a "|" and a "[" byte inside two-byte characters.
        {"trail_byte_bar.ini", {QStringLiteral("123|AAE快递|亅乕")}, {}},
    };
    for (const FileCase &c : cases) {
        const SavedFileContents contents = parseSavedFile(fixture(c.fixture));
        EXPECT_EQ(contents.parcels, c.parcels) << c.fixture;
        EXPECT_EQ(contents.otherLines, c.otherLines) << c.fixture;
    }
}

TEST(SavedFile, LinesReadWithTheCatalogueInMind)
{
    struct Case
    {
        QString line;
        QString number, carrier, remark;
    };
    const Case cases[] = {
        {QStringLiteral("123|AAE快递|衣服"), "123", QStringLiteral("AAE快递"), QStringLiteral("衣服")},
        {QStringLiteral("123|AAE快递|"), "123", QStringLiteral("AAE快递"), ""},
        {QStringLiteral("123|AAE快递|衣服|红色"), "123", QStringLiteral("AAE快递"), QStringLiteral("衣服")},
        {QStringLiteral("123|共速达物流|快递|衣服"), "123", QStringLiteral("共速达物流|快递"),
         QStringLiteral("衣服")},
        {QStringLiteral("123|共速达物流|快递"), "123", QStringLiteral("共速达物流|快递"), ""},
        // Only a whole catalogue name spans two fields.
        {QStringLiteral("123|共速达|快递|衣服"), "123", QStringLiteral("共速达"), QStringLiteral("快递")},
        {QStringLiteral("789|书"), "789", QStringLiteral("书"), ""},
        {QStringLiteral("no bar at all"), "", "", ""},
        {QStringLiteral("|AAE快递|衣服"), "", QStringLiteral("AAE快递"), QStringLiteral("衣服")},
    };
    for (const Case &c : cases) {
        const SavedParcel parcel = readSavedLine(c.line);
        EXPECT_EQ(parcel.number, c.number) << c.line.toStdString();
        EXPECT_EQ(parcel.carrier, c.carrier) << c.line.toStdString();
        EXPECT_EQ(parcel.remark, c.remark) << c.line.toStdString();
    }
}

TEST(SavedFile, WrittenFileReadsBackByteForByte)
{
    // Every fixture written by the program's own rules: parcels first, other lines after them.
    const char *const cases[][2] = {
        {"two_parcels.ini", "two_parcels.ini"},
        {"no_final_line_end.ini", "two_parcels.ini"},
        {"lf_line_ends.ini", "clothes_and_book.ini"},
        {"cr_line_ends.ini", "clothes_and_book.ini"},
        {"blank_lines.ini", "clothes_and_book.ini"},
        {"one_bar.ini", "one_bar_rewritten.ini"},
        {"gongsuda.ini", "gongsuda.ini"},
        {"four_fields.ini", "four_fields.ini"},
        {"trail_byte_bar.ini", "trail_byte_bar.ini"},
    };
    for (const auto &c : cases) {
        const SavedFileContents contents = parseSavedFile(fixture(c[0]));
        EXPECT_EQ(composeSavedFile(contents.parcels, contents.otherLines), fixture(c[1])) << c[0];
    }
    EXPECT_EQ(composeSavedFile({}, {}), QByteArray());
}

TEST(SavedFile, CharactersOutsideGbkSurvive)
{
    const QString line = QStringLiteral("123|AAE快递|礼物🎁");
    const SavedFileContents contents = parseSavedFile(composeSavedFile({line}, {}));
    EXPECT_EQ(contents.parcels, QStringList {line});
}

TEST(SavedFile, ReadingAMissingFileLeavesTheContents)
{
    QTemporaryDir dir;
    SavedFileContents contents;
    contents.parcels = QStringList {kBook};
    EXPECT_FALSE(readSavedFile(dir.filePath(QStringLiteral("wlnum.ini")), contents));
    EXPECT_EQ(contents.parcels, QStringList {kBook});
    EXPECT_TRUE(removeSavedFile(dir.filePath(QStringLiteral("wlnum.ini"))));

    // Before a rewrite: missing is an empty list, there but unreadable is a refusal naming it.
    const QString path = dir.filePath(QStringLiteral("wlnum.ini"));
    const SavedFileRead missing = readSavedFileForRewrite(path);
    EXPECT_TRUE(missing.ok && !missing.exists && missing.contents.parcels.isEmpty());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("wlnum.ini")));
    const SavedFileRead unreadable = readSavedFileForRewrite(path);
    EXPECT_FALSE(unreadable.ok);
    EXPECT_TRUE(unreadable.error.contains(path)) << unreadable.error.toStdString();
}

TEST(SavedFile, FailedWritesKeepTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wlnum.ini"));
    const QByteArray old = fixture("two_parcels.ini");
    writeBytes(path, old);
    // Not beginning with the old content, so that a cut file cannot pass for the old one.
    const QByteArray bigger = composeSavedFile({kClothes, kDad, kBook}, {});
    {
        FileSizeLimit limit(static_cast<rlim_t>(old.size()));
        EXPECT_FALSE(writeFileAtomically(path, bigger));
    }
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("wlnum.ini")});

    // A data directory path that is a file: nothing can be created below it.
    const QString notADirectory = path + QStringLiteral("/wlnum.ini");
    EXPECT_FALSE(writeFileAtomically(notADirectory, bigger));
    EXPECT_EQ(readBytes(path), old);

    EXPECT_TRUE(writeFileAtomically(path, bigger));
    EXPECT_EQ(readBytes(path), bigger);
}

TEST(SavedFile, KilledWriterNeverLeavesAPartFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wlnum.ini"));
    // Large enough that a kill often falls inside a write.
    QStringList many;
    for (int i = 0; i < 20000; ++i)
        many.append(QStringLiteral("%1|AAE快递|第%1件").arg(i));
    const QByteArray small = composeSavedFile({kDad}, {});
    const QByteArray large = composeSavedFile(many, {});
    writeBytes(path, small);

    for (int round = 0; round < 6; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                writeFileAtomically(path, i % 2 ? small : large);
        }
        usleep(static_cast<useconds_t>(20000 + round * 17000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        const QByteArray now = readBytes(path);
        EXPECT_TRUE(now == small || now == large) << "round " << round << ": " << now.size() << " bytes";
    }
}
