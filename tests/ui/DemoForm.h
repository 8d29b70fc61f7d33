#pragma once
// A small form with a control of each kind, for the window tests. Every handler writes a
// line to `events` that records the model's state as the handler saw it, so the tests can
// tell that the model was updated before the handler ran.
#include "ui/model/Form.h"

#include <QStringList>

namespace test {

class DemoForm : public ui::Form {
public:
    DemoForm()
        : ui::Form("DemoFrm"),
          mnuFile(this, "mnuFile", nullptr),
          mnuOpen(this, "mnuOpen", &mnuFile),
          ppm(this, "ppm", nullptr),
          ppmColour(this, "ppmColour", &ppm),
          actConnect(this, "actConnect", QStringLiteral("Ctrl+K")),
          status(this, "status", nullptr),
          pages(this, "pages", nullptr),
          pageMain(this, "pageMain", &pages),
          pageMore(this, "pageMore", &pages),
          pageHidden(this, "pageHidden", &pages),
          group(this, "group", &pageMain),
          panel(this, "panel", &pageMain),
          button(this, "button", &pageMain),
          okButton(this, "okButton", &pageMain),
          label(this, "label", &group),
          edit(this, "edit", &group),
          number(this, "number", &group),
          memo(this, "memo", &pageMore),
          check(this, "check", &pageMain),
          radioA(this, "radioA", &panel),
          radioB(this, "radioB", &panel),
          choice(this, "choice", &pageMain),
          combo(this, "combo", &pageMain),
          grid(this, "grid", &pageMore),
          progress(this, "progress", &pageMore),
          track(this, "track", &pageMore),
          counter(this, "counter", &pageMore),
          step(this, "step", &pageMore, &counter),
          timer(this, "timer", 1000)
    {
        setCaption(QStringLiteral("Проверка окна"));
        setGeometry(QRect(40, 40, 480, 360));
        border = ui::Border::Fixed;
        popupMenu = &ppm;
        onMouseMove = [this](ui::Control* c) { events << QStringLiteral("move:") + (c ? c->name() : QStringLiteral("form")); };

        mnuFile.setCaption(QStringLiteral("Файл"));
        mnuOpen.setCaption(QStringLiteral("Открыть"));
        mnuOpen.shortcut = QStringLiteral("Ctrl+O");
        mnuOpen.onClick = [this] { events << QStringLiteral("open"); };
        ppm.popup = true;
        ppmColour.setCaption(QStringLiteral("Изменить цвет"));
        actConnect.onExecute = [this] { events << QStringLiteral("connect"); };

        status.setGeometry(0, 0, 480, 20);
        status.setPanels({{QStringLiteral("Выкл сервер"), 100}, {QStringLiteral("Состояние:"), 70, ui::Alignment::Center, ui::Bevel::Raised}, {}});
        status.onMouseDown = [this](Qt::MouseButton b, bool shift) {
            events << QStringLiteral("status:%1:%2").arg(b == Qt::RightButton ? "right" : "left", shift ? "shift" : "plain");
        };

        pages.setGeometry(0, 20, 480, 300);  // the strip below is the bare form
        pageMain.setCaption(QStringLiteral("Главная"));
        pageMore.setCaption(QStringLiteral("Ещё"));
        pageHidden.setCaption(QStringLiteral("Скрытая"));
        pageHidden.setTabVisible(false);
        pages.setActivePage(&pageMain);

        group.setGeometry(8, 8, 220, 130);
        group.setCaption(QStringLiteral("Группа"));
        label.setGeometry(8, 20, 100, 16);
        label.setCaption(QStringLiteral("Адрес:"));
        label.onClick = [this] { events << QStringLiteral("label"); };
        edit.setGeometry(8, 44, 200, 21);
        edit.onChange = [this] { events << QStringLiteral("change:") + edit.text(); };
        number.setGeometry(8, 76, 180, 21);
        number.onKeyPress = [this](QChar& ch) { decimalKey(ch); };
        number.onChange = [this] { events << QStringLiteral("number:") + number.text(); };

        panel.setGeometry(240, 8, 220, 60);
        panel.setBevel(ui::Bevel::Raised);
        radioA.setGeometry(8, 8, 100, 20);
        radioA.setCaption(QStringLiteral("Первый"));
        radioB.setGeometry(8, 32, 100, 20);
        radioB.setCaption(QStringLiteral("Второй"));
        radioB.onClick = [this] { events << QStringLiteral("radioB:%1").arg(radioB.isChecked()); };

        button.setGeometry(240, 80, 100, 25);
        button.setCaption(QStringLiteral("Пуск"));
        button.onClick = [this] { events << QStringLiteral("button"); };
        okButton.setGeometry(350, 80, 100, 25);
        okButton.setCaption(QStringLiteral("ОК"));
        okButton.isDefault = true;
        okButton.onClick = [this] {
            events << QStringLiteral("ok");
            modalResult = ui::ModalResult::Ok;
            hide();
        };
        check.setGeometry(8, 150, 200, 20);
        check.setCaption(QStringLiteral("Токовый выход"));
        check.onClick = [this] { events << QStringLiteral("check:%1").arg(check.isChecked()); };

        choice.setGeometry(240, 120, 220, 80);
        choice.setCaption(QStringLiteral("Точка"));
        choice.setItems({QStringLiteral("0,1"), QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("Своя")});
        choice.columns = 2;
        choice.onClick = [this] { events << QStringLiteral("choice:%1").arg(choice.itemIndex()); };
        combo.setGeometry(8, 180, 200, 21);
        combo.setItems({QStringLiteral("Альфа"), QStringLiteral("Бета"), QStringLiteral("Гамма")});
        combo.onChange = [this] { events << QStringLiteral("combo:") + combo.text(); };

        memo.setGeometry(8, 8, 200, 80);
        grid.setGeometry(220, 8, 240, 130);
        grid.setSize(2, 4);
        grid.setCell(0, 0, QStringLiteral("Модуль"));
        grid.setCell(1, 0, QStringLiteral("Адрес"));
        grid.setCell(0, 1, QStringLiteral("ИМР"));
        grid.setCell(0, 2, QStringLiteral("УСИ"));
        grid.setCell(0, 3, QStringLiteral("ИПТ"));
        grid.colWidths = {120, 80};
        grid.onClick = [this] { events << QStringLiteral("grid:%1").arg(grid.row()); };
        progress.setGeometry(8, 100, 200, 16);
        track.setGeometry(8, 130, 200, 30);
        track.setRange(0, 10);
        track.onChange = [this] { events << QStringLiteral("track:%1").arg(track.position()); };
        counter.setGeometry(8, 170, 60, 21);
        step.setGeometry(68, 170, 16, 21);
        step.setRange(0, 5);
        step.onChange = [this] { events << QStringLiteral("step:%1:").arg(step.position()) + counter.text(); };
    }

    // Digits and commas pass, "." and the Cyrillic "б" (the comma key of the Russian
    // layout) become a comma, Enter and backspace pass; the rest is swallowed.
    void decimalKey(QChar& ch)
    {
        if (ch == QChar(13))
            events << QStringLiteral("enter");
        if (ch == QLatin1Char('.') || ch == QChar(0x0431))
            ch = QLatin1Char(',');
        else if (!ch.isDigit() && ch != QLatin1Char(',') && ch != QChar(8) && ch != QChar(13))
            ch = QChar(0);
    }

    ui::MenuItem mnuFile, mnuOpen, ppm, ppmColour;
    ui::Action actConnect;
    ui::StatusBar status;
    ui::PageControl pages;
    ui::Page pageMain, pageMore, pageHidden;
    ui::GroupBox group;
    ui::Panel panel;
    ui::Button button, okButton;
    ui::Label label;
    ui::Edit edit, number, counter;
    ui::Memo memo;
    ui::CheckBox check;
    ui::RadioButton radioA, radioB;
    ui::RadioGroup choice;
    ui::ComboBox combo;
    ui::Grid grid;
    ui::ProgressBar progress;
    ui::TrackBar track;
    ui::UpDown step;
    ui::Timer timer;

    QStringList events;
};

}  // namespace test
