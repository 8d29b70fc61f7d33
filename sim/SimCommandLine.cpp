#include "sim/SimCommandLine.h"

#include "sim/BenchModule.h"
#include "sim/LineDirectory.h"

#include <QCommandLineParser>

#include <type_traits>

namespace sim {

namespace {

std::optional<Module> moduleNamed(const QString& name)
{
    if (name == u"imr") return Module::Imr;
    if (name == u"usi") return Module::Usi;
    if (name == u"ipt") return Module::Ipt;
    if (name == u"meter") return Module::Meter;
    return std::nullopt;
}

// "kind" or "kind:number".
std::optional<FaultSpec> faultNamed(const QString& text)
{
    const QString kind = text.section(u':', 0, 0);
    const QString argument = text.section(u':', 1);
    bool numeric = true;
    const int number = argument.isEmpty() ? -1 : argument.toInt(&numeric);  // -1: none given
    if (!numeric || number == 0 || number < -1)
        return std::nullopt;
    FaultSpec f;
    if (kind == u"none" && argument.isEmpty())
        f.fault = Fault::None;
    else if (kind == u"silent" && argument.isEmpty())
        f.fault = Fault::Silent;
    else if (kind == u"crc" && argument.isEmpty())
        f.fault = Fault::BadCrc;
    else if (kind == u"wrongaddr" && argument.isEmpty())
        f.fault = Fault::WrongAddress;
    else if (kind == u"truncated" && argument.isEmpty())
        f.fault = Fault::Truncated;
    else if (kind == u"exception" && number <= 255) {
        f.fault = Fault::Exception;
        if (number > 0)
            f.exceptionCode = number;
    } else if (kind == u"slow") {
        f.fault = Fault::Slow;
        if (number > 0)
            f.slowMs = number;
    } else
        return std::nullopt;
    return f;
}

// "a,b": the boards in the two slots, each 0..3.
std::optional<std::array<int, 2>> slotKindsNamed(const QString& text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 2)
        return std::nullopt;
    std::array<int, 2> kinds{};
    for (int s = 0; s < 2; ++s) {
        bool ok = false;
        kinds[size_t(s)] = parts[s].trimmed().toInt(&ok);
        if (!ok || kinds[size_t(s)] < 0 || kinds[size_t(s)] > 3)
            return std::nullopt;
    }
    return kinds;
}

// "usi=9600": a bench module and a speed it can be set to.
bool assignModuleSpeed(const QString& text, std::array<int, 3>* codes)
{
    const std::optional<Module> module = moduleNamed(text.section(u'=', 0, 0));
    bool numeric = false;
    const int code = BenchModule::speedCodeOfBaud(text.section(u'=', 1).toInt(&numeric));
    if (!module || *module == Module::Meter || !numeric || code < 0 || text.count(u'=') != 1)
        return false;
    (*codes)[size_t(*module)] = code;
    return true;
}

}  // namespace

std::optional<FaultAssignment> parseFault(const QString& text, QString* error)
{
    const std::optional<Module> module = moduleNamed(text.section(u'=', 0, 0));
    const std::optional<FaultSpec> fault = faultNamed(text.section(u'=', 1));
    if (module && fault && text.count(u'=') == 1)
        return FaultAssignment{*module, *fault};
    if (error)
        *error = QStringLiteral("bad fault \"%1\": expected imr|usi|ipt|meter="
                                "none|silent|crc|wrongaddr|truncated|exception[:code]|slow[:ms]")
                     .arg(text);
    return std::nullopt;
}

template <typename T>
bool SimCommandLine::number(const QCommandLineParser& parser, const QCommandLineOption& option, T* target, T min, T max)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const QString text = parser.value(option);
    const T value = std::is_floating_point_v<T> ? T(text.toDouble(&ok)) : T(text.toInt(&ok));
    if (!ok || !(value >= min && value <= max)) {
        m_error = QStringLiteral("--%1 wants a number from %2 to %3").arg(option.names().first()).arg(min).arg(max);
        return false;
    }
    *target = value;
    return true;
}

SimCommandLine::Outcome SimCommandLine::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulated ZTA bench (ИМР, УСИ, ИПТ) and flow meter on two pseudo-terminal lines."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    const QCommandLineOption dir(QStringLiteral("dir"), QStringLiteral("Where the lines' stable names go (default %1).")
                                                            .arg(defaultLineDirectory()), QStringLiteral("path"));
    const QCommandLineOption imr(QStringLiteral("imr-addr"), QStringLiteral("Address of ИМР (1)."), QStringLiteral("n"));
    const QCommandLineOption usi(QStringLiteral("usi-addr"), QStringLiteral("Address of УСИ (2)."), QStringLiteral("n"));
    const QCommandLineOption ipt(QStringLiteral("ipt-addr"), QStringLiteral("Address of ИПТ (3)."), QStringLiteral("n"));
    const QCommandLineOption meter(QStringLiteral("meter-addr"), QStringLiteral("Address of the meter (1)."), QStringLiteral("n"));
    const QCommandLineOption type(QStringLiteral("meter-type"), QStringLiteral("Meter type: 0 to 6 (0)."), QStringLiteral("n"));
    const QCommandLineOption wire(QStringLiteral("wire-time"), QStringLiteral("Delay answers by their time on a real line."));
    const QCommandLineOption baud(QStringLiteral("baud"), QStringLiteral("Line speed for --wire-time (19200)."), QStringLiteral("n"));
    const QCommandLineOption executing(QStringLiteral("executing-ms"),
                                       QStringLiteral("How long ИМР commands stay executing (300)."), QStringLiteral("ms"));
    const QCommandLineOption calibration(QStringLiteral("calibration-ms"),
                                         QStringLiteral("How long the ИМР delay line calibration takes (20)."),
                                         QStringLiteral("ms"));
    const QCommandLineOption dt(QStringLiteral("dt"), QStringLiteral("True delay of the ИМР delay line, ns (97.3)."),
                                QStringLiteral("ns"));
    const QCommandLineOption noisy(QStringLiteral("noisy-record"),
                                   QStringLiteral("Make the calibration series 0 (without inversion) or 1 (with "
                                                  "inversion) noisy; -1 none (-1)."),
                                   QStringLiteral("n"));
    const QCommandLineOption autocirc(QStringLiteral("meter-autocirc"),
                                      QStringLiteral("The meter's number of autocirculations (256)."), QStringLiteral("n"));
    const QCommandLineOption meterError(QStringLiteral("meter-error"),
                                        QStringLiteral("The meter's error against the imitated flow, % (0)."),
                                        QStringLiteral("pct"));
    const QCommandLineOption noSignal(QStringLiteral("no-signal-channel"),
                                      QStringLiteral("Type 2: the channel, 1 or 2, that has no ultrasonic signal."),
                                      QStringLiteral("n"));
    const QCommandLineOption channels(QStringLiteral("channels"),
                                      QStringLiteral("Type 6: its number of measuring channels, 1 to 4 (4)."),
                                      QStringLiteral("n"));
    const QCommandLineOption slotKinds(QStringLiteral("slot-kinds"),
                                       QStringLiteral("Type 6: the boards in its two output slots, 0 empty, "
                                                      "1 universal, 2 current, 3 discrete (2,0)."),
                                       QStringLiteral("a,b"));
    const QCommandLineOption slotError(QStringLiteral("slot-error"),
                                       QStringLiteral("Type 6: its current boards' error at 20 mA, % (0)."),
                                       QStringLiteral("pct"));
    const QCommandLineOption slotIpt(QStringLiteral("slot-ipt-channel"),
                                     QStringLiteral("The ИПТ channel the meter's current output is wired to, "
                                                    "1 to 4 (1)."),
                                     QStringLiteral("n"));
    const QCommandLineOption iptOutOfLimits(QStringLiteral("ipt-out-of-limits"),
                                            QStringLiteral("The ИПТ channel, 1 to 4, whose response lies outside the "
                                                           "calibration's limits; none by default."),
                                            QStringLiteral("n"));
    const QCommandLineOption fault(QStringLiteral("fault"),
                                   QStringLiteral("Inject a fault, repeatable: module=kind, module imr|usi|ipt|meter, "
                                                  "kind none|silent|crc|wrongaddr|truncated|exception[:code]|slow[:ms]; "
                                                  "wrongaddr answers from the next address, truncated answers "
                                                  "reads two data bytes short."),
                                   QStringLiteral("module=kind"));
    const QCommandLineOption moduleSpeed(QStringLiteral("module-speed"),
                                         QStringLiteral("The speed a bench module is set to, repeatable: module=baud, "
                                                        "module imr|usi|ipt, baud 1200|2400|4800|9600|19200 (19200). "
                                                        "A module hears only requests sent at its own speed."),
                                         QStringLiteral("module=baud"));
    const QCommandLineOption lineSpeed(QStringLiteral("line-speed"),
                                       QStringLiteral("The bench line's speed when the port does not show it (a relay "
                                                      "between the program and the simulator); 0: every module hears "
                                                      "every speed (0)."),
                                       QStringLiteral("baud"));
    parser.addOptions({help, dir, imr, usi, ipt, meter, type, wire, baud, executing, calibration, dt, noisy, autocirc,
                       meterError, noSignal, channels, slotKinds, slotError, slotIpt, iptOutOfLimits, fault,
                       moduleSpeed, lineSpeed});
    m_help = parser.helpText();

    if (!parser.parse(arguments)) {
        m_error = parser.errorText();
        return Outcome::Error;
    }
    if (parser.isSet(help))
        return Outcome::Help;
    if (!parser.positionalArguments().isEmpty()) {
        m_error = QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first());
        return Outcome::Error;
    }

    Options& o = m_setup.options;
    // Each number within its range; the first one out of range stops the parse.
    const bool numbersValid =
        number(parser, imr, &o.imrAddress, 0, 247) && number(parser, usi, &o.usiAddress, 0, 247)
        && number(parser, ipt, &o.iptAddress, 0, 247) && number(parser, meter, &o.meterAddress, 0, 247)
        && number(parser, type, &o.meterType, 0, 6) && number(parser, baud, &o.baud, 300, 1000000)
        && number(parser, executing, &o.executingMs, 0, 60000) && number(parser, calibration, &o.calibrationMs, 0, 60000)
        && number(parser, dt, &o.delayNs, 1.0, 1000.0) && number(parser, noisy, &o.noisyRecord, -1, 1)
        && number(parser, autocirc, &o.meterAutocirculations, 1, 65535)
        && number(parser, meterError, &o.meterErrorPct, -50.0, 50.0)
        && number(parser, noSignal, &o.noSignalChannel, 1, 2) && number(parser, channels, &o.channels, 1, 4)
        && number(parser, slotError, &o.slotErrorPct, -50.0, 50.0) && number(parser, slotIpt, &o.slotIptChannel, 1, 4)
        && number(parser, iptOutOfLimits, &o.iptOutOfLimits, 1, 4)
        && number(parser, lineSpeed, &o.lineSpeed, 0, 1000000);
    if (!numbersValid)
        return Outcome::Error;
    if (parser.isSet(slotKinds)) {
        const std::optional<std::array<int, 2>> kinds = slotKindsNamed(parser.value(slotKinds));
        if (!kinds) {
            m_error = QStringLiteral("--slot-kinds wants two slot kinds from 0 to 3, like 2,0");
            return Outcome::Error;
        }
        o.slotKinds = *kinds;
    }
    for (const QString& text : parser.values(moduleSpeed)) {
        if (!assignModuleSpeed(text, &o.moduleSpeedCodes)) {
            m_error = QStringLiteral("bad module speed \"%1\": expected imr|usi|ipt=1200|2400|4800|9600|19200").arg(text);
            return Outcome::Error;
        }
    }
    o.directory = parser.value(dir);
    o.wireTime = parser.isSet(wire);
    for (const QString& text : parser.values(fault)) {
        const std::optional<FaultAssignment> f = parseFault(text, &m_error);
        if (!f)
            return Outcome::Error;
        m_setup.faults.append(*f);
    }
    return Outcome::Run;
}

}  // namespace sim
