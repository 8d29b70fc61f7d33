// Key filters of number fields and reading numbers under either decimal separator.
#include "shell/input/NumberFormat.h"
#include "shell/input/NumberInput.h"
#include "ui/model/UserError.h"

#include <QTest>

class TstNumberInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keyFilters_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<QChar>("asInt");
        QTest::addColumn<QChar>("asFloat");
        const QChar none(0);
        for (QChar sep : {QChar(u'.'), QChar(u',')}) {
            const char* s = sep == u'.' ? "point: " : "comma: ";
            QTest::addRow("%sdigit", s) << sep << QChar(u'7') << QChar(u'7') << QChar(u'7');
            QTest::addRow("%sminus", s) << sep << QChar(u'-') << QChar(u'-') << QChar(u'-');
            QTest::addRow("%sbackspace", s) << sep << QChar(8) << QChar(8) << QChar(8);
            QTest::addRow("%spoint", s) << sep << QChar(u'.') << none << sep;
            QTest::addRow("%scomma", s) << sep << QChar(u',') << none << sep;
            QTest::addRow("%sletter", s) << sep << QChar(u'a') << none << none;
            QTest::addRow("%sblank", s) << sep << QChar(u' ') << none << none;
            QTest::addRow("%scyrillic", s) << sep << QChar(u'ж') << none << none;
            QTest::addRow("%sEnter", s) << sep << QChar(13) << none << none;
        }
    }
    void keyFilters()
    {
        QFETCH(QChar, separator);
        QFETCH(QChar, key);
        QFETCH(QChar, asInt);
        QFETCH(QChar, asFloat);
        input::setDecimalSeparator(separator);
        QChar k = key;
        input::edtInt(k);
        QCOMPARE(k, asInt);
        k = key;
        input::edtFloat(k);
        QCOMPARE(k, asFloat);
    }

    void anySepStrToFloat_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        for (QChar sep : {QChar(u'.'), QChar(u',')}) {
            const char* s = sep == u'.' ? "point: " : "comma: ";
            QTest::addRow("%s1.5", s) << sep << "1.5" << true << 1.5;
            QTest::addRow("%s1,5", s) << sep << "1,5" << true << 1.5;
            QTest::addRow("%sinteger", s) << sep << "-12" << true << -12.0;
            QTest::addRow("%sletters", s) << sep << "abc" << false << 0.0;
            QTest::addRow("%sempty", s) << sep << "" << false << 0.0;
            QTest::addRow("%sexponent", s) << sep << "2e3" << true << 2000.0;
        }
        QTest::newRow("comma: 1.000,5 fails") << QChar(u',') << "1.000,5" << false << 0.0;
        QTest::newRow("point: 1,000.5 fails") << QChar(u'.') << "1,000.5" << false << 0.0;
    }
    void anySepStrToFloat()
    {
        QFETCH(QChar, separator);
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        input::setDecimalSeparator(separator);
        try {
            const double v = input::AnySepStrToFloat(text);
            QVERIFY2(valid, qPrintable(text));
            QCOMPARE(v, value);
        } catch (const ui::UserError& e) {
            QVERIFY2(!valid, qPrintable(text));
            QVERIFY(e.message().contains(u'«'));
            QVERIFY(e.message().endsWith(QStringLiteral("не является числом")));
        }
    }

    void strToFloatTakesOnlyThePlatformSeparator()
    {
        input::setDecimalSeparator(u',');
        QCOMPARE(input::StrToFloat("12,5"), 12.5);
        QVERIFY_THROWS_EXCEPTION(ui::UserError, input::StrToFloat("12.5"));
        input::setDecimalSeparator(u'.');
        QCOMPARE(input::StrToFloat("12.5"), 12.5);
        QVERIFY_THROWS_EXCEPTION(ui::UserError, input::StrToFloat("12,5"));
    }

    void strToInt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "300" << true << 300;
        QTest::newRow("signed") << "-7" << true << -7;
        QTest::newRow("blanks") << " 5 " << true << 5;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("decimal") << "1.5" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("too large") << "99999999999" << false << 0;
    }
    void strToInt()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        try {
            QCOMPARE(input::StrToInt(text), value);
            QVERIFY(valid);
        } catch (const ui::UserError& e) {
            QVERIFY(!valid);
            QCOMPARE(e.message(), QStringLiteral("«%1» не является целым числом").arg(text));
        }
    }

    void formats_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("comma");
        QTest::newRow("0.3") << 0.3 << 4 << "0.3" << "0,3";
        QTest::newRow("trailing zeros") << 13.0510275 << 3 << "13.051" << "13,051";
        QTest::newRow("whole") << 256.0 << 3 << "256" << "256";
        QTest::newRow("rounds") << 2.11149 << 3 << "2.111" << "2,111";
        QTest::newRow("negative zero") << -0.00001 << 3 << "0" << "0";
    }
    void formats()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, point);
        QFETCH(QString, comma);
        input::setDecimalSeparator(u'.');
        QCOMPARE(input::formatFloat(value, decimals), point);
        input::setDecimalSeparator(u',');
        QCOMPARE(input::formatFloat(value, decimals), comma);
    }
};

QTEST_GUILESS_MAIN(TstNumberInput)
#include "tst_numberinput.moc"
