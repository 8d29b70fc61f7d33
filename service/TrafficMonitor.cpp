#include "service/TrafficMonitor.h"

#include "service/TrafficText.h"
#include "ui/model/Dialogs.h"
#include "ui/model/UserError.h"

#include <QDateTime>
#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

namespace service {

namespace {

constexpr int MaxAddress = 247;

const QString BenchName = QStringLiteral("ЗТА");
const QString MeterName = QStringLiteral("Расходомер");

// "" (every address) or a Modbus address; anything else is refused with its reason.
std::optional<int> addressOf(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const int address = t.toInt(&ok);
    if (!ok || address < 0 || address > MaxAddress)
        throw ui::UserError(QStringLiteral("Адрес «%1» не подходит: нужно число от 0 до %2 или пусто для всех адресов")
                                .arg(t)
                                .arg(MaxAddress));
    return address;
}

QString suggestedPath()
{
    const QString name = QStringLiteral("Обмен_%1.txt")
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss")));
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(name);
}

}  // namespace

TrafficMonitor::TrafficMonitor(comm::MBComMaster& bench, comm::MBComMaster& meter, int capacity)
    : m_log(capacity), m_recorder(m_log)
{
    m_recorder.addLine(bench, BenchName);
    m_recorder.addLine(meter, MeterName);
    form.LblColumns.setCaption(trafficHeader());
    form.onShow = [this] { formShow(); };
    form.onHide = [this] { formHide(); };
    form.BtnPause.onClick = [this] { BtnPauseClick(); };
    form.BtnClear.onClick = [this] { BtnClearClick(); };
    form.CbxLine.onChange = [this] { CbxLineChange(); };
    form.EdtAddress.onKeyPress = [](QChar& key) {
        if (!key.isDigit() && key != QChar(8))
            key = QChar(0);
    };
    form.EdtAddress.onChange = [this] { EdtAddressChange(); };
    form.BtnSave.onClick = [this] { BtnSaveClick(); };
    form.TmrShow.onTimer = [this] { showNew(); };
    showState();
}

void TrafficMonitor::show()
{
    form.show();
}

void TrafficMonitor::formShow()
{
    m_recorder.start();
    form.TmrShow.setRunning(true);
    showNew();
}

void TrafficMonitor::formHide()
{
    m_recorder.stop();
    form.TmrShow.setRunning(false);
}

void TrafficMonitor::BtnPauseClick()
{
    showNew();
    m_recorder.setPaused(!m_recorder.isPaused());
    form.BtnPause.setCaption(m_recorder.isPaused() ? QStringLiteral("Продолжить") : QStringLiteral("Пауза"));
    showState();
}

void TrafficMonitor::BtnClearClick()
{
    m_log.clear();
    m_shownUpTo = m_log.added();
    form.MemoTraffic.clear();
    showState();
}

void TrafficMonitor::CbxLineChange()
{
    switch (form.CbxLine.itemIndex()) {
    case ui::forms::TrafficForm::BenchLine: m_filter.line = BenchName; break;
    case ui::forms::TrafficForm::MeterLine: m_filter.line = MeterName; break;
    default: m_filter.line.clear(); break;
    }
    showAll();
}

void TrafficMonitor::EdtAddressChange()
{
    m_filter.address = addressOf(form.EdtAddress.text());
    showAll();
}

void TrafficMonitor::BtnSaveClick()
{
    showNew();
    const std::optional<QString> path = ui::dialogs().chooseSaveFile(
        QStringLiteral("Сохранить обмен по линиям связи"), suggestedPath(), QStringLiteral("Текстовые файлы (*.txt)"));
    if (!path)
        return;
    QString text = trafficHeader() + QLatin1Char('\n');
    for (const QString& line : form.MemoTraffic.lines())
        text += line + QLatin1Char('\n');
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        throw ui::UserError(QStringLiteral("Не удалось сохранить обмен в файл %1:\n%2")
                                .arg(QDir::toNativeSeparators(*path), file.errorString()));
}

void TrafficMonitor::showNew()
{
    if (form.MemoTraffic.lines().size() > m_log.capacity() + m_log.capacity() / 5) {
        showAll();
        return;
    }
    for (int i = m_log.since(m_shownUpTo); i < m_log.size(); ++i)
        if (m_filter.accepts(m_log.at(i)))
            form.MemoTraffic.add(trafficLine(m_log.at(i)));
    m_shownUpTo = m_log.added();
    showState();
}

void TrafficMonitor::showAll()
{
    form.MemoTraffic.clear();
    m_shownUpTo = 0;
    showNew();
}

void TrafficMonitor::showState()
{
    form.LblState.setCaption(m_recorder.isPaused() ? QStringLiteral("Пауза, пропущено обменов: %1").arg(m_recorder.missed())
                                                   : QStringLiteral("Показано обменов: %1").arg(form.MemoTraffic.lines().size()));
}

}  // namespace service
