// The window of the automatic verification's process parameters: it shows what ZTA.ini holds in
// seconds, stores what the operator typed, and refuses values that do not fit without storing
// anything.
#include "../support/ScriptedDialogs.h"
#include "modes/verification/ParATFrm.h"
#include "shell/input/NumberInput.h"
#include "shell/settings/IniFile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace verification;

Q_DECLARE_METATYPE(VerificationParameters)

namespace {

struct Window {
    Window() : frm(dir.filePath(QStringLiteral("ZTA.ini"))) {}

    QString path() const { return dir.filePath(QStringLiteral("ZTA.ini")); }
    void type(const QStringList& texts)
    {
        ui::Edit* edits[] = {&frm.form.Edit1, &frm.form.Edit2, &frm.form.Edit3, &frm.form.Edit4, &frm.form.Edit5};
        for (int i = 0; i < texts.size(); ++i)
            edits[i]->setText(texts[i]);
    }

    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    TParATFrm frm;
};

const VerificationParameters kStored{2500, 7, 1500, 12000, 0.25, {13, 30, 47}};

}  // namespace

class TstAutoVerificationWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsTheStoredValues()
    {
        Window w;
        settings::IniFile ini(w.path());
        QVERIFY(kStored.write(ini));
        w.frm.show();
        QVERIFY(w.frm.form.isVisible());
        const ui::forms::ParATForm& f = w.frm.form;
        QCOMPARE(f.Edit1.text(), QStringLiteral("2.5"));
        QCOMPARE(f.Edit2.text(), QStringLiteral("7"));
        QCOMPARE(f.Edit3.text(), QStringLiteral("1.5"));
        QCOMPARE(f.Edit4.text(), QStringLiteral("12"));
        QCOMPARE(f.Edit5.text(), QStringLiteral("0.25"));
    }

    void okStoresWhatWasTyped_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<VerificationParameters>("expected");
        QTest::newRow("points") << QStringList{QStringLiteral("30"), QStringLiteral("10"), QStringLiteral("1.2"),
                                               QStringLiteral("15"), QStringLiteral("0.5")}
                                << VerificationParameters{30000, 10, 1200, 15000, 0.5, kStored.points};
        QTest::newRow("commas, zeros") << QStringList{QStringLiteral("0,25"), QStringLiteral("1"), QStringLiteral("0"),
                                                      QStringLiteral("0"), QStringLiteral("0")}
                                       << VerificationParameters{250, 1, 0, 0, 0, kStored.points};
    }

    void okStoresWhatWasTyped()
    {
        QFETCH(QStringList, typed);
        QFETCH(VerificationParameters, expected);
        Window w;
        settings::IniFile ini(w.path());
        QVERIFY(kStored.write(ini));
        w.frm.show();
        w.type(typed);
        w.frm.form.BitBtn1.click();
        QVERIFY2(w.dialogs.messages.isEmpty(), qPrintable(w.dialogs.lastMessage()));
        QVERIFY(!w.frm.form.isVisible());
        QCOMPARE(w.frm.form.modalResult, ui::ModalResult::Ok);
        // The points are not the window's: they stay as stored.
        QCOMPARE(VerificationParameters::read(settings::IniFile(w.path())), expected);
    }

    void refusedValuesStoreNothing_data()
    {
        QTest::addColumn<int>("edit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("negative settling") << 0 << QStringLiteral("-1")
                                           << QStringLiteral("\"Переходной процесс после переключения расхода, с\": значение -1 меньше допустимого (0)");
        QTest::newRow("no readings") << 1 << QStringLiteral("0")
                                     << QStringLiteral("\"Количество снятий показаний прибора на каждом расходе\": нужно хотя бы одно снятие показаний");
        QTest::newRow("readings not whole") << 1 << QStringLiteral("2.5")
                                            << QStringLiteral("\"Количество снятий показаний прибора на каждом расходе\": ")
                                                   + input::notAnInteger(QStringLiteral("2.5"));
        QTest::newRow("period not a number") << 2 << QStringLiteral("abc")
                                             << QStringLiteral("\"Период между снятиями показаний прибора, с\": ")
                                                    + input::notANumber(QStringLiteral("abc"));
        QTest::newRow("negative volume") << 4 << QStringLiteral("-0.5")
                                         << QStringLiteral("\"Набираемый объём при поверке объёма, м3\": значение -0.5 меньше допустимого (0)");
    }

    void refusedValuesStoreNothing()
    {
        QFETCH(int, edit);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Window w;
        settings::IniFile ini(w.path());
        QVERIFY(kStored.write(ini));
        w.frm.show();
        QStringList typed{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")};
        typed[edit] = text;
        w.type(typed);
        w.frm.form.BitBtn1.click();
        QCOMPARE(w.dialogs.lastMessage(), message);
        QVERIFY(w.frm.form.isVisible());
        QCOMPARE(VerificationParameters::read(settings::IniFile(w.path())), kStored);
    }

    // Typed key by key as the operator does: no character is dropped, so a text that is not the
    // field's number is refused on OK, naming the field, instead of being read as another value.
    void keysAreKeptAndJudgedOnOk_data()
    {
        QTest::addColumn<int>("edit");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("message");
        QTest::newRow("readings with a decimal comma")
            << 1 << QStringLiteral("2,5")
            << QStringLiteral("\"Количество снятий показаний прибора на каждом расходе\": ") + input::notAnInteger(QStringLiteral("2,5"));
        QTest::newRow("settling with a letter")
            << 0 << QStringLiteral("1o")
            << QStringLiteral("\"Переходной процесс после переключения расхода, с\": ") + input::notANumber(QStringLiteral("1o"));
        QTest::newRow("volume with two separators")
            << 4 << QStringLiteral("0,2.5")
            << QStringLiteral("\"Набираемый объём при поверке объёма, м3\": ") + input::notANumber(QStringLiteral("0,2.5"));
    }
    void keysAreKeptAndJudgedOnOk()
    {
        QFETCH(int, edit);
        QFETCH(QString, keys);
        QFETCH(QString, message);
        Window w;
        settings::IniFile ini(w.path());
        QVERIFY(kStored.write(ini));
        w.frm.show();
        ui::Edit* edits[] = {&w.frm.form.Edit1, &w.frm.form.Edit2, &w.frm.form.Edit3, &w.frm.form.Edit4, &w.frm.form.Edit5};
        edits[edit]->setText(QString());
        edits[edit]->typeText(keys);
        QCOMPARE(edits[edit]->text(), keys);
        w.frm.form.BitBtn1.click();
        QCOMPARE(w.dialogs.messages, QStringList{message});
        QVERIFY(w.frm.form.isVisible());
        QCOMPARE(VerificationParameters::read(settings::IniFile(w.path())), kStored);
    }

    void cancelStoresNothing()
    {
        Window w;
        w.frm.show();
        w.type({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")});
        w.frm.form.BitBtn2.click();
        QVERIFY(!w.frm.form.isVisible());
        QCOMPARE(w.frm.form.modalResult, ui::ModalResult::Cancel);
        QVERIFY(!settings::IniFile(w.path()).exists());
    }

    void windowAsDeclared()
    {
        Window w;
        const ui::forms::ParATForm& f = w.frm.form;
        QCOMPARE(f.caption(), QStringLiteral("Параметры процесса автоматического тестирования"));
        QVERIFY(f.stayOnTop);
        QCOMPARE(f.Label3.caption(), QStringLiteral("Период между снятиями показаний прибора, с"));
        QVERIFY(f.BitBtn1.isDefault);
        QVERIFY(f.BitBtn2.isCancel);
    }
};


QTEST_GUILESS_MAIN(TstAutoVerificationWindow)
#include "tst_auto_verification_window.moc"
