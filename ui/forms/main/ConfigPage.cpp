#include "ui/forms/main/ConfigPage.h"

#include "ui/forms/MeterTypeNames.h"

namespace ui::forms {

ConfigPage::ConfigPage(ui::Form* f, ui::PageControl* pages)
    : TsConfig(f, "TsConfig", pages),
      GroupBox1(f, "GroupBox1", &TsConfig),
      BBnTarger(f, "BBnTarger", &GroupBox1),
      Label28(f, "Label28", &GroupBox1),
      Label1(f, "Label1", &GroupBox1),
      sg(f, "sg", &GroupBox1),
      BtnPropZTA(f, "BtnPropZTA", &GroupBox1),
      btnCanal(f, "btnCanal", &GroupBox1),
      BtnConnect(f, "BtnConnect", &GroupBox1),
      BitBtn5(f, "BitBtn5", &GroupBox1),
      Button19(f, "Button19", &GroupBox1),
      GbPrib(f, "GbPrib", &TsConfig),
      Label2(f, "Label2", &GbPrib),
      cbxprib(f, "cbxprib", &GbPrib),
      Label3(f, "Label3", &GbPrib),
      edtadrp(f, "edtadrp", &GbPrib),
      BBParam(f, "BBParam", &GbPrib),
      BtnConnect1(f, "BtnConnect1", &GbPrib),
      BitBtn7(f, "BitBtn7", &GbPrib),
      Edit4(f, "Edit4", &GbPrib),
      Label49(f, "Label49", &GbPrib),
      edtac(f, "edtac", &GbPrib),
      BtnCount(f, "BtnCount", &GbPrib),
      BtnCount1(f, "BtnCount1", &GbPrib),
      BtnSetup(f, "BtnSetup", &GbPrib),
      BtnProp(f, "BtnProp", &GbPrib),
      SpeedButton1(f, "SpeedButton1", &TsConfig, ui::Kind::SpeedButton)
{
    TsConfig.setCaption(QStringLiteral("Конфигурация системы"));

    GroupBox1.setCaption(QStringLiteral("Комплекс поверочный имитационный (ЗТА)"));
    GroupBox1.setGeometry(8, 6, 768, 204);
    BBnTarger.setCaption(QStringLiteral("Настройка..."));
    BBnTarger.setGeometry(12, 22, 100, 26);
    Label28.setCaption(QStringLiteral("Поверка ультразвуковых расходомеров"));
    Label28.setGeometry(122, 27, 480, 18);
    Label1.setCaption(QStringLiteral("Состав комплекса."));
    Label1.setGeometry(12, 56, 200, 18);
    sg.setGeometry(12, 76, 618, 100);
    sg.fixedRows = 1;
    sg.colWidths = {236, 56, 222, 98};
    sg.setSize(4, 4);

    const int bx = 642, bw = 114;
    BtnPropZTA.setCaption(QStringLiteral("Свойства"));
    BtnPropZTA.setGeometry(bx, 50, bw, 26);
    BtnPropZTA.setEnabled(false);
    btnCanal.setCaption(QStringLiteral("Параметры"));
    btnCanal.setHint(QStringLiteral("Параметры связи"));
    btnCanal.setGeometry(bx, 80, bw, 26);
    BtnConnect.setCaption(QStringLiteral("Подключиться"));
    BtnConnect.setGeometry(bx, 110, bw, 26);
    BitBtn5.setCaption(QStringLiteral("Проверка связи"));
    BitBtn5.setHint(QStringLiteral("Поиск плат ЗТА с №1 по №10"));
    BitBtn5.setGeometry(bx, 140, bw, 26);
    BitBtn5.setEnabled(false);
    Button19.setCaption(QStringLiteral("Сброс всех режимов"));
    Button19.setGeometry(bx - 30, 170, bw + 30, 26);
    Button19.setVisible(false);

    GbPrib.setCaption(QStringLiteral("Поверяемый прибор"));
    GbPrib.setGeometry(8, 216, 768, 170);
    Label2.setCaption(QStringLiteral("Тип прибора:"));
    Label2.setGeometry(12, 28, 90, 18);
    cbxprib.setGeometry(104, 24, 250, 24);
    cbxprib.setItems(meterTypeNames());
    Label3.setCaption(QStringLiteral("Адрес:"));
    Label3.setGeometry(368, 28, 48, 18);
    edtadrp.setText(QStringLiteral("1"));
    edtadrp.setGeometry(418, 24, 52, 24);
    BBParam.setCaption(QStringLiteral("Параметры"));
    BBParam.setHint(QStringLiteral("Параметры связи"));
    BBParam.setGeometry(500, 23, 120, 26);
    BtnConnect1.setCaption(QStringLiteral("Подключиться"));
    BtnConnect1.setGeometry(630, 23, 126, 26);
    BitBtn7.setCaption(QStringLiteral("Проверка связи"));
    BitBtn7.setGeometry(12, 60, 130, 26);
    BitBtn7.setEnabled(false);
    Edit4.setGeometry(150, 61, 470, 24);
    Edit4.setReadOnly(true);
    Label49.setCaption(QStringLiteral("Число автоциркуляций"));
    Label49.setGeometry(12, 100, 160, 18);
    edtac.setText(QStringLiteral("???"));
    edtac.setGeometry(176, 96, 80, 24);
    edtac.setReadOnly(true);
    BtnCount.setCaption(QStringLiteral("Подсчитать"));
    BtnCount.setGeometry(266, 95, 110, 26);
    BtnCount.setEnabled(false);
    BtnCount1.setCaption(QStringLiteral("Считать"));
    BtnCount1.setGeometry(386, 95, 100, 26);
    BtnCount1.setVisible(false);
    BtnSetup.setCaption(QStringLiteral("Настройка прибора"));
    BtnSetup.setGeometry(12, 132, 160, 26);
    BtnSetup.setVisible(false);
    BtnSetup.setEnabled(false);
    BtnProp.setCaption(QStringLiteral("Свойства"));
    BtnProp.setGeometry(182, 132, 100, 26);
    BtnProp.setVisible(false);

    SpeedButton1.setCaption(QStringLiteral("↕"));
    SpeedButton1.setHint(QStringLiteral("Показать состояние автомата ИМР"));
    SpeedButton1.setGeometry(750, 404, 26, 24);
}

}  // namespace ui::forms
