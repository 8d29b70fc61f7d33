#include "shell/TargetTask.h"

namespace shell {

namespace {
ui::Page* pageOf(ui::forms::MainForm& f, TNames index)
{
    switch (index) {
    case nsConfig: return nullptr;
    case nsImitV: return &f.imitV.TSImitV;
    case nsImitQ: return &f.imitQ.TSImitQ;
    case nsPoverV: return &f.poverV.TSPoverV;
    case nsPoverQ: return &f.poverQ.TSPoverQ;
    case nsIMR: return &f.imr.TSImr;
    case nsIPT: return &f.ipt.TSIpt;
    case nsIPT2: return &f.ipt2.tsIPT2;
    case nsUSI: return &f.usi.TsUSI;
    case nsProtocol: return &f.protocol.TS4;
    }
    return nullptr;
}

struct LayoutSpec {
    std::initializer_list<TNames> shown;
    std::initializer_list<TNames> hidden;
};

const LayoutSpec& layoutSpec(int layout)
{
    static const LayoutSpec meters{{nsImitV, nsImitQ, nsProtocol}, {nsPoverQ, nsPoverV, nsIPT, nsIMR, nsIPT2, nsUSI}};
    static const LayoutSpec benchCheck{{nsPoverQ, nsPoverV, nsIPT, nsUSI},
                                       {nsImitV, nsImitQ, nsIMR, nsIPT2, nsProtocol}};
    static const LayoutSpec service{{nsIMR, nsIPT2},
                                    {nsImitV, nsImitQ, nsPoverQ, nsPoverV, nsIPT, nsUSI, nsProtocol}};
    return layout == LayoutBench ? benchCheck : layout == LayoutService ? service : meters;
}
}  // namespace

void SetShow(ui::forms::MainForm& form, TNames index, bool flag)
{
    if (ui::Page* p = pageOf(form, index))
        p->setTabVisible(flag);
}

void applyLayout(ui::forms::MainForm& form, int layout)
{
    const LayoutSpec& pages = layoutSpec(layout);
    for (TNames n : pages.shown)
        SetShow(form, n, true);
    for (TNames n : pages.hidden)
        SetShow(form, n, false);
    ui::GroupBox& ipt = form.iptGroup.GBIpt;
    ui::GroupBox& usi = form.usiGroup.GbUsi;
    switch (layout) {
    case LayoutMeters:
        ipt.moveTo(&form.imitQ.TSImitQ, 253);
        usi.moveTo(&form.imitV.TSImitV, 201);
        break;
    case LayoutBench:
        usi.moveTo(&form.usi.TsUSI, 10);
        break;
    case LayoutService:
        ipt.moveTo(&form.ipt2.tsIPT2, 8);
        usi.moveTo(&form.ipt2.tsIPT2, 264);
        break;
    }
    // A page whose tab was hidden cannot stay the one on screen.
    ui::Page* active = form.pc.activePage();
    if (active && !active->isTabVisible())
        form.pc.setActivePage(&form.config.TsConfig);
}

TSysFrm::TSysFrm(ui::forms::MainForm& main) : m_main(main)
{
    form.cbAim.setItemIndex(0);
    AimIndexStr = form.cbAim.items().value(0);
    form.onShow = [this] { flagSh = true; };
    form.onHide = [this] { flagSh = false; };
    form.btnUse.onClick = [this] { btnUseClick(); };
    form.btnCansel.onClick = [this] { btnCanselClick(); };
}

void TSysFrm::apply(int index, const QString& text)
{
    if (index != AimIndex) {
        applyLayout(m_main, index);
        AimIndex = index;
        AimIndexStr = text;
    }
}

void TSysFrm::btnUseClick()
{
    const int selected = form.cbAim.itemIndex();
    if (selected >= 0)
        apply(selected, form.cbAim.text());
    form.modalResult = ui::ModalResult::Ok;
    form.hide();
}

void TSysFrm::btnCanselClick()
{
    form.modalResult = ui::ModalResult::Cancel;
    form.hide();
}

void TSysFrm::applyServiceLayout()
{
    apply(LayoutService, QStringLiteral("Настройка ЗТА (сервис)"));
}

}  // namespace shell
