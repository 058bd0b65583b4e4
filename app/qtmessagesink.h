#pragma once

#include "platform/messagesink.h"

namespace app {

// The real message boxes: modal, over the window the user is working in.
class QtMessageSink final : public platform::MessageSink
{
public:
    void information(const QString &text) override;
    bool question(const QString &text) override;
    void titledInformation(const QString &title, const QString &text) override;
};

} // namespace app
