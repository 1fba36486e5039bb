#pragma once

#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>
#include <functional>
#include <vector>

// One row per message a user action must show: what the user (or the failing step) does, then
// the message it ends with, word for word. `line` rows check one whole line of a longer message
// (a boxed report carries the error's own description around the handler's line).
struct MessageCase {
    const char *action;
    std::function<void()> run;
    QString text;
    QString title;
    Prompter::Icon icon;
    Prompter::Buttons buttons = Prompter::Buttons::Ok;
    bool line = false;
};

inline void expectMessages(const ScriptedPrompter &prompter, const std::vector<MessageCase> &cases)
{
    for (const MessageCase &c : cases) {
        SCOPED_TRACE(c.action);
        const int before = prompter.count();
        c.run();
        ASSERT_GT(prompter.count(), before) << "no message shown";
        const ScriptedPrompter::Record &shown = prompter.last();
        if (c.line)
            EXPECT_TRUE(shown.text.split(QStringLiteral("\r\n")).contains(c.text)) << shown.text.toStdString();
        else
            EXPECT_EQ(shown.text, c.text);
        EXPECT_EQ(shown.title, c.title);
        EXPECT_EQ(shown.icon, c.icon);
        EXPECT_EQ(shown.buttons, c.buttons);
    }
}

// The entries of a list or combo box, in order.
template <typename List> QStringList entriesOf(const List &list)
{
    QStringList result;
    for (int i = 0; i < list.count(); ++i) {
        if constexpr (requires { list.itemText(i); })
            result << list.itemText(i);
        else
            result << list.item(i)->text();
    }
    return result;
}
