// The editor's messages in the prompt area: what a save wrote, or why a save
// or a load did nothing.
#pragma once

#include <string>

#include "../platform/platform_types.h"

// Shows text at the message place, wrapped at blanks over its lines (what
// does not fit is cut), in colour, over any message shown before.
void ShowEditorMessage(const std::string& text, plat::COLORREF colour);
// Clears the message place if a message shows there: an action's prompt and
// entry are about to use the prompt area.
void EraseEditorMessage();
// The lines text takes at the message place, as ShowEditorMessage draws them.
std::string WrappedMessageLine(const std::string& text, int line);
