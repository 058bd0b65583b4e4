#pragma once

#include "store/usersettings.h"

#include <optional>

namespace store {

// Where screens and jobs get user.dat from. Each call reads it afresh: a
// screen reads it once when it opens, a print job once when it starts.
class SettingsSource
{
public:
    virtual ~SettingsSource() = default;

    // The settings as they are now; empty, with `error` set to a message for
    // the user, when they cannot be read.
    virtual std::optional<UserSettings> read(QString *error = nullptr) const = 0;

    // The settings, or the defaults when they cannot be read: a label is
    // still drawn with a settings file that has gone bad.
    UserSettings readOrDefaults() const { return read().value_or(UserSettings::defaults()); }
};

// user.dat in the working folder.
class FileSettingsSource final : public SettingsSource
{
public:
    explicit FileSettingsSource(QString workDir) : m_workDir(std::move(workDir)) {}
    std::optional<UserSettings> read(QString *error = nullptr) const override
    {
        return readUserSettings(m_workDir, error);
    }

private:
    QString m_workDir;
};

// Settings given in the program instead of read from a file: the command
// line's printer of choice, and tests.
class FixedSettingsSource final : public SettingsSource
{
public:
    explicit FixedSettingsSource(UserSettings settings) : m_settings(std::move(settings)) {}
    std::optional<UserSettings> read(QString * = nullptr) const override { return m_settings; }
    void set(const UserSettings &settings) { m_settings = settings; }

private:
    UserSettings m_settings;
};

} // namespace store
