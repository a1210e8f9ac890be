#pragma once

#include <QByteArray>

// The embedded texts, as the bytes of their files. Each throws
// std::runtime_error when its text breaks the shape the game relies on.
QByteArray helpHtml();
QByteArray notesDefaultText();
QByteArray creditsLine();
QByteArray dedicationTitle();
