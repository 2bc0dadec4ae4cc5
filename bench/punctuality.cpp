// Punctuality and idle cost of a running task, with the real clock and the real timer.
//   tocklet_bench_punctuality [runs] [idle-seconds]
// Starts `runs` one-second countdowns and reports how long after the start of the end second
// each firing began; then starts a one-hour countdown and reports the CPU time the waiting
// process used over `idle-seconds`.
#include <DesktopPlatform.h>
#include <frmMain.h>

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace {

// The desktop, but with files in a scratch folder, no boxes to wait for, and a note of the
// moment each firing begins (it first shows the task-bar entry again).
class BenchPlatform final : public platform::DesktopPlatform {
public:
    QString dir;
    std::function<void()> onFiring;
    QString programDirectory() const override { return dir; }
    QString windowsDirectory() const override { return dir; }
    platform::MsgResult messageBox(const QString &, const QString &, platform::MsgButtons,
                                   platform::MsgIcon) override
    {
        return platform::MsgResult::Ok;
    }
    void setTaskbarEntryVisible(bool visible) override
    {
        if (visible && onFiring)
            onFiring();
    }
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    const int idleSeconds = argc > 2 ? std::max(1, atoi(argv[2])) : 60;

    QTemporaryDir dir;
    BenchPlatform platform;
    platform.dir = dir.path();
    frmMain window(platform);
    window.Form_Load();
    window.findChild<QCheckBox *>(QStringLiteral("chkRunInBackground"))->setChecked(false);
    window.findChild<QCheckBox *>(QStringLiteral("chkCountDown"))->setChecked(true);
    auto *start = window.findChild<QPushButton *>(QStringLiteral("cmdOk"));
    auto setSeconds = [&](const char *h, const char *s) {
        window.findChild<QLineEdit *>(QStringLiteral("txtHour"))->setText(QString::fromLatin1(h));
        window.findChild<QLineEdit *>(QStringLiteral("txtSecond"))->setText(QString::fromLatin1(s));
    };

    std::vector<qint64> lateness;
    QEventLoop loop;
    platform.onFiring = [&] {
        lateness.push_back(QDateTime::currentMSecsSinceEpoch() -
                           window.endTime().toMSecsSinceEpoch());
        loop.quit();
    };
    for (int i = 0; i < runs; ++i) {
        setSeconds("0", "1");
        start->click();
        loop.exec();
    }
    std::sort(lateness.begin(), lateness.end());
    std::printf("firing lateness over %d runs: min %lld ms, median %lld ms, max %lld ms\n", runs,
                static_cast<long long>(lateness.front()),
                static_cast<long long>(lateness[lateness.size() / 2]),
                static_cast<long long>(lateness.back()));

    platform.onFiring = nullptr;
    setSeconds("1", "0");
    start->click();
    const double before = cpuSeconds();
    QTimer::singleShot(idleSeconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    const double used = cpuSeconds() - before;
    std::printf("waiting task: %.3f s of CPU in %d s, %.4f %% of a core\n", used, idleSeconds,
                100.0 * used / idleSeconds);
    return 0;
}
