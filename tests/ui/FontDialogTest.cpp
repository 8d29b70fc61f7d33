// The font dialog of the colour menu: the operator picks the text colour with the font, Enter
// and Escape answer the whole dialog, and a chosen colour reaches the control on screen and
// color.ini.
#include "shell/ColorCustomisation.h"
#include "shell/settings/SettingsLocation.h"
#include "tests/ui/ModalStep.h"
#include "ui/qt/Appearance.h"
#include "ui/qt/FontColorDialog.h"
#include "ui/qt/FormWindow.h"
#include "ui/qt/QtDialogs.h"
#include "ui/qt/WindowManager.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using test::whenModal;
using ui::qt::FontColorDialog;
using OperatorStep = std::function<void(FontColorDialog&)>;
Q_DECLARE_METATYPE(OperatorStep)

namespace {

// The colour dialog opened from the font dialog, answered with the colour (none: cancelled).
void pickColour(FontColorDialog& d, std::optional<QColor> colour)
{
    whenModal([colour](QWidget* modal) {
        auto* dialog = qobject_cast<QColorDialog*>(modal);
        QVERIFY(dialog);
        if (!colour) {
            dialog->reject();
            return;
        }
        dialog->setCurrentColor(*colour);
        dialog->accept();
    });
    d.colorButton()->click();
}

void pressButton(FontColorDialog& d, QDialogButtonBox::StandardButton which)
{
    d.findChild<QDialogButtonBox*>()->button(which)->click();
}

// A key pressed in the font dialog's widget of the kind: its list of families or a field.
template <typename Widget>
void pressKeyIn(FontColorDialog& d, Qt::Key key)
{
    auto* w = d.findChild<Widget*>();
    w->setFocus();
    QTest::keyClick(w, key);
}

// Answers the next font dialog with the step; a dialog the step leaves open fails the test.
void answerFontDialog(OperatorStep step)
{
    whenModal([step = std::move(step)](QWidget* modal) {
        auto* dialog = qobject_cast<FontColorDialog*>(modal);
        QVERIFY(dialog);
        step(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
            QFAIL("the font dialog stayed open");
        }
    });
}

}  // namespace

class FontDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::qt::applyApplicationLook(*qApp); }
    void init()
    {
        m_windows = std::make_unique<ui::qt::WindowManager>();
        m_dialogs = std::make_unique<ui::QtDialogs>(*m_windows);
        ui::Dialogs::install(m_dialogs.get());
    }
    void cleanup()
    {
        ui::Dialogs::install(nullptr);
        m_dialogs.reset();
        m_windows.reset();
    }

    void colourIsChosenWithTheFont_data();
    void colourIsChosenWithTheFont();
    void chosenColourReachesTheScreenAndTheFile();

private:
    std::unique_ptr<ui::qt::WindowManager> m_windows;
    std::unique_ptr<ui::QtDialogs> m_dialogs;
};

void FontDialogTest::colourIsChosenWithTheFont_data()
{
    QTest::addColumn<OperatorStep>("step");
    QTest::addColumn<bool>("chosen");
    QTest::addColumn<int>("colour");
    const int red = ui::rgb(255, 0, 0), green = ui::colors::Green;

    QTest::newRow("colour picked, OK") << OperatorStep([](FontColorDialog& d) {
        pickColour(d, QColor(Qt::red));
        pressButton(d, QDialogButtonBox::Ok);
    }) << true << red;
    QTest::newRow("colour picked, Enter in the families") << OperatorStep([](FontColorDialog& d) {
        pickColour(d, QColor(Qt::red));
        pressKeyIn<QListView>(d, Qt::Key_Return);
    }) << true << red;
    QTest::newRow("colour picked, Enter in a field") << OperatorStep([](FontColorDialog& d) {
        pickColour(d, QColor(Qt::red));
        pressKeyIn<QLineEdit>(d, Qt::Key_Return);
    }) << true << red;
    QTest::newRow("colour left alone") << OperatorStep([](FontColorDialog& d) { pressButton(d, QDialogButtonBox::Ok); })
                                       << true << green;
    QTest::newRow("colour dialog cancelled") << OperatorStep([](FontColorDialog& d) {
        pickColour(d, std::nullopt);
        pressButton(d, QDialogButtonBox::Ok);
    }) << true << green;
    QTest::newRow("colour picked, Cancel") << OperatorStep([](FontColorDialog& d) {
        pickColour(d, QColor(Qt::red));
        pressButton(d, QDialogButtonBox::Cancel);
    }) << false << 0;
    QTest::newRow("colour picked, Escape") << OperatorStep([](FontColorDialog& d) {
        pickColour(d, QColor(Qt::red));
        pressKeyIn<QListView>(d, Qt::Key_Escape);
    }) << false << 0;
}

void FontDialogTest::colourIsChosenWithTheFont()
{
    QFETCH(OperatorStep, step);
    QFETCH(bool, chosen);
    QFETCH(int, colour);
    // An upright face: its style name is what Qt's font dialog is apt to miss.
    const ui::Font initial{QStringLiteral("DejaVu Sans"), 12, ui::colors::Green, ui::FontStyle{}};
    answerFontDialog(step);
    const std::optional<ui::Font> font = m_dialogs->chooseFont(initial);
    QCOMPARE(font.has_value(), chosen);
    if (!chosen)
        return;
    QCOMPARE(font->color, colour);
    QCOMPARE(font->family, initial.family);
    QCOMPARE(font->pointSize, initial.pointSize);
    QCOMPARE(font->style, initial.style);
}

void FontDialogTest::chosenColourReachesTheScreenAndTheFile()
{
    const QTemporaryDir dir;
    settings::setSettingsDirectory(dir.path());
    ui::forms::MainForm form;
    shell::TColorSetup colours(form);
    ui::qt::FormWindow window(form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    ui::Edit& edit = form.imitQ.EdtRashQ1;
    form.mouseMoved(&edit);
    answerFontDialog([](FontColorDialog& d) {
        pickColour(d, QColor(Qt::red));
        pressButton(d, QDialogButtonBox::Ok);
    });
    form.N3.click();

    const std::vector<settings::StoredFont> stored = settings::ColorFile(settings::colorIniPath()).fonts();
    QCOMPARE(stored.size(), std::size_t(1));
    QCOMPARE(stored.front().control, edit.name());
    QCOMPARE(stored.front().color, ui::rgb(255, 0, 0));
    QCOMPARE(window.widgetOf(&edit)->palette().color(QPalette::Text), QColor(Qt::red));
}

QTEST_MAIN(FontDialogTest)

#include "FontDialogTest.moc"
