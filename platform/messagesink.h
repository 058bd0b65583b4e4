#pragma once

#include <QString>
#include <QStringList>

#include <deque>

namespace platform {

// The modal message boxes of the program. A message of several parts joins
// them with CR ("\r"); the box shows each CR as a line break.
class MessageSink
{
public:
    virtual ~MessageSink() = default;

    // A message with an OK button; returns once the user has read it.
    virtual void information(const QString &text) = 0;

    // A question with Yes and No buttons; true for Yes.
    virtual bool question(const QString &text) = 0;

    // A message with an OK button under a title of its own instead of the
    // program's name (the error boxes of the issuing screen).
    virtual void titledInformation(const QString &title, const QString &text)
    {
        Q_UNUSED(title);
        information(text);
    }
};

// Remembers every message instead of showing it; questions are answered from
// a queue of prepared answers (No once it is empty). For tests and scripts.
class RecordingMessageSink final : public MessageSink
{
public:
    void information(const QString &text) override { m_shown.append(text); }
    bool question(const QString &text) override
    {
        m_asked.append(text);
        if (m_answers.empty())
            return false;
        const bool answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    void titledInformation(const QString &title, const QString &text) override
    {
        m_titles.append(title);
        information(text);
    }

    void answerNext(bool yes) { m_answers.push_back(yes); }
    const QStringList &shown() const { return m_shown; }
    const QStringList &asked() const { return m_asked; }
    // The titles of the messages shown under a title of their own.
    const QStringList &titles() const { return m_titles; }
    void clear()
    {
        m_shown.clear();
        m_asked.clear();
        m_titles.clear();
        m_answers.clear();
    }

private:
    QStringList m_shown;
    QStringList m_asked;
    QStringList m_titles;
    std::deque<bool> m_answers;
};

} // namespace platform
