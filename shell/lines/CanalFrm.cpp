#include "shell/lines/CanalFrm.h"

#include "shell/input/NumberInput.h"
#include "shell/settings/SettingsLocation.h"
#include "ui/model/Dialogs.h"

namespace shell {

TCanalFrm::TCanalFrm(comm::PortSource ports) : m_ports(std::move(ports))
{
    varCSpeed = form.rgrCSpeed.itemIndex();
    varAnsDel = input::StrToInt(form.edtAnsDel.text());
    varRet = form.UDRet.position();

    form.edtInterval.onKeyPress = input::edtFloat;
    form.edtAnsDel.onKeyPress = input::edtInt;
    form.edtRet.onKeyPress = input::edtInt;
    form.onShow = [this] { onShow(); };
    form.onHide = [this] { flagsh = false; };
    form.btnUse.onClick = [this] { btnUseClick(); };
    form.btnCancel.onClick = [this] { btnCancelClick(); };
}

void TCanalFrm::setFields(const settings::ChannelSettings& s)
{
    VarCPort = s.port;
    varCSpeed = s.speedIndex;
    varCLink = s.linkType;
    varCInterval = s.interval;
    varAnsDel = s.answerDelay;
    varRet = s.retries;
}

void TCanalFrm::readSettings()
{
    setFields(settings::ChannelSettings::read(settings::IniFile(settings::ztaIniPath()), TitleP));
}

void TCanalFrm::toggle()
{
    if (flagsh)
        form.hide();
    else
        form.show();
}

void TCanalFrm::presetLinkType(int linkType)
{
    varCLink = linkType;
    form.RgrLink.setItemIndex(linkType);
}

void TCanalFrm::fillPortList()
{
    const QStringList names = m_ports();  // already sorted as text
    ComPortsArray.clear();
    for (const QString& n : names)
        ComPortsArray.append(comm::portNumber(n));
    form.cbxPort.setItems(names);
    form.cbxPort.setItemIndex(names.isEmpty() ? -1 : 0);
}

void TCanalFrm::onShow()
{
    fillPortList();
    readSettings();
    m_shownFor = TitleP;

    int selected = -1;
    const QStringList& names = form.cbxPort.items();
    for (int i = 0; i < names.size() && selected < 0; ++i)
        if (comm::samePort(names[i], VarCPort))
            selected = i;
    form.cbxPort.setItemIndex(selected);

    form.RgrLink.setItemIndex(form.RgrLink.isEnabled() ? varCLink : 1);
    form.rgrCSpeed.setItemIndex(varCSpeed);
    form.edtInterval.setText(QString::number(varCInterval));
    form.edtAnsDel.setText(QString::number(varAnsDel));
    form.UDRet.setPosition(varRet);
    form.edtRet.setText(QString::number(form.UDRet.position()));
    flagsh = true;
}

void TCanalFrm::btnUseClick()
{
    // Everything is checked before anything changes: a refused "Да" loses nothing.
    const int ansDel = input::StrToInt(form.edtAnsDel.text());
    const int interval = input::StrToInt(form.edtInterval.text());
    if (form.cbxPort.itemIndex() < 0) {
        ui::dialogs().message(QStringLiteral("Не выбран COM порт. Выберите порт из списка."), ui::Icon::Error);
        return;
    }
    settings::ChannelSettings s;
    s.answerDelay = ansDel;
    s.retries = form.UDRet.position();
    s.port = form.cbxPort.text();
    s.linkType = std::max(0, form.RgrLink.itemIndex());
    s.speedIndex = std::max(0, form.rgrCSpeed.itemIndex());
    s.interval = interval;
    setFields(s);

    // A connect of the other line may have switched TitleP while the dialog was open; the
    // values on screen belong to the line the dialog was opened for.
    TitleP = m_shownFor;
    settings::IniFile ini(settings::ztaIniPath());
    s.write(ini, TitleP);
    form.hide();
}

void TCanalFrm::btnCancelClick()
{
    form.hide();
}

}  // namespace shell
