#include "ui/forms/MainForm.h"

namespace ui::forms {

namespace {
constexpr int kWidth = 792;
constexpr int kStripHeight = 20;
constexpr int kPagesHeight = ui::forms::MainForm::NormalHeight - 2 * kStripHeight;
}  // namespace

MainForm::MainForm()
    : ui::Form("MainFrm"),
      mnuDevices(this, "mnuDevices", nullptr),
      CTRLK1(this, "CTRLK1", &mnuDevices),
      CTRLP1(this, "CTRLP1", &mnuDevices),
      mnuService(this, "mnuService", nullptr),
      mnuServicePages(this, "mnuServicePages", &mnuService),
      asd1(this, "asd1", &mnuService),
      mnuTraffic(this, "mnuTraffic", &mnuService),
      mnuHelp(this, "mnuHelp", nullptr),
      N9(this, "N9", &mnuHelp),
      ppmColor(this, "ppmColor", nullptr),
      N1(this, "N1", &ppmColor),
      N3(this, "N3", &ppmColor),
      N2(this, "N2", &ppmColor),
      ConnectZTA(this, "ConnectZTA", QStringLiteral("Ctrl+K")),
      ConnectPrib(this, "ConnectPrib", QStringLiteral("Ctrl+P")),
      StatusBar(this, "StatusBar", nullptr),
      pc(this, "pc", nullptr),
      config(this, &pc),
      imitQ(this, &pc),
      imitV(this, &pc),
      poverQ(this, &pc),
      poverV(this, &pc),
      ipt(this, &pc),
      usi(this, &pc),
      imr(this, &pc),
      ipt2(this, &pc),
      protocol(this, &pc),
      iptGroup(this, &imitQ.TSImitQ),
      usiGroup(this, &imitV.TSImitV),
      Label84(this, "Label84", nullptr),
      SB(this, "SB", nullptr),
      Timer1(this, "Timer1", 1000)
{
    setCaption(QStringLiteral("Монитор Тервало ЗТА-01"));
    border = ui::Border::Fixed;
    setGeometry(QRect(120, 80, kWidth, NormalHeight));

    mnuDevices.setCaption(QStringLiteral("Приборы"));
    CTRLK1.setCaption(QStringLiteral("Подключиться к ЗТА (CTRL+K)"));
    CTRLP1.setCaption(QStringLiteral("Подключиться к расходомеру (CTRL+P)"));
    asd1.setCaption(QStringLiteral("Восстановление настроек"));
    asd1.setHint(QStringLiteral("Для наладчика: все модули на линии получают заводские адрес, скорость и задержку RTS"));
    mnuService.setCaption(QStringLiteral("Сервис"));
    mnuServicePages.setCaption(QStringLiteral("Страницы настройки ИМР, ИПТ и УСИ"));
    mnuServicePages.setHint(QStringLiteral("Для наладчика: настройка ИМР, калибровка линии задержки и ИПТ"));
    mnuTraffic.setCaption(QStringLiteral("Обмен по линиям связи"));
    mnuTraffic.setHint(QStringLiteral("Для наладчика: запросы и ответы обеих линий по мере обмена"));
    mnuHelp.setCaption(QStringLiteral("?"));
    N9.setCaption(QStringLiteral("О программе"));

    ppmColor.popup = true;
    N1.setCaption(QStringLiteral("Изменить цвет"));
    N3.setCaption(QStringLiteral("Изменить шрифт(цвет, размер, имя)"));
    N2.setCaption(QStringLiteral("Удалить все изменения цветов"));
    popupMenu = &ppmColor;

    ConnectZTA.setCaption(QStringLiteral("Подключиться к ЗТА"));
    ConnectPrib.setCaption(QStringLiteral("Подключиться к расходомеру"));

    StatusBar.setGeometry(0, 0, kWidth, kStripHeight);
    StatusBar.setPanels({{QStringLiteral("Выкл сервер"), 100, ui::Alignment::Left, ui::Bevel::Lowered},
                         {QStringLiteral("Состояние:"), 78, ui::Alignment::Center, ui::Bevel::Raised},
                         {QString(), 50, ui::Alignment::Left, ui::Bevel::Lowered}});
    pc.setGeometry(0, kStripHeight, kWidth, kPagesHeight);
    pc.multiLine = true;
    pc.setActivePage(&config.TsConfig);

    Label84.setGeometry(8, kStripHeight + kPagesHeight + 2, kWidth - 16, 60);
    Label84.setCaption(QStringLiteral("Состояние автомата:\nОшибки\nИтог последней команды"));
    Label84.setVisible(false);

    SB.setPanels({{QString(), 0, ui::Alignment::Left, ui::Bevel::Lowered}});
    applyHeight(NormalHeight);
}

void MainForm::applyHeight(int height)
{
    setHeight(height);
    SB.setGeometry(0, height - kStripHeight, kWidth, kStripHeight);
    Label84.setVisible(height > NormalHeight);
}

}  // namespace ui::forms
