// Containers: group boxes, beveled panels, the status strip, page controls and their pages.
#include "ui/qt/views/Views.h"
#include "ui/qt/widgets/MultiRowTabs.h"
#include "ui/qt/widgets/PressableWidgets.h"
#include "ui/qt/widgets/StatusStrip.h"

#include <QGroupBox>

namespace ui::qt::views {

namespace {

class GroupBoxView : public ControlView {
public:
    GroupBoxView(GroupBox& g, QGroupBox* w, const Lookup& l) : ControlView(g, w, l), m_widget(w) {}

protected:
    void sync(Prop what) override
    {
        if (what == Prop::Caption)
            m_widget->setTitle(control().caption());
        ControlView::sync(what);
    }

private:
    QGroupBox* m_widget;
};

class PanelView : public ControlView {
public:
    PanelView(Panel& p, CaptionPanel* w, const Lookup& l) : ControlView(p, w, l), m_widget(w)
    {
        w->pressed = [&p] { p.click(); };
    }

protected:
    void sync(Prop what) override
    {
        if (what == Prop::Caption)
            m_widget->setCaption(displayLines(control().caption()));
        else if (what == Prop::Bevel)
            showBevel();
        ControlView::sync(what);
        if (what == Prop::Color)
            m_widget->setAutoFillBackground(true);  // a panel is opaque even in its designed colour
    }

private:
    void showBevel()
    {
        switch (control().bevel()) {
        case Bevel::None:    m_widget->setFrameStyle(QFrame::NoFrame); break;
        case Bevel::Raised:  m_widget->setFrameStyle(QFrame::Panel | QFrame::Raised); break;
        case Bevel::Lowered: m_widget->setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
        }
    }

    CaptionPanel* m_widget;
};

class StatusBarView : public ControlView {
public:
    StatusBarView(StatusBar& s, StatusStrip* w, const Lookup& l) : ControlView(s, w, l), m_bar(s), m_widget(w)
    {
        w->pressed = [this](Qt::MouseButton b, bool shift) { m_bar.mouseDown(b, shift); };
    }

protected:
    void sync(Prop what) override
    {
        if (what == Prop::Panels)
            m_widget->setPanels(m_bar.panels());
        ControlView::sync(what);
    }

private:
    StatusBar& m_bar;
    StatusStrip* m_widget;
};

class PageControlView : public ControlView {
public:
    PageControlView(PageControl& p, MultiRowTabs* w, const Lookup& l) : ControlView(p, w, l), m_pages(p), m_widget(w)
    {
        connect(w, &MultiRowTabs::tabClicked, this, [this](int i) { m_pages.setActivePage(m_pages.pages().at(i)); });
    }

protected:
    void sync(Prop what) override
    {
        if (what == Prop::ActivePage)
            m_widget->setCurrentIndex(m_widget->indexOf(containers()(m_pages.activePage())));
        ControlView::sync(what);
    }

private:
    PageControl& m_pages;
    MultiRowTabs* m_widget;
};

// A page lives in its owner's tab widget, which sizes it and decides when it shows.
class PageView : public ControlView {
public:
    PageView(Page& p, QWidget* w, const Lookup& l) : ControlView(p, w, l), m_page(p) {}

protected:
    void sync(Prop what) override
    {
        switch (what) {
        case Prop::Caption:
            tabs()->setTabText(index(), m_page.caption());
            break;
        case Prop::Visible:
        case Prop::TabVisible:
            tabs()->setTabVisible(index(), m_page.isVisible() && m_page.isTabVisible());
            break;
        default:
            ControlView::sync(what);
        }
    }
    void place() override
    {
        if (index() >= 0)
            return;
        tabs()->addPage(widget(), m_page.caption());
        if (m_page.owner()->activePage() == &m_page)
            tabs()->setCurrentIndex(index());
    }

private:
    MultiRowTabs* tabs() const { return static_cast<MultiRowTabs*>(containers()(m_page.owner())); }
    int index() const { return tabs()->indexOf(widget()); }

    Page& m_page;
};

}  // namespace

ControlView* groupBox(GroupBox& c, const Lookup& l)
{
    return new GroupBoxView(c, new QGroupBox, l);
}

ControlView* panel(Panel& c, const Lookup& l)
{
    return new PanelView(c, new CaptionPanel, l);
}

ControlView* statusBar(StatusBar& c, const Lookup& l)
{
    return new StatusBarView(c, new StatusStrip, l);
}

ControlView* pageControl(PageControl& c, const Lookup& l)
{
    return new PageControlView(c, new MultiRowTabs, l);
}

ControlView* page(Page& c, const Lookup& l)
{
    return new PageView(c, new QWidget, l);
}

}  // namespace ui::qt::views
