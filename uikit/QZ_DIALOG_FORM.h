#pragma once
// The themed message window (TFrmDialog) behind DialogBox.
#include "QZ_DIALOG.h"

#include <string>

// Beeps for the kind, shows the message window modally and returns its
// modal result (1 or 2).
int ShowDialogBoxWindow(TDialogBoxKind kind, const std::string& title, const std::string& text);
