// The INI reader against random and damaged files: it never crashes or hangs, a file without
// any "key=value" reads as all defaults, and a value written into any file reads back.
#include "../support/ScriptedDialogs.h"
#include "shell/settings/ChannelSettings.h"
#include "shell/settings/ColorFile.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/IniText.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

// A settings file as an installation has it.
QByteArray typicalFile()
{
    return QString("[ZTA]\r\nComm Port=COM1\r\nInterval=20\r\nBaud Rate=19200\r\nLink Type=0\r\nReceive Delay=500\r\n"
                   "Error Retriers=5\r\n\r\n[ZTA Address]\r\nIMR=1\r\nUSI=2\r\nIPT=3\r\nPribors=1\r\n\r\n[List]\r\n"
                   "Count=2\r\nName1=ДТК-300Т\r\nRegAC1=5\r\nRegQ1=10\r\nRegV1=12\r\nName2=КС-2\r\nRegAC2=0\r\n"
                   "RegQ2=3\r\nRegV2=4\r\n\r\n[Color]\r\ncount=1\r\nname1=PnlUsi1\r\ncolor1=255\r\n")
        .toUtf8();
}

class Mutator {
public:
    explicit Mutator(quint32 seed) : m_rng(seed) {}

    QByteArray next()
    {
        QByteArray f = base();
        const int steps = int(m_rng.bounded(1, 6));
        for (int i = 0; i < steps; ++i)
            mutate(f);
        return f;
    }

private:
    int pick(int n) { return int(m_rng.bounded(n)); }
    int at(const QByteArray& f) { return f.isEmpty() ? 0 : pick(int(f.size()) + 1); }

    QByteArray randomBytes(int n)
    {
        QByteArray b(n, '\0');
        for (char& c : b)
            c = char(m_rng.bounded(256));
        return b;
    }

    QByteArray base()
    {
        switch (pick(4)) {
        case 0: return randomBytes(pick(4000));
        case 1: {
            QStringEncoder cp1251("windows-1251");
            return cp1251.encode(QString::fromUtf8(typicalFile()));
        }
        default: return typicalFile();
        }
    }

    void mutate(QByteArray& f)
    {
        static const QByteArray pieces[] = {
            "[", "]", "=", "\r", "\n", "\r\n", ";", "[List", "List]", "=value\r\n", "Count=2000000000\r\n",
            "count=-2147483649\r\n", "RegAC1=99999999999999999999\r\n", "\xd0", "\xff\xfe", "\xe2\x82", "\x00\x00",
            "[Color]\r\ncount=2147483647\r\n", "[Font]\r\ncount=1000000\r\n"};
        switch (pick(7)) {
        case 0: f.insert(at(f), pieces[pick(std::size(pieces))]); break;
        case 1:
            if (!f.isEmpty())
                f[pick(int(f.size()))] = char(m_rng.bounded(256));
            break;
        case 2: f.insert(at(f), QByteArray(pick(30) == 0 ? 1 << 20 : pick(70000), pick(2) ? 'x' : '\0')); break;
        case 3: f.replace("\r\n", "\r"); break;
        case 4: f.replace("\r\n", "\n"); break;
        case 5: f.truncate(at(f)); break;
        case 6: f.remove(at(f), pick(40)); break;
        }
    }

    QRandomGenerator m_rng;
};

}  // namespace

class TstIniFuzz : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    QString path() const { return dir.filePath(QStringLiteral("ZTA.ini")); }

    // Removed first: ext4 flushes a file truncated and written again at once, which is slow.
    void put(const QByteArray& bytes)
    {
        QFile::remove(path());
        QFile f(path());
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }

private Q_SLOTS:
    void damagedFiles()
    {
        Mutator files(20240611);
        for (int n = 0; n < 3000; ++n) {
            const QByteArray content = files.next();
            put(content);
            if (QTest::currentTestFailed())
                return;
            const QString where = QStringLiteral("file %1 of the fixed seed").arg(n);
            settings::IniFile ini(path());

            // Everything the program reads at start, as it reads it.
            const auto channel = settings::ChannelSettings::read(ini, "ZTA");
            ini.readInteger("List", "Count", 0);
            const settings::ColorFile colors(path());
            colors.colors();
            colors.fonts();
            if (!content.contains('=')) {
                const settings::ChannelSettings defaults;
                QVERIFY2(channel.port == defaults.port && channel.interval == defaults.interval
                             && channel.retries == defaults.retries,
                         qPrintable(where));
                QVERIFY2(ini.readInteger("List", "Count", -7) == -7, qPrintable(where));
            }

            // The kept file reads as the file itself does.
            const settings::IniText fresh = settings::IniText::parse(content);
            for (const char* key : {"Comm Port", "Count", "Name1", "IMR", "count"})
                for (const char* section : {"ZTA", "List", "ZTA Address", "Color"})
                    QVERIFY2(ini.readString(section, key, "-") == fresh.value(section, key).value_or("-"),
                             qPrintable(where));

            // A value written into whatever was there reads back, and so do the ones before it.
            // (Every 25th file: each write is synced to disk, which takes long.)
            if (n % 25 != 0)
                continue;
            const QString before = ini.readString("ZTA", "Comm Port", "-");
            QVERIFY2(ini.writeInteger("List", "Count", n), qPrintable(where));
            QVERIFY2(ini.readInteger("List", "Count", -1) == n, qPrintable(where));
            QVERIFY2(settings::IniFile(path()).readString("ZTA", "Comm Port", "-") == before, qPrintable(where));
        }
        QVERIFY(dialogs.messages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstIniFuzz)
#include "tst_ini_fuzz.moc"
