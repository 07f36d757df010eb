#include "fault_support.h"

#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {
QStringList parcels(int count, const QString &note)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(QStringLiteral("SF%1|顺丰快递|%2%1").arg(i).arg(note));
    return lines;
}

// A process that saves the parcel list over and over is killed at random moments: whatever the
// moment, the file is one whole version, never a cut or a mix of two.
TEST(CrashDuringSave, FileIsAlwaysAWholeVersion)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wlnum.ini"));
    const QByteArray older
        = composeSavedFile(parcels(1500, QStringLiteral("旧")), {QStringLiteral("; note")});
    const QByteArray newer
        = composeSavedFile(parcels(2500, QStringLiteral("新的")), {QStringLiteral("; note")});
    ASSERT_TRUE(writeFileAtomically(path, older));

    std::mt19937 random(20240102);
    std::uniform_int_distribution<int> saves(1, 3); // whole saves waited for before the kill
    std::uniform_int_distribution<int> moment(0, 3000); // then microseconds more
    int sawNewer = 0;
    for (int round = 0; round < 500; ++round) {
        // The child tells each whole save over a pipe, so that the kill follows a known number of
        // them however slow the machine is (a build with sanitizers, a busy machine).
        int done[2];
        ASSERT_EQ(pipe(done), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(done[0]);
            for (int i = 0;; ++i) {
                writeFileAtomically(path, i % 2 ? older : newer);
                [[maybe_unused]] const ssize_t told = write(done[1], "s", 1);
            }
        }
        close(done[1]);
        char byte = 0;
        for (int n = saves(random); n > 0; --n)
            ASSERT_EQ(read(done[0], &byte, 1), 1);
        usleep(static_cast<useconds_t>(moment(random)));
        kill(child, SIGKILL);
        close(done[0]);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        const QByteArray now = readBytes(path);
        ASSERT_TRUE(now == older || now == newer) << "round " << round << ": " << now.size() << " bytes";
        sawNewer += now == newer;
    }
    // Kills fell after one, two or three saves and inside the next: both versions turn up.
    EXPECT_GT(sawNewer, 0);
    EXPECT_LT(sawNewer, 500);

    // And the window lists that version whole.
    WindowHarness h;
    writeBytes(savedFileOf(h), readBytes(path));
    Form1 &form = h.open();
    form.Timer3->stop();
    EXPECT_TRUE(form.Combo6->count() == 1500 || form.Combo6->count() == 2500) << form.Combo6->count();
}
} // namespace
