// How long the start-up reading and the confirming write of the meter type catalogue take
// for a catalogue of a given size, and how a corrupt "Count" is met at start.
//
//   settings_load [entries=1000] [rounds=5]
//
// Each figure is the median of the rounds, in milliseconds.
#include "meter/MProFrm.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"
#include "ui/model/Dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Messages are counted, everything else is declined.
class SilentDialogs : public ui::Dialogs {
public:
    SilentDialogs() { ui::Dialogs::install(this); }
    ~SilentDialogs() override { ui::Dialogs::install(nullptr); }
    void message(const QString&, ui::Icon, const QString&) override { ++messages; }
    bool confirm(const QString&, const QString&) override { return false; }
    ui::ModalResult showModal(ui::Form&) override { return ui::ModalResult::Cancel; }
    std::optional<ui::Color> chooseColor(ui::Color) override { return std::nullopt; }
    std::optional<ui::Font> chooseFont(const std::optional<ui::Font>&) override { return std::nullopt; }
    QSize screenSize() const override { return {1280, 1024}; }
    void beep() override {}
    int messages = 0;
};

// A settings file as an installation has it: channels, addresses, a catalogue of `entries`
// types (Cyrillic names) and window positions, written as `count`.
QByteArray settingsFile(int entries, qint64 count)
{
    QByteArray text = "[ZTA]\r\nComm Port=/dev/ttyUSB0\r\nInterval=20\r\nBaud Rate=19200\r\nLink Type=1\r\n"
                      "Receive Delay=500\r\nError Retriers=5\r\n\r\n[ZTA Address]\r\nIMR=1\r\nUSI=2\r\nIPT=3\r\n"
                      "Pribors=0\r\n\r\n[List]\r\nCount="
                      + QByteArray::number(count) + "\r\n";
    for (int n = 1; n <= entries; ++n) {
        const QByteArray i = QByteArray::number(n);
        text += "Name" + i + "=" + QStringLiteral("Расходомер ДТК-%1").arg(n).toUtf8() + "\r\nRegAC" + i + "=" + i
                + "\r\nRegQ" + i + "=" + QByteArray::number(n + 100) + "\r\nRegV" + i + "=" + QByteArray::number(n + 200)
                + "\r\n";
    }
    text += "\r\n[Form]\r\nleft=10\r\ntop=20\r\n";
    return text;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

double medianMs(int rounds, const std::function<void()>& prepare, const std::function<void()>& run)
{
    std::vector<double> ms;
    for (int r = 0; r < rounds; ++r) {
        prepare();
        QElapsedTimer t;
        t.start();
        run();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int entries = args.size() > 1 ? args[1].toInt() : 1000;
    const int rounds = args.size() > 2 ? args[2].toInt() : 5;

    QTemporaryDir dir;
    settings::setSettingsDirectory(dir.path());
    const QString path = settings::ztaIniPath();
    SilentDialogs dialogs;
    bench::Modules modules;
    QTextStream out(stdout);

    const QByteArray file = settingsFile(entries, entries);
    const auto freshFile = [&] { writeFile(path, file); };
    out << "catalogue of " << entries << " entries, " << file.size() << " bytes, median of " << rounds << " rounds" << Qt::endl;

    meter::TMProFrm catalogue(modules);
    // Each start reads a copy of its own, as a new process would: nothing of it is known yet.
    int copy = 0;
    const auto copyDir = [&](int n) { return dir.filePath(QStringLiteral("start%1").arg(n)); };
    const auto writeCopy = [&](int n) {
        QDir().mkpath(copyDir(n));
        writeFile(copyDir(n) + QStringLiteral("/ZTA.ini"), file);
    };
    const auto startFromNextCopy = [&] {
        settings::setSettingsDirectory(copyDir(copy++));
        catalogue.readINI();
    };
    out << "  start-up read, file written just now: "
        << medianMs(rounds, [&] { writeCopy(copy); }, startFromNextCopy) << " ms" << Qt::endl;
    // As at an ordinary start, the file was last written a while ago.
    for (int r = 0; r < rounds; ++r)
        writeCopy(copy + r);
    QThread::msleep(2500);
    out << "  start-up read, file written earlier:  " << medianMs(rounds, [] {}, startFromNextCopy) << " ms"
        << Qt::endl;
    settings::setSettingsDirectory(dir.path());

    out << "  confirm, nothing changed (writeIni):  "
        << medianMs(rounds, [&] { freshFile(); catalogue.readINI(); }, [&] { catalogue.writeIni(); }) << " ms" << Qt::endl;
    out << "  confirm, every name changed:          "
        << medianMs(
               rounds,
               [&] {
                   freshFile();
                   catalogue.readINI();
                   for (auto& p : catalogue.Prib)
                       p.Name += u'*';
               },
               [&] { catalogue.writeIni(); })
        << " ms" << Qt::endl;
    out << "  confirm, one entry added:             "
        << medianMs(
               rounds,
               [&] {
                   freshFile();
                   catalogue.readINI();
                   catalogue.Prib.append(meter::TPribor{});
                   catalogue.CPrib = catalogue.Prib.size();
               },
               [&] { catalogue.writeIni(); })
        << " ms" << Qt::endl;

    if (args.contains(QStringLiteral("--corrupt"))) {
        for (const qint64 count : {qint64(100000), qint64(2000000000)}) {
            dialogs.messages = 0;
            const QByteArray corrupt = settingsFile(entries, count);
            out << "  start-up read, Count=" << count << ":  "
                << medianMs(1, [&] { writeFile(path, corrupt); }, [&] { catalogue.readINI(); }) << " ms, "
                << catalogue.CPrib << " entries read, " << dialogs.messages << " message(s)" << Qt::endl;
        }
    }
    return 0;
}
