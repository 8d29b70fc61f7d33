// Windows appear when their forms are first shown, modal forms return when hidden, message
// boxes carry the program's title, Qt's own texts are Russian, and the renderer pictures
// every page.
#include "tests/ui/DemoForm.h"
#include "tests/ui/ModalStep.h"
#include "ui/qt/Appearance.h"
#include "ui/qt/FormWindow.h"
#include "ui/qt/QtDialogs.h"
#include "ui/qt/QtTranslations.h"
#include "ui/qt/WindowManager.h"
#include "ui/qt/screens/ScreenRenderer.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using test::DemoForm;

using test::whenModal;
using ShowBox = std::function<void(ui::Dialogs&)>;
Q_DECLARE_METATYPE(ShowBox)

class WindowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void windowIsCreatedAtTheFormsFirstShow();
    void showModalReturnsWhenTheFormHides();
    void closeBoxEndsAModalForm();
    void messageBoxesCarryTheProgramTitle_data();
    void messageBoxesCarryTheProgramTitle();
    void confirmAnswersYesOrNo_data();
    void confirmAnswersYesOrNo();
    void qtTextsAreRussianAfterStart();
    void rendererPicturesEveryPage();

private:
    std::unique_ptr<ui::qt::WindowManager> m_windows;
    std::unique_ptr<ui::QtDialogs> m_dialogs;
    std::unique_ptr<DemoForm> m_form;
};

void WindowsTest::initTestCase()
{
    ui::qt::applyApplicationLook(*qApp);
}

void WindowsTest::init()
{
    m_windows = std::make_unique<ui::qt::WindowManager>();
    m_dialogs = std::make_unique<ui::QtDialogs>(*m_windows);
    ui::Dialogs::install(m_dialogs.get());
    m_form = std::make_unique<DemoForm>();
}

void WindowsTest::cleanup()
{
    ui::Dialogs::install(nullptr);
    m_windows.reset();
    m_form.reset();
    m_dialogs.reset();
}

void WindowsTest::windowIsCreatedAtTheFormsFirstShow()
{
    DemoForm shownAtStart;
    shownAtStart.show();
    m_windows->manage(*m_form);
    m_windows->manage(shownAtStart);
    QVERIFY(!m_windows->existingWindow(*m_form));
    QVERIFY(m_windows->existingWindow(shownAtStart));

    m_form->show();
    ui::qt::FormWindow* window = m_windows->existingWindow(*m_form);
    QVERIFY(window && window->isVisible());
    m_form->hide();
    m_form->show();
    QCOMPARE(m_windows->existingWindow(*m_form), window);
}

void WindowsTest::showModalReturnsWhenTheFormHides()
{
    whenModal([this](QWidget* modal) {
        QCOMPARE(modal, m_windows->existingWindow(*m_form));
        QTest::mouseClick(m_windows->existingWindow(*m_form)->widgetOf(&m_form->okButton), Qt::LeftButton);
    });
    QCOMPARE(m_dialogs->showModal(*m_form), ui::ModalResult::Ok);
    QVERIFY(!m_form->isVisible());
    QVERIFY(!m_windows->existingWindow(*m_form)->isVisible());
    QCOMPARE(m_windows->existingWindow(*m_form)->windowModality(), Qt::NonModal);
}

void WindowsTest::closeBoxEndsAModalForm()
{
    whenModal([](QWidget* modal) { modal->close(); });
    QCOMPARE(m_dialogs->showModal(*m_form), ui::ModalResult::None);
    QVERIFY(!m_form->isVisible());
}

// The title is given to each box: the application's name is the binary's, and a display name
// would be appended to every window's caption.
void WindowsTest::messageBoxesCarryTheProgramTitle_data()
{
    QTest::addColumn<ShowBox>("show");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::newRow("message") << ShowBox([](ui::Dialogs& d) { d.message(QStringLiteral("Нет связи"), ui::Icon::Error); })
                             << QStringLiteral("Монитор ЗТА-01") << int(QMessageBox::Critical);
    QTest::newRow("question") << ShowBox([](ui::Dialogs& d) { d.confirm(QStringLiteral("Вы работаете со старым ЗТА?")); })
                              << QStringLiteral("Монитор ЗТА-01") << int(QMessageBox::Question);
    QTest::newRow("own caption")
        << ShowBox([](ui::Dialogs& d) { d.message(QStringLiteral("Готово"), ui::Icon::Information, QStringLiteral("Калибровка")); })
        << QStringLiteral("Калибровка") << int(QMessageBox::Information);
}

void WindowsTest::messageBoxesCarryTheProgramTitle()
{
    QFETCH(ShowBox, show);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QString shownTitle;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    whenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        shownTitle = box->windowTitle();
        shownIcon = box->icon();
        box->buttons().constFirst()->click();
    });
    show(*m_dialogs);
    QCOMPARE(shownTitle, title);
    QCOMPARE(int(shownIcon), icon);
}

void WindowsTest::confirmAnswersYesOrNo_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("answer");
    QTest::newRow("yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("no") << int(QMessageBox::No) << false;
}

void WindowsTest::confirmAnswersYesOrNo()
{
    QFETCH(int, button);
    QFETCH(bool, answer);
    whenModal([button](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        box->button(QMessageBox::StandardButton(button))->click();
    });
    QCOMPARE(m_dialogs->confirm(QStringLiteral("Вы работаете со старым ЗТА?")), answer);
}

// Standard buttons, the file, colour and font dialogs speak Russian once the program has
// started; without Qt's catalogue they stay English and the program runs on.
void WindowsTest::qtTextsAreRussianAfterStart()
{
    const auto cancelText = [] {
        const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        return buttons.button(QDialogButtonBox::Cancel)->text();
    };
    const QString english = cancelText();
    const QTemporaryDir withoutCatalogue;
    QVERIFY(!ui::qt::installQtTranslations(*qApp, withoutCatalogue.path()));
    QCOMPARE(cancelText(), english);

    QVERIFY2(ui::qt::installQtTranslations(*qApp), "qtbase_ru.qm is missing: install qt6-translations-l10n");
    QCOMPARE(cancelText(), QStringLiteral("Отмена"));
}

void WindowsTest::rendererPicturesEveryPage()
{
    QTemporaryDir dir;
    ui::qt::ScreenRenderer renderer(QDir(dir.path()));
    const QStringList files = renderer.render(*m_form);
    QStringList names;
    for (const QString& f : files)
        names << QFileInfo(f).fileName();
    QCOMPARE(names, QStringList({"DemoFrm.png", "DemoFrm-pageMain.png", "DemoFrm-pageMore.png", "DemoFrm-pageHidden.png"}));
    ui::qt::FormWindow window(*m_form);
    QCOMPARE(QImage(files.first()).size(), window.size());
    // The pages differ in content, so their pictures do.
    QVERIFY(QImage(files.at(1)) != QImage(files.at(3)));
}

QTEST_MAIN(WindowsTest)

#include "WindowsTest.moc"
