#pragma once

#include "engine/render/drawtarget.h"
#include "engine/render/previewsurface.h"
#include "platform/messagesink.h"

#include <QStringList>

#include <array>
#include <memory>

namespace engine {

// Everything a label composition does, written down as text: one operation a
// line, fields separated by TAB, numbers in twips. It is what the engine's
// tests compare and what `sakurabe-cli render --out` writes.
//
//   text    TARGET X Y FONT SIZE BOLD ITALIC UNDERLINE CHAR
//   line    TARGET X1 Y1 X2 Y2 PENWIDTH
//   box     TARGET X1 Y1 X2 Y2
//   picture TARGET FILE X Y W H
//   rotated TARGET X Y TEXT
//   page | end | paper N | copies N | orientation portrait|landscape
//   notice shown|hidden | pagebutton enabled|disabled | message TEXT
class Recording final : public platform::MessageSink, public PreviewHost
{
public:
    Recording();
    ~Recording() override;

    DrawTarget &target(TargetKind kind);
    // Makes the page target behave like a printer that cannot draw.
    void setPageWorking(bool working) { m_pageWorking = working; }

    // A line for an event that is not drawing: "page", "paper\t513", ...
    void note(const QString &operation, const QStringList &fields = {});

    // A message box: recorded, never shown. Questions are answered No.
    void information(const QString &text) override;
    bool question(const QString &text) override;

    // Preview windows whose pictures are this recording's first and second
    // targets; the notice and the page button are written down.
    PreviewSurface &openPreview(PreviewShape shape, platform::Printer *printer) override;

    const QStringList &lines() const { return m_lines; }
    QString text() const; // every line followed by "\n"
    void clear() { m_lines.clear(); }

    // Twips with up to two decimals and no trailing zeros: 100, 87.88, -14.
    static QString number(double value);

private:
    class Target;
    class Window;
    friend class Target;

    QStringList m_lines;
    std::array<std::unique_ptr<Target>, 3> m_targets;
    std::unique_ptr<Window> m_window;
    bool m_pageWorking = true;
};

} // namespace engine
