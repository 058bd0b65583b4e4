#pragma once

#include "store/productrecord.h"

#include <QColor>
#include <QString>

#include <array>

namespace screens {

// One ruled-line switch: a field caption that frames its field on the label.
enum class SwitchState { Off, On, Unavailable };

// The eleven ruled-line switches of the registration screen, one for each
// position of the mask. On the small label spare 3 and the remarks are not
// printed, so their switches are unavailable there and count as off.
class RulingSwitches
{
public:
    SwitchState state(store::RuledGroup group) const { return m_states[index(group)]; }
    bool anyOn() const;

    // A click on a field's caption. The small label draws no ruled lines, so
    // there a click only ever switches off; spare 3 and the remarks simply
    // toggle, unless they are unavailable.
    void click(store::RuledGroup group, bool smallLabel);
    // "罫線なし" switches every available switch on, "罫線あり" every one off.
    void toggleAll();
    // The label size changed: the small label switches everything off and
    // makes spare 3 and the remarks unavailable; the large ones give them back.
    void applyLabelSize(bool smallLabel);
    // The switches of a stored mask: "o" on, anything else off.
    void load(const QString &mask);
    // The mask a save writes: "o" on, "x" off or unavailable.
    QString mask() const;

    // What the all-switches button shows.
    QString toggleCaption() const;
    QColor toggleColour() const;

    static QColor captionColour(SwitchState state);

private:
    static size_t index(store::RuledGroup group) { return static_cast<size_t>(group); }
    static bool togglesFreely(store::RuledGroup group);

    std::array<SwitchState, store::kRuledGroupCount> m_states{};
};

} // namespace screens
