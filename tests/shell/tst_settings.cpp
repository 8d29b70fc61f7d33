// The settings file: INI reading and writing, channel settings and window positions, where
// the files live, changes made on disk by others, and writes that fail.
#include "../support/ScriptedDialogs.h"
#include "shell/settings/ChannelSettings.h"
#include "shell/settings/ColorFile.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/IniText.h"
#include "shell/settings/SettingsLocation.h"
#include "shell/settings/WindowPosition.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QSaveFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using settings::IniFile;

namespace {

QByteArray contentOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool putContent(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A folder this process cannot write, made so by its permissions; false when the process
// may write anyway (root).
bool makeReadOnly(const QString& dir)
{
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile probe(dir + QStringLiteral("/probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return true;
    probe.remove();
    return false;
}

void makeWritable(const QString& dir)
{
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

}  // namespace

class TstSettings : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    QString path() const { return dir.filePath(QStringLiteral("ZTA.ini")); }
    void writeRaw(const QByteArray& bytes)
    {
        QFile f(path());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray readRaw() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void init()
    {
        QFile::remove(path());
        settings::setSettingsDirectory(dir.path());
        dialogs.clear();
    }

    void missingFileOrKeyGivesDefault()
    {
        IniFile ini(path());
        QVERIFY(!ini.exists());
        QCOMPARE(ini.readInteger("List", "Count", 7), 7);
        QCOMPARE(ini.readString("ZTA", "Comm Port", "COM1"), QString("COM1"));
        ini.writeInteger("List", "Count", 2);
        QCOMPARE(ini.readInteger("List", "Other", -3), -3);
        QCOMPARE(ini.readInteger("Missing", "Count", 9), 9);
    }

    void namesCompareWithoutCase()
    {
        IniFile ini(path());
        ini.writeString("PRIBOR", "Comm Port", "COM3");
        QCOMPARE(ini.readString("Pribor", "comm port", ""), QString("COM3"));
        ini.writeString("pribor", "COMM PORT", "COM4");  // replaces, does not add
        QCOMPARE(ini.readString("PRIBOR", "Comm Port", ""), QString("COM4"));
        QCOMPARE(readRaw().toLower().count("comm port"), 1);
    }

    void integerThatDoesNotParseGivesDefault_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("number") << QByteArray("42") << 42;
        QTest::newRow("negative") << QByteArray("-5") << -5;
        QTest::newRow("letters") << QByteArray("abc") << 11;
        QTest::newRow("empty") << QByteArray("") << 11;
        QTest::newRow("number with text") << QByteArray("12x") << 11;
    }
    void integerThatDoesNotParseGivesDefault()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, expected);
        writeRaw("[S]\r\nK=" + stored + "\r\n");
        QCOMPARE(IniFile(path()).readInteger("S", "K", 11), expected);
    }

    void writingKeepsOtherLinesAndAddsToItsSection()
    {
        writeRaw("; comment\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
        IniFile ini(path());
        ini.writeString("A", "z", "3");
        ini.writeString("C", "w", "4");
        QCOMPARE(readRaw(), QByteArray("; comment\r\n[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\nw=4\r\n"));
    }

    void lineBreaksInAValueCannotInjectKeys()
    {
        IniFile ini(path());
        ini.writeString("ZTA", "Comm Port", "COM1\r\n[ZTA Address]\nIMR=7");
        QCOMPARE(ini.readInteger("ZTA Address", "IMR", 0), 0);
        QVERIFY(ini.readString("ZTA", "Comm Port", "").startsWith("COM1"));
        QCOMPARE(readRaw().count('\n'), 2);
    }

    void cyrillicIsWrittenInUtf8AndOldFilesReadAsWindows1251()
    {
        IniFile ini(path());
        ini.writeString("List", "Name1", "Расходомер");
        QVERIFY(readRaw().contains(QString("Расходомер").toUtf8()));
        QCOMPARE(ini.readString("List", "Name1", ""), QString("Расходомер"));

        QStringEncoder cp1251("windows-1251");
        writeRaw("[List]\r\nName1=" + QByteArray(cp1251.encode(QString("ДТК-300Т"))) + "\r\n");
        QCOMPARE(ini.readString("List", "Name1", ""), QString("ДТК-300Т"));
    }

    void failedWriteKeepsTheFileWhole()
    {
        IniFile ini(path());
        ini.writeInteger("A", "x", 1);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool writable = QFile(dir.filePath("probe")).open(QIODevice::WriteOnly);
        const bool stored = ini.writeInteger("A", "x", 2);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (writable)
            QSKIP("running as a user who may write anywhere");
        QVERIFY(!stored);
        QCOMPARE(ini.readInteger("A", "x", 0), 1);
    }

    void channelSettingsDefaultsWithoutFile()
    {
        const auto s = settings::ChannelSettings::read(IniFile(path()), "ZTA");
        QCOMPARE(s.port, QString("COM1"));
        QCOMPARE(s.speedIndex, 0);
        QCOMPARE(s.linkType, 0);
        QCOMPARE(s.interval, 20);
        QCOMPARE(s.answerDelay, 500);
        QCOMPARE(s.retries, 5);
    }

    void baudRateReadsAsSpeedIndex_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("index");
        QTest::newRow("19200") << 19200 << 0;
        QTest::newRow("9600") << 9600 << 1;
        QTest::newRow("4800") << 4800 << 2;
        QTest::newRow("2400") << 2400 << 3;
        QTest::newRow("1200") << 1200 << 4;
        QTest::newRow("57600 is not offered") << 57600 << 0;
    }
    void baudRateReadsAsSpeedIndex()
    {
        QFETCH(int, baud);
        QFETCH(int, index);
        IniFile ini(path());
        ini.writeInteger("ZTA", "Baud Rate", baud);
        QCOMPARE(settings::ChannelSettings::read(ini, "ZTA").speedIndex, index);
    }

    void channelSettingsRoundTripInTheirOrder()
    {
        IniFile ini(path());
        settings::ChannelSettings s;
        s.port = "/dev/ttyUSB0";
        s.speedIndex = 1;
        s.linkType = 1;
        s.interval = 10;
        s.answerDelay = 300;
        s.retries = 2;
        s.write(ini, "PRIBOR");
        const auto r = settings::ChannelSettings::read(ini, "Pribor");
        QCOMPARE(r.port, s.port);
        QCOMPARE(r.speedIndex, 1);
        QCOMPARE(r.linkType, 1);
        QCOMPARE(r.interval, 10);
        QCOMPARE(r.answerDelay, 300);
        QCOMPARE(r.retries, 2);
        QCOMPARE(readRaw(), QByteArray("[PRIBOR]\r\nComm Port=/dev/ttyUSB0\r\nInterval=10\r\nBaud Rate=9600\r\n"
                                       "Link Type=1\r\nReceive Delay=300\r\nError Retriers=2\r\n"));
    }

    void windowPosition_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<QPoint>("expected");
        // screen 1000 x 800, window 200 x 100: centred at (400, 350)
        QTest::newRow("on screen") << 100 << 50 << QPoint(100, 50);
        QTest::newRow("negative stays") << -20 << -5 << QPoint(-20, -5);
        QTest::newRow("right of the screen") << 1001 << 50 << QPoint(400, 350);
        QTest::newRow("below the screen") << 10 << 801 << QPoint(400, 350);
        QTest::newRow("at the very edge") << 1000 << 800 << QPoint(1000, 800);
    }
    void windowPosition()
    {
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(QPoint, expected);
        IniFile ini(path());
        ini.writeInteger("CalcFrm", "left", left);
        ini.writeInteger("CalcFrm", "top", top);
        ui::Form form("f");
        form.setGeometry(QRect(5, 5, 200, 100));
        settings::restorePosition(ini, "CalcFrm", form, QSize(1000, 800));
        QCOMPARE(form.geometry().topLeft(), expected);
    }

    void windowPositionDefaultsToDesigned()
    {
        ui::Form form("f");
        form.setGeometry(QRect(33, 44, 200, 100));
        settings::restorePosition(IniFile(path()), "FlowForm", form, QSize(1000, 800));
        QCOMPARE(form.geometry().topLeft(), QPoint(33, 44));
    }

    // Another program (or the operator's editor) changes the file between two reads of ours:
    // the next read and the next write start from what is on disk now.
    void changesMadeByOthersAreSeen_data()
    {
        QTest::addColumn<QByteArray>("after");  // null: the file was removed
        QTest::addColumn<bool>("replaced");     // written beside and renamed over, as editors do
        QTest::addColumn<QString>("expected");  // "K" of "S" now; empty: missing
        QTest::newRow("rewritten in place, same size") << QByteArray("[S]\r\nK=2\r\n") << false << "2";
        QTest::newRow("replaced, same size") << QByteArray("[S]\r\nK=3\r\n") << true << "3";
        QTest::newRow("grown") << QByteArray("[S]\r\nK=4\r\nL=5\r\n") << false << "4";
        QTest::newRow("key removed") << QByteArray("[S]\r\n") << false << "";
        QTest::newRow("file removed") << QByteArray() << false << "";
    }
    void changesMadeByOthersAreSeen()
    {
        QFETCH(QByteArray, after);
        QFETCH(bool, replaced);
        QFETCH(QString, expected);
        writeRaw("[S]\r\nK=1\r\n");
        IniFile ini(path());
        QCOMPARE(ini.readString("S", "K", ""), QString("1"));
        if (after.isNull()) {
            QVERIFY(QFile::remove(path()));
        } else if (replaced) {
            QSaveFile f(path());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(after);
            QVERIFY(f.commit());
        } else {
            QVERIFY(putContent(path(), after));
        }
        QCOMPARE(ini.readString("S", "K", ""), expected);
        QCOMPARE(ini.exists(), !after.isNull());

        // A write of the value we read first is a change again, and other lines stay.
        QVERIFY(ini.writeString("S", "K", "1"));
        const settings::IniText onDisk = settings::IniText::parse(readRaw());
        QCOMPARE(onDisk.value("S", "K"), std::optional<QString>("1"));
        QCOMPARE(onDisk.value("S", "L").has_value(), after.contains("L=5"));
    }

    // A run of writes, each read back at once through the kept file, against the file's bytes.
    void writesReadBackAsTheFileSays_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QList<QStringList>>("writes");  // section, key, value
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("keys added to the first of three sections, then to the others")
            << QByteArray("[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\n[C]\r\nc=1\r\n")
            << QList<QStringList>{{"A", "a2", "2"}, {"B", "b2", "2"}, {"A", "a3", "3"}, {"C", "c", "9"}, {"B", "b", "7"}}
            << QByteArray("[A]\r\na=1\r\na2=2\r\na3=3\r\n\r\n[B]\r\nb=7\r\nb2=2\r\n[C]\r\nc=9\r\n");
        QTest::newRow("a repeated section: the first one holds the values")
            << QByteArray("[A]\r\nx=1\r\n[B]\r\n[A]\r\nx=2\r\n")
            << QList<QStringList>{{"a", "y", "3"}, {"A", "X", "4"}, {"B", "z", "5"}}
            << QByteArray("[A]\r\nX=4\r\ny=3\r\n[B]\r\nz=5\r\n[A]\r\nx=2\r\n");
        QTest::newRow("lines before any section belong to none")
            << QByteArray("x=1\r\n[A]\r\n") << QList<QStringList>{{"A", "x", "2"}, {"", "x", "3"}}
            << QByteArray("x=1\r\n[A]\r\nx=2\r\n\r\n[]\r\nx=3\r\n");
        QTest::newRow("names that do not read back as written")
            << QByteArray("[A]\r\n")
            << QList<QStringList>{{"A", ";c", "1"}, {"A", "k=j", "2"}, {"A", "[s", "t]"}, {"A", "", "4"}, {"[B", "k", "5"}}
            << QByteArray("[A]\r\n;c=1\r\nk=j=2\r\n=4\r\n[s=t]\r\n\r\n[[B]\r\nk=5\r\n");
        QTest::newRow("new keys go after the last filled line of the section")
            << QByteArray("[A]\r\n\r\nx=1\r\n; note\r\n\r\n\r\n[B]\r\n")
            << QList<QStringList>{{"A", "y", "2"}, {"A", "z", "3"}}
            << QByteArray("[A]\r\n\r\nx=1\r\n; note\r\ny=2\r\nz=3\r\n\r\n\r\n[B]\r\n");
    }
    void writesReadBackAsTheFileSays()
    {
        QFETCH(QByteArray, before);
        QFETCH(QList<QStringList>, writes);
        QFETCH(QByteArray, after);
        writeRaw(before);
        IniFile ini(path());
        QStringList probes{"x", "y", "z", "a", "b", "c", "k", "[s", "t]"};
        for (const QStringList& w : writes) {
            QVERIFY(ini.writeString(w[0], w[1], w[2]));
            probes << w[1];
            const settings::IniText fresh = settings::IniText::parse(readRaw());
            for (const QStringList& section : writes)
                for (const QString& key : probes)
                    QVERIFY2(ini.readString(section[0], key, "-") == fresh.value(section[0], key).value_or("-"),
                             qPrintable(section[0] + u'/' + key));
        }
        QCOMPARE(readRaw(), after);
    }

    // The folder beside the executable cannot be written, so the per-user folder is used;
    // the files already beside the executable are read until the first write copies them.
    void olderFileIsReadUntilTheFirstWrite_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("byPermissions");  // else the folder is declared not writable
        for (const char* name : {"ZTA.ini", "color.ini"}) {
            QTest::addRow("%s, folder declared not writable", name) << name << false;
            QTest::addRow("%s, read-only folder", name) << name << true;
        }
    }
    void olderFileIsReadUntilTheFirstWrite()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, byPermissions);
        const QString exeDir = dir.filePath("exe"), userDir = dir.filePath("user");
        QDir(exeDir).removeRecursively();
        QDir(userDir).removeRecursively();
        QVERIFY(QDir().mkpath(exeDir) && QDir().mkpath(userDir));
        QStringEncoder cp1251("windows-1251");
        const QByteArray older = "[PRIBOR]\r\nComm Port=COM7\r\nBaud Rate=9600\r\n\r\n[List]\r\nCount=1\r\nName1="
                                 + QByteArray(cp1251.encode(QString("ДТК-300Т"))) + "\r\n";
        QVERIFY(putContent(exeDir + u'/' + fileName, older));
        if (byPermissions && !makeReadOnly(exeDir)) {
            makeWritable(exeDir);
            QSKIP("this user may write into a read-only folder (root)");
        }
        settings::setSettingsPlace(settings::choosePlace(exeDir, userDir, !byPermissions ? false : QFileInfo(exeDir).isWritable()));
        const QString userFile = settings::settingsDirectory() + u'/' + fileName;
        QCOMPARE(userFile, userDir + u'/' + fileName);

        IniFile ini(userFile);
        QVERIFY(ini.exists());
        const auto channel = settings::ChannelSettings::read(ini, "PRIBOR");
        QCOMPARE(channel.port, QString("COM7"));
        QCOMPARE(channel.speedIndex, 1);
        QCOMPARE(ini.readString("List", "Name1", ""), QString("ДТК-300Т"));
        QVERIFY(!QFile::exists(userFile));

        QVERIFY(ini.writeInteger("List", "Count", 2));
        QCOMPARE(contentOf(userFile), QByteArray("[PRIBOR]\r\nComm Port=COM7\r\nBaud Rate=9600\r\n\r\n[List]\r\nCount=2\r\n"
                                                 "Name1=" + QString("ДТК-300Т").toUtf8() + "\r\n"));
        QCOMPARE(contentOf(exeDir + u'/' + fileName), older);

        // From now on the per-user file is the one: the older one no longer counts.
        makeWritable(exeDir);
        QVERIFY(putContent(exeDir + u'/' + fileName, "[List]\r\nCount=9\r\n"));
        QCOMPARE(IniFile(userFile).readInteger("List", "Count", 0), 2);
        QVERIFY(dialogs.messages.isEmpty());
    }

    // Deleting the colour changes cannot delete the older color.ini beside the executable;
    // it must not come back in place of the deleted one.
    void deletedColoursStayDeletedOverAnOlderFile()
    {
        const QString exeDir = dir.filePath("exe-colors"), userDir = dir.filePath("user-colors");
        QVERIFY(QDir().mkpath(exeDir) && QDir().mkpath(userDir));
        const QByteArray older = "[Color]\r\ncount=1\r\nname1=PnlUsi1\r\ncolor1=255\r\n";
        QVERIFY(putContent(exeDir + "/color.ini", older));
        settings::setSettingsPlace(settings::choosePlace(exeDir, userDir, false));
        settings::ColorFile colors(settings::colorIniPath());
        QCOMPARE(colors.colors().size(), size_t(1));
        QVERIFY(colors.removeAll());
        QVERIFY(colors.colors().empty());
        QVERIFY(settings::ColorFile(settings::colorIniPath()).colors().empty());
        QCOMPARE(contentOf(exeDir + "/color.ini"), older);
        QVERIFY(colors.storeColor("EdtRashQ1", 5));
        QCOMPARE(colors.colors().size(), size_t(1));
        QCOMPARE(colors.colors().front().control, QString("EdtRashQ1"));
    }

    // A write that fails is told once, with the file and the system's reason; the next
    // failures of that file are quiet until a write of it succeeds again.
    void failedWriteIsReportedOnce_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::newRow("folder missing") << "missing";
        QTest::newRow("file name taken by a folder") << "folder";
        QTest::newRow("read-only folder") << "read-only";
    }
    void failedWriteIsReportedOnce()
    {
        QFETCH(QString, cause);
        const QString folder = dir.filePath("unwritable-" + cause);
        const QString target = folder + "/ZTA.ini";
        QDir(folder).removeRecursively();
        const auto breakWrites = [&] {
            if (cause == "missing")
                QDir(folder).removeRecursively();
            else if (cause == "folder")
                QFile::remove(target), QDir().mkpath(target);
            else
                makeReadOnly(folder);
        };
        const auto repair = [&] {
            if (cause == "missing")
                QDir().mkpath(folder);
            else if (cause == "folder")
                QDir(target).removeRecursively();
            else
                makeWritable(folder);
        };
        QVERIFY(QDir().mkpath(folder));
        IniFile ini(target);
        breakWrites();
        if (cause == "read-only" && QFile(folder + "/probe").open(QIODevice::WriteOnly)) {
            makeWritable(folder);
            QSKIP("this user may write into a read-only folder (root)");
        }
        QVERIFY(!ini.writeInteger("A", "x", 1));
        QVERIFY(!ini.writeString("B", "y", "z"));
        QCOMPARE(dialogs.messages.size(), 1);
        const QString message = dialogs.messages.first();
        QVERIFY2(message.startsWith("Не удалось записать файл настроек " + QDir::toNativeSeparators(target) + ":\n"),
                 qPrintable(message));
        QVERIFY2(!message.section(u'\n', 1, 1).trimmed().isEmpty(), "the system's reason");
        QCOMPARE(dialogs.icons.first(), ui::Icon::Error);

        repair();
        QVERIFY(ini.writeInteger("A", "x", 2));
        QCOMPARE(ini.readInteger("A", "x", 0), 2);
        breakWrites();
        QVERIFY(!ini.writeInteger("A", "x", 3));
        repair();
        QCOMPARE(dialogs.messages.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TstSettings)
#include "tst_settings.moc"
