// zta-monitor's --help and --version, run as a user runs them: on a terminal, with or
// without a display.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT

    struct Run {
        int exitCode = -1;
        QString out;
    };
    static Run run(const QStringList& arguments, const QProcessEnvironment& env)
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ZTA_MONITOR), arguments);
        if (!p.waitForFinished(30000)) {
            p.kill();
            p.waitForFinished();
        }
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput())};
    }

private Q_SLOTS:
    void information_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("display");  // else neither a display nor a platform is set
        QTest::addColumn<QStringList>("expected");  // each in the output; a version is the whole output
        const QStringList version{QStringLiteral("zta-monitor " ZTA_VERSION "\n")};
        const QStringList help{"zta-monitor [options]\n", "-h, --help", "-v, --version", "ZTA.ini", "color.ini", "~/.config/zta-monitor",
                               "QT_LOGGING_RULES=\"zta.link.bench.debug=true\"", "zta.link.meter"};
        QTest::newRow("--version") << QStringList{"--version"} << true << version;
        QTest::newRow("-v") << QStringList{"-v"} << true << version;
        QTest::newRow("--version without a display") << QStringList{"--version"} << false << version;
        QTest::newRow("--version after a Qt option") << QStringList{"-platform", "offscreen", "--version"} << true << version;
        QTest::newRow("--help") << QStringList{"--help"} << true << help;
        QTest::newRow("-h without a display") << QStringList{"-h"} << false << help;
    }
    void information()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, display);
        QFETCH(QStringList, expected);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (display) {
            env.insert("QT_QPA_PLATFORM", "offscreen");
        } else {
            env.remove("QT_QPA_PLATFORM");
            env.remove("DISPLAY");
            env.remove("WAYLAND_DISPLAY");
        }
        const Run r = run(arguments, env);
        QCOMPARE(r.exitCode, 0);
        if (expected.size() == 1)  // scripts read the version line
            QCOMPARE(r.out, expected.first());
        for (const QString& e : expected)
            QVERIFY2(r.out.contains(e), qPrintable(r.out));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
