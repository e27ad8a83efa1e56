#pragma once
// The four 128 x 128 pictures of the message boxes, drawn in code on a
// see-through background.
#include <QImage>

enum class TDialogIcon { Info, Question, Warning, Error };

QImage DialogIcon(TDialogIcon icon);
