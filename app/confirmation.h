#pragma once

#include <QList>
#include <QString>

#include <deque>

namespace app {

// The answer of the confirmation window: "o" for its left button, "c" for
// its right button, which is also what its close box answers.
enum class ConfirmationAnswer : char16_t { Left = u'o', Right = u'c' };

// One question for the confirmation window ("確認"): up to three lines (a
// line not needed stays empty) and two buttons whose captions, visibility and
// enabled state the caller chooses.
struct ConfirmationRequest
{
    QString line1;
    QString line2;
    QString line3;
    QString leftCaption = QStringLiteral("実行");
    QString rightCaption = QStringLiteral("中止");
    bool leftVisible = true;
    bool rightVisible = true;
    bool leftEnabled = true;
    bool rightEnabled = true;

    bool operator==(const ConfirmationRequest &) const = default;

    // A question with both buttons.
    static ConfirmationRequest question(const QString &line1, const QString &line2, const QString &leftCaption,
                                        const QString &rightCaption)
    {
        ConfirmationRequest request;
        request.line1 = line1;
        request.line2 = line2;
        request.leftCaption = leftCaption;
        request.rightCaption = rightCaption;
        return request;
    }

    // Something to acknowledge: the right button alone, the left one hidden.
    static ConfirmationRequest acknowledgement(const QString &line1, const QString &line2, const QString &line3,
                                               const QString &rightCaption)
    {
        ConfirmationRequest request;
        request.line1 = line1;
        request.line2 = line2;
        request.line3 = line3;
        request.leftCaption.clear();
        request.leftVisible = false;
        request.leftEnabled = false;
        request.rightCaption = rightCaption;
        return request;
    }
};

// Asks the confirmation window and waits for it: the window stays in front
// of the program until it is answered, and one call gives the answer back to
// the screen that asked.
class Confirmation
{
public:
    virtual ~Confirmation() = default;
    virtual ConfirmationAnswer ask(const ConfirmationRequest &request) = 0;
};

// Answers from a queue of prepared answers and remembers every request; with
// the queue empty it answers as the close box does. For tests.
class ScriptedConfirmation final : public Confirmation
{
public:
    ConfirmationAnswer ask(const ConfirmationRequest &request) override
    {
        m_asked.append(request);
        if (m_answers.empty())
            return ConfirmationAnswer::Right;
        const ConfirmationAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    void answerNext(ConfirmationAnswer answer) { m_answers.push_back(answer); }
    const QList<ConfirmationRequest> &asked() const { return m_asked; }
    void clear()
    {
        m_asked.clear();
        m_answers.clear();
    }

private:
    QList<ConfirmationRequest> m_asked;
    std::deque<ConfirmationAnswer> m_answers;
};

} // namespace app
