#include "screens/registration/rulingswitches.h"

namespace screens {

bool RulingSwitches::togglesFreely(store::RuledGroup group)
{
    return group == store::RuledGroup::Spare3 || group == store::RuledGroup::Remarks;
}

bool RulingSwitches::anyOn() const
{
    for (const SwitchState state : m_states) {
        if (state == SwitchState::On)
            return true;
    }
    return false;
}

void RulingSwitches::click(store::RuledGroup group, bool smallLabel)
{
    SwitchState &state = m_states[index(group)];
    if (state == SwitchState::Unavailable)
        return;
    if (togglesFreely(group))
        state = state == SwitchState::On ? SwitchState::Off : SwitchState::On;
    else
        state = smallLabel || state == SwitchState::On ? SwitchState::Off : SwitchState::On;
}

void RulingSwitches::toggleAll()
{
    const SwitchState to = anyOn() ? SwitchState::Off : SwitchState::On;
    for (SwitchState &state : m_states) {
        if (state != SwitchState::Unavailable)
            state = to;
    }
}

void RulingSwitches::applyLabelSize(bool smallLabel)
{
    if (smallLabel) {
        m_states.fill(SwitchState::Off);
        m_states[index(store::RuledGroup::Spare3)] = SwitchState::Unavailable;
        m_states[index(store::RuledGroup::Remarks)] = SwitchState::Unavailable;
        return;
    }
    for (const store::RuledGroup group : {store::RuledGroup::Spare3, store::RuledGroup::Remarks}) {
        if (m_states[index(group)] == SwitchState::Unavailable)
            m_states[index(group)] = SwitchState::Off;
    }
}

void RulingSwitches::load(const QString &mask)
{
    const store::RuledLineMask stored = store::RuledLineMask::fromText(mask);
    for (size_t i = 0; i < m_states.size(); ++i)
        m_states[i] = stored.isOn(static_cast<store::RuledGroup>(i)) ? SwitchState::On : SwitchState::Off;
}

QString RulingSwitches::mask() const
{
    store::RuledLineMask mask;
    for (size_t i = 0; i < m_states.size(); ++i)
        mask.setOn(static_cast<store::RuledGroup>(i), m_states[i] == SwitchState::On);
    return mask.text();
}

QString RulingSwitches::toggleCaption() const
{
    return anyOn() ? QStringLiteral("罫線あり") : QStringLiteral("罫線なし");
}

QColor RulingSwitches::toggleColour() const
{
    return anyOn() ? QColor(255, 192, 192) : QColor(192, 192, 255);
}

QColor RulingSwitches::captionColour(SwitchState state)
{
    switch (state) {
    case SwitchState::On:
        return {128, 128, 255};
    case SwitchState::Unavailable:
        return {204, 204, 204};
    case SwitchState::Off:
        break;
    }
    return {0, 0, 0};
}

} // namespace screens
