// zta-tour OUTPUT_DIR [METER_ERROR_PCT [METER_TYPE]]: the operator's path through the real windows
// against the simulated bench, with a picture of each window on the way — for looking at the
// screens as an operator sees them during a run (under Xvfb, or on the offscreen platform). With
// meter type 2 or 6 the tour ends in that type's settings windows.
#include "link/rtu/RtuComMaster.h"
#include "link/rtu/TimerPrecision.h"
#include "meter/MeterTypes.h"
#include "ui/app/MainFrm.h"
#include "shell/TargetTask.h"
#include "shell/settings/ChannelSettings.h"
#include "shell/settings/SettingsLocation.h"
#include "sim/Simulator.h"
#include "ui/qt/Appearance.h"
#include "ui/qt/FormWindow.h"
#include "ui/qt/WindowManager.h"
#include "ui/qt/screens/SilentDialogs.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QScreen>
#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <optional>

namespace {

// Silent dialogs whose modal forms and colour choices are answered by the tour.
class TourDialogs : public ui::qt::SilentDialogs {
public:
    std::function<void(ui::Form&)> onModal;
    std::optional<ui::Color> colour;
    std::optional<ui::Color> chooseColor(ui::Color) override { return colour; }
    ui::ModalResult showModal(ui::Form& form) override
    {
        form.modalResult = ui::ModalResult::Cancel;
        form.show();
        if (onModal)
            onModal(form);
        form.hide();
        return form.modalResult;
    }
};

bool waitFor(const std::function<bool()>& done, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return done();
}

void settle(int ms)
{
    waitFor([] { return false; }, ms);
}

}  // namespace

int main(int argc, char** argv)
{
    comm::rtu::usePreciseTimers();
    QApplication app(argc, argv);
    ui::qt::applyApplicationLook(app);
    const QStringList args = QApplication::arguments();
    const QDir out(args.value(1, QStringLiteral("tour")));
    out.mkpath(QStringLiteral("."));

    QTemporaryDir simDir, settingsDir;
    sim::Options o;
    o.directory = simDir.path();
    o.wireTime = true;
    o.meterErrorPct = args.value(2, QStringLiteral("0.3")).toDouble();
    const int meterType = args.value(3, QStringLiteral("0")).toInt();
    o.meterType = meterType;
    sim::Simulator simulator(o);
    QString error;
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(error));
        return 1;
    }
    settings::setSettingsDirectory(settingsDir.path());
    {
        settings::IniFile ini(settings::ztaIniPath());
        settings::ChannelSettings channel;
        channel.answerDelay = 200;
        channel.retries = 1;
        channel.port = simulator.benchPort();
        channel.write(ini, "ZTA");
        channel.port = simulator.meterPort();
        channel.write(ini, "PRIBOR");
    }

    TourDialogs dialogs;
    ui::Dialogs::install(&dialogs);
    ui::qt::WindowManager windows;
    int failures = 0;
    {
        app::TMainFrm main([](const char*) { return std::make_unique<comm::RtuComMaster>(); });
        windows.manage(main.form);
        for (ui::Form* f : main.secondaryForms())
            windows.manage(*f);
        main.form.show();
        auto shoot = [&](ui::Form& form, const QString& name) {
            settle(300);
            const QString path = out.filePath(name + QStringLiteral(".png"));
            const bool saved = windows.windowOf(form).grab().save(path);
            std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
            failures += !saved;
        };
        auto& cfg = main.form.config;
        cfg.BtnConnect.click();
        cfg.BtnConnect1.click();
        waitFor([&] { return main.ctx.bench.connected && main.ctx.meter.connected; }, 10000);
        cfg.BitBtn5.click();
        waitFor([&] { return cfg.BitBtn5.isEnabled(); }, 30000);
        cfg.cbxprib.select(meterType);
        shoot(main.form, QStringLiteral("config"));

        // The traffic window during a second module search: both lines' exchanges as they happen.
        main.form.mnuTraffic.click();
        QTimer::singleShot(2000, [&] { shoot(main.trafficMonitor.form, QStringLiteral("traffic")); });
        cfg.BitBtn5.click();
        waitFor([&] { return cfg.BitBtn5.isEnabled(); }, 30000);
        main.trafficMonitor.form.hide();

        // The operator's colours: the pop-up recolours the control the mouse passed over last.
        dialogs.colour = ui::Color(0x00C0FFFF);
        main.form.mouseMoved(&cfg.Edit4);
        main.form.N1.click();
        main.form.mouseMoved(&cfg.GbPrib);
        dialogs.colour = ui::Color(0x00E0F0D0);
        main.form.N1.click();
        main.form.mouseMoved(nullptr);  // the window itself
        dialogs.colour = ui::Color(0x00F0E8E0);
        main.form.N1.click();
        shoot(main.form, QStringLiteral("config-recoloured"));

        // The pop-up menu over the group box, as a right click opens it: a shot of the screen,
        // since the menu is a window of its own.
        {
            QWidget& window = windows.windowOf(main.form);
            QWidget* box = windows.windowOf(main.form).widgetOf(&cfg.GbPrib);
            const QPoint inside(40, 30);
            QContextMenuEvent click(QContextMenuEvent::Mouse, inside, box->mapToGlobal(inside));
            QApplication::sendEvent(box, &click);
            settle(300);
            const QRect area = window.frameGeometry().adjusted(0, 0, 200, 0);
            const QString path = out.filePath(QStringLiteral("colour-popup.png"));
            const bool saved = QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(),
                                                                             area.height()).save(path);
            std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
            failures += !saved;
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        }
        main.form.N2.click();  // back to the designed colours

        // Flow imitation at 13 m3/h with the statistics window.
        main.form.pc.setActivePage(&main.form.imitQ.TSImitQ);
        main.form.imitQ.RGPoint.setItemIndex(1);
        main.form.imitQ.btnImit.click();
        main.form.imitQ.SpeedButton3.click();
        main.calcFrm.form.btnStart.click();
        settle(4000);
        shoot(main.form, QStringLiteral("flow-imitation"));
        shoot(main.calcFrm.form, QStringLiteral("statistics"));
        // The trend through a point change from 13 to 30 m3/h.
        main.form.imitQ.RGPoint.select(2);
        settle(20000);
        shoot(main.calcFrm.form, QStringLiteral("statistics-trend"));
        main.form.imitQ.btnImit.click();

        // Volume accumulation of 1 m3 at 30 m3/h, seen a few seconds into the run.
        dialogs.onModal = [&](ui::Form& form) {
            shoot(form, QStringLiteral("volume-parameters"));
            main.ImVOFrm.form.RGPoint.setItemIndex(2);
            main.ImVOFrm.form.EdtV.setText(QStringLiteral("1"));
            main.ImVOFrm.form.BitBtn1.click();
        };
        main.form.pc.setActivePage(&main.form.imitV.TSImitV);
        main.form.imitV.Button5.click();
        main.form.usiGroup.ChbCnt1.click();
        main.form.imitV.BtnQStart.click();
        settle(5000);
        shoot(main.form, QStringLiteral("volume-accumulation"));
        shoot(main.calcFrm.form, QStringLiteral("statistics-volume"));
        main.form.imitV.BtnQStop.click();

        // An automatic verification at 5, 20 and 40 m3/h with short times, started from the page
        // "Протокол": its points and parameters, the run window half-way, then the protocol. The
        // multi-channel meter reads its flow only once a channel is chosen, later in the tour.
        if (main.ctx.Pribor.RegQ != -1 && meterType != meter::TypeMultiChannel) {
            {
                settings::IniFile ini(settings::ztaIniPath());
                verification::VerificationParameters{3000, 3, 1000, 2000, 0.25, {5, 20, 40}}.write(ini);
            }
            auto& page = main.form.protocol;
            main.form.pc.setActivePage(&page.TS4);
            page.BtnPoints.click();
            shoot(main.Form18.form, QStringLiteral("verification-points"));
            main.Form18.form.BitBtn1.click();
            page.Button12.click();
            shoot(main.ParATFrm.form, QStringLiteral("verification-parameters"));
            main.ParATFrm.form.BitBtn2.click();
            page.BtnAutoVerification.click();
            auto& run = main.autoVerificationWindow.form;
            run.EdtSerial.setText(QStringLiteral("1024-17"));
            run.EdtOwner.setText(QStringLiteral("МУП \"Теплосеть\""));
            run.EdtOperator.setText(QStringLiteral("Петров П. П."));
            run.BtnStart.click();
            waitFor([&] { return run.LblProgress.caption().startsWith(QStringLiteral("Точка 2")); }, 60000);
            shoot(main.form, QStringLiteral("protocol-page"));
            shoot(run, QStringLiteral("auto-verification"));
            auto& protocol = main.autoVerificationWindow.protocolForm;
            waitFor([&] { return protocol.isVisible(); }, 120000);
            shoot(run, QStringLiteral("auto-verification-finished"));
            shoot(protocol, QStringLiteral("protocol"));
            protocol.Button13.click();  // PDF and CSV into the protocols' folder
            protocol.BtnClose.click();
            run.hide();
        }

        // The bench's own verification pages, the counter and current groups on their pages there.
        shell::applyLayout(main.form, shell::LayoutBench);
        main.form.pc.setActivePage(&main.form.usi.TsUSI);
        shoot(main.form, QStringLiteral("counter-page"));
        main.form.pc.setActivePage(&main.form.ipt.TSIpt);
        main.form.iptGroup.ChbTok.click();
        settle(2500);
        shoot(main.form, QStringLiteral("current-page"));
        main.form.iptGroup.ChbTok.click();
        main.form.pc.setActivePage(&main.form.poverQ.TSPoverQ);
        main.form.poverQ.BtnStartPover.click();
        main.form.poverQ.RGNepr.select(1);
        shoot(main.form, QStringLiteral("flow-verification"));
        main.form.poverQ.BtnStopPover.click();
        main.form.pc.setActivePage(&main.form.poverV.TSPoverV);
        main.form.poverV.BtnQ2Start.click();
        settle(3000);
        shoot(main.form, QStringLiteral("volume-verification"));
        main.form.poverV.BtnQ2Stop.click();
        main.calcFrm.form.hide();

        if (meterType == meter::TypeSingleWindow) {
            cfg.BtnSetup.click();
            auto& single = main.FlowMeterForm.form;
            single.rgCanal.select(1);
            single.chbImit.click();
            single.Button6.click();  // "Считать"
            settle(3000);
            shoot(single, QStringLiteral("meter-type2"));
        }
        if (meterType == meter::TypeMultiChannel) {
            cfg.BtnSetup.click();
            auto& multi = main.FlowMeterFormKS.form;
            waitFor([&] { return multi.RgCanal.items().size() > 0; }, 10000);
            multi.RgCanal.select(0);
            multi.Button6.click();  // "Считать"
            waitFor([&] { return multi.BtnSetup.isEnabled(); }, 10000);
            settle(2000);
            shoot(multi, QStringLiteral("meter-type6"));
            multi.BtnSetup.click();
            main.KsForm1.form.Button2.click();  // "Считать": the slot kinds
            settle(1000);
            shoot(main.KsForm1.form, QStringLiteral("slots"));
            // The calibration runs inside the click; the picture is taken at its second point.
            main.KsForm1.calibration(0).form.Timer.setInterval(100);
            QTimer::singleShot(1500, [&] { shoot(main.KsForm1.calibration(0).form, QStringLiteral("calibration")); });
            main.KsForm1.form.btnCalib1.click();
        }

        // The dialogs of the configuration page, the service pages and the restore of the modules'
        // settings. The restore leaves the bench line closed and the modules at 9600 baud, so it
        // comes last.
        {
            main.form.pc.setActivePage(&cfg.TsConfig);
            cfg.btnCanal.click();
            shoot(main.CanalFrm.form, QStringLiteral("channel-settings"));
            cfg.btnCanal.click();

            dialogs.onModal = [&](ui::Form& form) { shoot(form, QStringLiteral("target-task")); };
            cfg.BBnTarger.click();  // closed by the tour's "Отмена": the layout stays
            dialogs.onModal = nullptr;

            cfg.sg.selectRow(1);
            cfg.BtnPropZTA.click();
            shoot(main.PropertyFrm.form, QStringLiteral("module-properties"));
            main.PropertyFrm.form.Button1.click();

            main.form.mnuServicePages.click();
            main.form.imr.Button29.click();  // the delay line calibration runs inside the click
            shoot(main.form, QStringLiteral("imr-tuning"));
            main.form.pc.setActivePage(&main.form.ipt2.tsIPT2);
            main.form.ipt2.RgCanal.select(0);
            main.form.iptGroup.ChbTok.click();
            settle(2500);
            shoot(main.form, QStringLiteral("ipt-usi-tuning"));
            main.form.iptGroup.ChbTok.click();

            main.form.asd1.click();
            main.FrmInit.form.Button1.click();  // five line speeds in turn, inside the click
            shoot(main.FrmInit.form, QStringLiteral("restore-settings"));
            main.FrmInit.form.Button2.click();
        }
    }
    ui::Dialogs::install(nullptr);
    return failures == 0 ? 0 : 1;
}
