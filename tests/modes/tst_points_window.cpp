// The window of the verification points: what it refuses, each refusal naming the entry at
// fault, and what it stores.
#include "../support/ScriptedDialogs.h"
#include "modes/verification/PointsFrm.h"
#include "shell/settings/IniFile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace verification;

namespace {

const QList<int> kStored{13, 30, 47};

struct Window {
    Window() : frm(path())
    {
        settings::IniFile ini(path());
        VerificationParameters p;
        p.points = kStored;
        p.write(ini);
    }

    QString path() const { return dir.filePath(QStringLiteral("ZTA.ini")); }
    QList<int> stored() const { return VerificationParameters::read(settings::IniFile(path())).points; }
    // Types into the edits from the first one on; the rest are left empty.
    void type(const QStringList& entries)
    {
        for (int i = 0; i < ui::forms::PointsForm::Rows; ++i)
            frm.form.edit(i).setText(entries.value(i));
    }

    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    PointsFrm frm;
};

}  // namespace

class TstPointsWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusesWhatIsNoFlowPoint_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("fraction") << QStringList{"5", "20.5"} << "Точка 2: \"20.5\" не целое число м3/ч";
        QTest::newRow("letters") << QStringList{"abc"} << "Точка 1: \"abc\" не целое число м3/ч";
        QTest::newRow("zero") << QStringList{"5", "", "0"} << "Точка 3: расход 0 м3/ч должен быть больше нуля";
        QTest::newRow("negative") << QStringList{"-5"} << "Точка 1: расход -5 м3/ч должен быть больше нуля";
        QTest::newRow("above the bound") << QStringList{"10001"}
                                         << "Точка 1: расход 10001 м3/ч больше допустимого (10000 м3/ч)";
        QTest::newRow("too large for a number") << QStringList{"99999999999"}
                                                << "Точка 1: \"99999999999\" не целое число м3/ч";
        QTest::newRow("duplicate") << QStringList{"5", "20", "", "", "", "", "20"}
                                   << "Точка 7: расход 20 м3/ч уже задан в точке \"Точка 2\"";
        QTest::newRow("none at all") << QStringList{"", " "} << "Не задано ни одной поверочной точки";
    }
    void refusesWhatIsNoFlowPoint()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, message);
        Window w;
        w.frm.show();
        w.type(typed);
        w.frm.form.BitBtn1.click();
        QCOMPARE(w.dialogs.messages, QStringList{message});
        QVERIFY(w.frm.form.isVisible());
        QCOMPARE(w.stored(), kStored);
    }

    // Typed key by key as the operator does: nothing typed is dropped, so a point that is not
    // whole is refused on OK rather than read as another number.
    void keysAreKeptAndJudgedOnOk_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("message");
        QTest::newRow("decimal comma") << "12,5" << "Точка 1: \"12,5\" не целое число м3/ч";
        QTest::newRow("decimal point") << "12.5" << "Точка 1: \"12.5\" не целое число м3/ч";
        QTest::newRow("a letter inside") << "1o5" << "Точка 1: \"1o5\" не целое число м3/ч";
        QTest::newRow("two numbers") << "12 5" << "Точка 1: \"12 5\" не целое число м3/ч";
    }
    void keysAreKeptAndJudgedOnOk()
    {
        QFETCH(QString, keys);
        QFETCH(QString, message);
        Window w;
        w.frm.show();
        w.type({});
        w.frm.form.edit(0).typeText(keys);
        QCOMPARE(w.frm.form.edit(0).text(), keys);
        w.frm.form.BitBtn1.click();
        QCOMPARE(w.dialogs.messages, QStringList{message});
        QVERIFY(w.frm.form.isVisible());
        QCOMPARE(w.stored(), kStored);
    }

    void wholePointTypedByKeysIsStored()
    {
        Window w;
        w.frm.show();
        w.type({});
        w.frm.form.edit(0).typeText(QStringLiteral("125"));
        w.frm.form.BitBtn1.click();
        QVERIFY2(w.dialogs.messages.isEmpty(), qPrintable(w.dialogs.lastMessage()));
        QCOMPARE(w.stored(), QList<int>{125});
    }

    void everyPointNamesItsUnit()
    {
        Window w;
        for (int i = 0; i < ui::forms::PointsForm::Rows; ++i)
            QCOMPARE(w.frm.form.rows.at(i)->label.caption(), QStringLiteral("Точка %1, м3/ч").arg(i + 1));
    }

    void storesThePointsInTheOrderTyped()
    {
        Window w;
        w.frm.show();
        w.type({" 40", "", "5", "20 "});
        w.frm.form.BitBtn1.click();
        QVERIFY2(w.dialogs.messages.isEmpty(), qPrintable(w.dialogs.lastMessage()));
        QVERIFY(!w.frm.form.isVisible());
        QCOMPARE(w.frm.form.modalResult, ui::ModalResult::Ok);
        QCOMPARE(w.stored(), (QList<int>{40, 5, 20}));

        // Shown again, the window offers what it stored, packed from the first edit.
        w.type({"1", "2", "3", "4", "5", "6"});
        w.frm.show();
        QCOMPARE(w.frm.form.edit(0).text(), QString("40"));
        QCOMPARE(w.frm.form.edit(1).text(), QString("5"));
        QCOMPARE(w.frm.form.edit(2).text(), QString("20"));
        QCOMPARE(w.frm.form.edit(3).text(), QString());
        QCOMPARE(w.frm.form.edit(ui::forms::PointsForm::Rows - 1).text(), QString());
    }

    void otherParametersStayAsStored()
    {
        Window w;
        settings::IniFile ini(w.path());
        VerificationParameters before = VerificationParameters::read(ini);
        before.readings = 4;
        before.volume = 0.25;
        before.write(ini);
        w.frm.show();
        w.type({"7"});
        w.frm.form.BitBtn1.click();
        before.points = {7};
        QCOMPARE(VerificationParameters::read(settings::IniFile(w.path())), before);
    }

    void cancelStoresNothing()
    {
        Window w;
        w.frm.show();
        w.type({"7"});
        w.frm.form.BitBtn2.click();
        QVERIFY(!w.frm.form.isVisible());
        QCOMPARE(w.frm.form.modalResult, ui::ModalResult::Cancel);
        QCOMPARE(w.stored(), kStored);
    }
};

QTEST_GUILESS_MAIN(TstPointsWindow)
#include "tst_points_window.moc"
