#pragma once
// The main window "Монитор Тервало ЗТА-01": menu, status strip, pages, message line.
#include "ui/forms/main/ConfigPage.h"
#include "ui/forms/main/ImitQPage.h"
#include "ui/forms/main/ImitVPage.h"
#include "ui/forms/main/ImrPage.h"
#include "ui/forms/main/Ipt2Page.h"
#include "ui/forms/main/IptGroup.h"
#include "ui/forms/main/IptPage.h"
#include "ui/forms/main/PoverQPage.h"
#include "ui/forms/main/PoverVPage.h"
#include "ui/forms/main/ProtocolPage.h"
#include "ui/forms/main/UsiGroup.h"
#include "ui/forms/main/UsiPage.h"
#include "ui/model/Form.h"

namespace ui::forms {

class MainForm : public ui::Form {
    Q_OBJECT
public:
    MainForm();

    static constexpr int NormalHeight = 556;
    static constexpr int ExtendedHeight = 620;
    // Sets the window height; the message line stays at the bottom.
    void applyHeight(int height);

    ui::MenuItem mnuDevices;
    ui::MenuItem CTRLK1;
    ui::MenuItem CTRLP1;
    ui::MenuItem mnuService;
    ui::MenuItem mnuServicePages;
    ui::MenuItem asd1;  // "Восстановление настроек", a service item for the technician
    ui::MenuItem mnuTraffic;  // "Обмен по линиям связи"
    ui::MenuItem mnuHelp;
    ui::MenuItem N9;

    ui::MenuItem ppmColor;
    ui::MenuItem N1;
    ui::MenuItem N3;
    ui::MenuItem N2;

    ui::Action ConnectZTA;
    ui::Action ConnectPrib;

    ui::StatusBar StatusBar;
    ui::PageControl pc;
    ConfigPage config;
    ImitQPage imitQ;
    ImitVPage imitV;
    PoverQPage poverQ;
    PoverVPage poverV;
    IptPage ipt;
    UsiPage usi;
    ImrPage imr;
    Ipt2Page ipt2;
    ProtocolPage protocol;
    IptGroup iptGroup;
    UsiGroup usiGroup;
    ui::Label Label84;
    ui::StatusBar SB;
    ui::Timer Timer1;
};

}  // namespace ui::forms
