#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace cli {

namespace {

constexpr auto Name = "zta-monitor";

// What --help adds below the options: where the settings are, how to trace the lines.
QString helpEpilogue()
{
    return QStringLiteral(
        "\n"
        "Файлы настроек:\n"
        "  ZTA.ini (каналы связи, адреса, каталог приборов) и color.ini (цвета и шрифты окна)\n"
        "  лежат рядом с программой; если в её папку нельзя писать — в ~/.config/zta-monitor/.\n"
        "\n"
        "Трассировка обменов по линиям (одна строка на обмен: время, QID, адрес, функция,\n"
        "регистр, количество, Result, длительность в мс, байты запроса и ответа):\n"
        "  QT_LOGGING_RULES=\"zta.link.bench.debug=true\" %1   линия стенда\n"
        "  QT_LOGGING_RULES=\"zta.link.meter.debug=true\" %1   линия прибора\n"
        "  QT_LOGGING_RULES=\"zta.link.*.debug=true\" %1 2> trace.log   обе линии в файл\n")
        .arg(QLatin1String(Name));
}

}  // namespace

std::optional<int> answerInformationOptions(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Программа оператора стенда поверки ультразвуковых расходомеров ЗТА-01."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Показать эту справку и выйти."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Показать версию программы и выйти."));
    parser.addOption(help);
    parser.addOption(version);
    // Errors are Qt's options, which this parser does not know; QApplication takes them.
    parser.parse(arguments);

    if (parser.isSet(version)) {
        std::printf("%s %s\n", Name, ZTA_VERSION);
        return 0;
    }
    if (parser.isSet(help)) {
        const QCoreApplication app(argc, argv);  // the usage line names the program from it
        std::printf("%s", qPrintable(parser.helpText() + helpEpilogue()));
        return 0;
    }
    return std::nullopt;
}

}  // namespace cli
