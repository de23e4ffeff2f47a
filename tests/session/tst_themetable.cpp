// The theme table and the categories: codes, levels and the checks that keep the table sound.
#include "session/exercise.h"
#include "session/themetable.h"

#include <QtTest>

using namespace velmora;

namespace {

void Generator1(Exercise&) {}
void Generator2(Exercise&) {}

ThemeDescriptor Theme(int code, ThemeGenerator generator, CycleSlots cycle = {})
{
    ThemeDescriptor theme;
    theme.Code = code;
    theme.Title = "titel";
    theme.Generator = generator;
    theme.Help = {1, 1};
    theme.Cycle = cycle;
    return theme;
}

}  // namespace

class TestThemeTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void categories_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("tag");
        QTest::addColumn<int>("levels");
        QTest::newRow("first fraction") << 1 << 0 << 3;
        QTest::newRow("last fraction slot") << 10 << 0 << 3;
        QTest::newRow("first percentage") << 11 << 10 << 2;
        QTest::newRow("last percentage slot") << 20 << 10 << 2;
        QTest::newRow("first calculator") << 21 << 20 << 3;
        QTest::newRow("last calculator slot") << 30 << 20 << 3;
        QTest::newRow("no code") << 0 << -10 << 3;
        QTest::newRow("beyond") << 31 << -10 << 3;
    }
    void categories()
    {
        QFETCH(int, code);
        QFETCH(int, tag);
        QFETCH(int, levels);
        const Category category = CategoryOfCode(code);
        QCOMPARE(CategoryTag(category), tag);
        QCOMPARE(CategoryOfTag(tag), category);
        QCOMPARE(LevelCount(category), levels);
    }

    void shippedTableIsSound()
    {
        // Every code of every category has its exercise; 10 and 30 name none.
        for (int code = 0; code <= 31; ++code)
            QCOMPARE(FindTheme(code) != nullptr, code >= 1 && code <= 29 && code != 10);
        QCOMPARE(CheckThemeTable(), QString());
        for (const ThemeDescriptor* theme : AllThemes())
            QCOMPARE(FindTheme(theme->Code), theme);
        QVERIFY(!FindTheme(10));
        QVERIFY(!FindTheme(30));
    }

    void faultsAreFound_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("code twice") << 0 << "theme 4: listed twice";
        QTest::newRow("code 10") << 1 << "theme 10: no such code";
        QTest::newRow("code 30") << 5 << "theme 30: no such code";
        QTest::newRow("counter of another generator")
            << 2 << "theme 5: rotation counter 3 belongs to another generator";
        QTest::newRow("counter out of range") << 3 << "theme 5: rotation counters out of range";
        QTest::newRow("no help topic") << 4 << "theme 5: no help topic";
    }
    void faultsAreFound()
    {
        QFETCH(int, fault);
        QFETCH(QString, message);
        const ThemeDescriptor first = Theme(4, Generator1, {3, 1, 0});
        ThemeDescriptor second = Theme(5, Generator2);
        switch (fault) {
            case 0:
                second.Code = 4;
                break;
            case 1:
                second.Code = 10;
                break;
            case 2:
                second.Cycle = {2, 2, 0};
                break;
            case 3:
                second.Cycle = {CycleSlotCount - 1, 2, 0};
                break;
            case 4:
                second.Help = {1, 0};
                break;
            default:
                second.Code = 30;
                break;
        }
        const ThemeDescriptor* table[] = {&first, &second};
        QVERIFY2(CheckThemeTable(table).contains(message), qPrintable(CheckThemeTable(table)));
    }

    // Box 10 of the percentage list is theme 20; only 10 and 30 name no theme.
    void lastPercentageBoxIsATheme()
    {
        const ThemeDescriptor first = Theme(4, Generator1);
        const ThemeDescriptor second = Theme(20, Generator2);
        const ThemeDescriptor* table[] = {&first, &second};
        QCOMPARE(CheckThemeTable(table), QString());
    }

    // Themes that share a generator share its counters.
    void sharedGeneratorSharesCounters()
    {
        const ThemeDescriptor first = Theme(4, Generator1, {3, 1, 0});
        const ThemeDescriptor second = Theme(5, Generator1, {3, 1, 0});
        const ThemeDescriptor* table[] = {&first, &second};
        QCOMPARE(CheckThemeTable(table), QString());
    }
};

QTEST_MAIN(TestThemeTable)
#include "tst_themetable.moc"
