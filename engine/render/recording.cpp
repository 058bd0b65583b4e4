#include "engine/render/recording.h"

#include <QImage>

#include <cmath>

namespace engine {

QString targetName(TargetKind kind)
{
    switch (kind) {
    case TargetKind::Page:
        return QStringLiteral("page");
    case TargetKind::First:
        return QStringLiteral("first");
    case TargetKind::Second:
        return QStringLiteral("second");
    }
    return {};
}

class Recording::Target final : public DrawTarget
{
public:
    Target(Recording &recording, TargetKind kind) : m_recording(recording), m_kind(kind) {}

    TargetKind kind() const override { return m_kind; }
    bool canDraw() override { return m_kind != TargetKind::Page || m_recording.m_pageWorking; }

    void drawChar(double x, double y, const TextStyle &style, const QString &character) override
    {
        write(QStringLiteral("text"), {number(x), number(y), style.font, QString::number(style.size), flag(style.bold),
                                       flag(style.italic), flag(style.underline), character});
    }
    void drawLine(double x1, double y1, double x2, double y2, int penWidth) override
    {
        write(QStringLiteral("line"), {number(x1), number(y1), number(x2), number(y2), QString::number(penWidth)});
    }
    void drawBox(double x1, double y1, double x2, double y2) override
    {
        write(QStringLiteral("box"), {number(x1), number(y1), number(x2), number(y2)});
    }
    void drawPicture(const QString &file, const QImage &, double x, double y, double width, double height) override
    {
        write(QStringLiteral("picture"), {file, number(x), number(y), number(width), number(height)});
    }
    void drawRotatedText(double x, double y, const QString &text) override
    {
        write(QStringLiteral("rotated"), {number(x), number(y), text});
    }

private:
    static QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }
    void write(const QString &operation, QStringList fields)
    {
        fields.prepend(targetName(m_kind));
        m_recording.note(operation, fields);
    }

    Recording &m_recording;
    TargetKind m_kind = TargetKind::Page;
};

class Recording::Window final : public PreviewSurface
{
public:
    explicit Window(Recording &recording) : m_recording(recording) {}

    DrawTarget &picture(TargetKind kind) override
    {
        return m_recording.target(kind == TargetKind::Second ? TargetKind::Second : TargetKind::First);
    }
    void setNoticeVisible(bool visible) override
    {
        m_recording.note(QStringLiteral("notice"), {visible ? QStringLiteral("shown") : QStringLiteral("hidden")});
    }
    void setPageButtonEnabled(bool enabled) override
    {
        m_recording.note(QStringLiteral("pagebutton"),
                         {enabled ? QStringLiteral("enabled") : QStringLiteral("disabled")});
    }
    void present() override {}

private:
    Recording &m_recording;
};

Recording::Recording()
{
    m_window = std::make_unique<Window>(*this);
    m_targets[0] = std::make_unique<Target>(*this, TargetKind::Page);
    m_targets[1] = std::make_unique<Target>(*this, TargetKind::First);
    m_targets[2] = std::make_unique<Target>(*this, TargetKind::Second);
}

Recording::~Recording() = default;

DrawTarget &Recording::target(TargetKind kind)
{
    return *m_targets[static_cast<size_t>(kind)];
}

PreviewSurface &Recording::openPreview(PreviewShape, platform::Printer *)
{
    return *m_window;
}

void Recording::note(const QString &operation, const QStringList &fields)
{
    QString line = operation;
    for (const QString &field : fields) {
        line += u'\t';
        line += field;
    }
    m_lines.append(line);
}

void Recording::information(const QString &text)
{
    QString escaped = text;
    escaped.replace(u'\r', QStringLiteral("\\r"));
    note(QStringLiteral("message"), {escaped});
}

bool Recording::question(const QString &text)
{
    information(text);
    return false;
}

QString Recording::text() const
{
    QString all;
    for (const QString &line : m_lines) {
        all += line;
        all += u'\n';
    }
    return all;
}

QString Recording::number(double value)
{
    const double rounded = std::round(value * 100.0) / 100.0;
    if (rounded == 0.0)
        return QStringLiteral("0");
    QString text = QString::number(rounded, 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

} // namespace engine
