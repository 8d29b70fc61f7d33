// Raising the communication server's priority: which processes it touches.
#include "shell/ServerPriority.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

class TstServerPriority : public QObject {
    Q_OBJECT

    // Starts a copy of sleep under the given file name.
    static std::unique_ptr<QProcess> startAs(const QTemporaryDir& dir, const QString& name)
    {
        const QString path = dir.filePath(name);
        QFile::copy(QStringLiteral("/bin/sleep"), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        auto p = std::make_unique<QProcess>();
        p->start(path, {QStringLiteral("30")});
        p->waitForStarted();
        return p;
    }
    static int niceOf(const QProcess& p)
    {
        errno = 0;
        return getpriority(PRIO_PROCESS, id_t(p.processId()));
    }

private Q_SLOTS:
    void raisesOnlyServerProcesses()
    {
        QTemporaryDir dir;
        auto server = startAs(dir, QStringLiteral("ModbusTerValoSrv"));
        auto other = startAs(dir, QStringLiteral("zta-unrelated"));
        QVERIFY(server->state() == QProcess::Running && other->state() == QProcess::Running);
        const int before = niceOf(*other);

        shell::RaiseServerPriority();

        if (niceOf(*server) != shell::HighPriorityNice)
            QSKIP("this user may not raise priorities");
        QCOMPARE(niceOf(*other), before);
        server->kill();
        other->kill();
        server->waitForFinished();
        other->waitForFinished();
    }

    void nothingMatchingChangesNothing()
    {
        const int before = getpriority(PRIO_PROCESS, 0);
        shell::RaiseServerPriority();  // this test's own name does not match
        QCOMPARE(getpriority(PRIO_PROCESS, 0), before);
    }
};

QTEST_GUILESS_MAIN(TstServerPriority)
#include "tst_serverpriority.moc"
