#pragma once

#include "util/Prompter.h"
#include "util/ZanError.h"

#include <QString>

// The boxed critical error message that most command handlers show when they fail.
namespace ErrorBox {

// The message text: asterisk frame, error number and source, description, the routine
// text and the support line, joined by CR LF.
QString boxedText(const ZanError &error, const QString &text);

// Shows boxedText with the critical icon, an OK button and the title "Error...".
void showErrorBox(Prompter &prompter, const ZanError &error, const QString &text);

} // namespace ErrorBox
