#include "screens/registration/rulingswitches.h"

#include <QTest>

using screens::RulingSwitches;
using screens::SwitchState;
using store::RuledGroup;

namespace {

// The states as the mask would read them: "o" on, "x" off, "-" unavailable.
QString states(const RulingSwitches &switches)
{
    QString out;
    for (int i = 0; i < store::kRuledGroupCount; ++i) {
        const SwitchState s = switches.state(static_cast<RuledGroup>(i));
        out += s == SwitchState::On ? u'o' : s == SwitchState::Off ? u'x' : u'-';
    }
    return out;
}

} // namespace

// The ruled-line switches of the registration screen and the button that
// switches them all.
class TestRulingSwitches : public QObject
{
    Q_OBJECT

private slots:
    void clicks()
    {
        RulingSwitches s;
        QCOMPARE(s.toggleCaption(), QStringLiteral("罫線なし"));
        QCOMPARE(s.toggleColour(), QColor(192, 192, 255));
        s.click(RuledGroup::ProductName, false);
        QCOMPARE(states(s), QStringLiteral("oxxxxxxxxxx"));
        QCOMPARE(s.toggleCaption(), QStringLiteral("罫線あり"));
        QCOMPARE(s.toggleColour(), QColor(255, 192, 192));
        s.click(RuledGroup::ProductName, false);
        QCOMPARE(s.toggleCaption(), QStringLiteral("罫線なし"));
        s.click(RuledGroup::Expiry, false);
        s.click(RuledGroup::Remarks, false);
        QCOMPARE(s.mask(), QStringLiteral("xxxxoxxxxxo"));
    }

    // The small label: everything off, spare 3 and the remarks unavailable,
    // and a caption click never switches on.
    void smallLabel()
    {
        RulingSwitches s;
        s.load(QStringLiteral("ooooooooooo"));
        s.applyLabelSize(true);
        QCOMPARE(states(s), QStringLiteral("xxxxxxxxx--"));
        QCOMPARE(s.toggleCaption(), QStringLiteral("罫線なし"));
        s.click(RuledGroup::ProductName, true);
        s.click(RuledGroup::Spare3, true);
        QCOMPARE(states(s), QStringLiteral("xxxxxxxxx--"));
        QCOMPARE(s.mask(), QStringLiteral("xxxxxxxxxxx"));
        // The all-switches button leaves the unavailable ones alone.
        s.toggleAll();
        QCOMPARE(states(s), QStringLiteral("ooooooooo--"));
        QCOMPARE(s.mask(), QStringLiteral("oooooooooxx"));
        s.click(RuledGroup::ProductName, true);
        QCOMPARE(states(s), QStringLiteral("xoooooooo--"));

        // Back on a large label, spare 3 and the remarks are clickable again.
        s.applyLabelSize(false);
        QCOMPARE(states(s), QStringLiteral("xooooooooxx"));
        s.click(RuledGroup::Spare3, false);
        QCOMPARE(states(s), QStringLiteral("xooooooooox"));
    }

    void toggleAll()
    {
        RulingSwitches s;
        s.toggleAll();
        QCOMPARE(s.mask(), QStringLiteral("ooooooooooo"));
        s.toggleAll();
        QCOMPARE(s.mask(), QStringLiteral("xxxxxxxxxxx"));
        s.click(RuledGroup::Storage, false);
        s.toggleAll(); // one on: "罫線あり" switches all off
        QCOMPARE(s.mask(), QStringLiteral("xxxxxxxxxxx"));
    }

    void masks_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("saved");
        QTest::newRow("as stored") << "oxoxoxoxoxo" << "oxoxoxoxoxo";
        QTest::newRow("short: the rest off") << "oo" << "ooxxxxxxxxx";
        QTest::newRow("anything but o is off") << "O-x?oooooooo" << "xxxxooooooo";
    }
    void masks()
    {
        QFETCH(QString, stored);
        QFETCH(QString, saved);
        RulingSwitches s;
        s.load(stored);
        QCOMPARE(s.mask(), saved);
    }

    void captionColours()
    {
        QCOMPARE(RulingSwitches::captionColour(SwitchState::Off), QColor(0, 0, 0));
        QCOMPARE(RulingSwitches::captionColour(SwitchState::On), QColor(128, 128, 255));
        QCOMPARE(RulingSwitches::captionColour(SwitchState::Unavailable), QColor(204, 204, 204));
    }
};

QTEST_GUILESS_MAIN(TestRulingSwitches)
#include "tst_rulingswitches.moc"
