#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace app {

// The file dialog that picks a product's label picture.
class PictureFileChooser
{
public:
    virtual ~PictureFileChooser() = default;

    // The file the user picked, as an absolute path; empty when the dialog
    // was cancelled. `parent` is the window that asks; the dialog is modal
    // over it.
    virtual QString choosePicture(QWidget *parent) = 0;
};

// Picks the files it is given, one a call, then cancels. For tests.
class ScriptedPictureChooser final : public PictureFileChooser
{
public:
    QString choosePicture(QWidget *) override
    {
        ++m_calls;
        return m_files.isEmpty() ? QString() : m_files.takeFirst();
    }
    void pickNext(const QString &file) { m_files.append(file); }
    int calls() const { return m_calls; }

private:
    QStringList m_files;
    int m_calls = 0;
};

} // namespace app
