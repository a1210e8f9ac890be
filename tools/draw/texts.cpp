#include "texts.h"

#include <QString>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The notes window's default text, one entry per line. The file holds it as
// UTF-8 with CR LF after every line; the notes window decodes it to a string,
// and only characters that Windows-1252 also holds are used, so the text
// survives the notes file's 8-bit code page unchanged. The window relies on
// the counts below (in characters, not bytes), which notesDefaultText checks.
constexpr int kNotesLines = 58;
constexpr int kNotesCharacters = 1305;  // line breaks included
constexpr int kNotesEmptyLines = 3;
constexpr int kNotesLongestLine = 51;

const std::vector<std::string_view> kNotes = {
    "NOTES - NOTAS",
    "Lab number // Victories // Defeats",
    "Laberinto // Victorias // Derrotas",
    "",
    "Write down the number of every labyrinth you enter:",
    "a victory or a defeat?",
    "Escriba aquí el número de cada laberinto",
    "que juegue, y cómo terminó.",
    "Lab 12 // victory",
    "Lab 27 // defeat",
    "Lab 31 // victoria",
    "Lab 44 // derrota, ¡casi!",
    "Which were easy? Which were hard?",
    "¿Cuáles fueron fáciles?",
    "¿Cuáles fueron difíciles?",
    "Press SAVE NOTES to keep them.",
    "Pulse SAVE NOTES para guardarlas.",
    "",
    "Lab ___: V ___ D ___",
    "Lab ___: V ___ D ___",
    "Lab ___: V ___ D ___",
    "Lab ___: V ___ D ___",
    "Lab ___: V ___ D ___",
    "Lab ___: V ___ D ___",
    "Lab ___: V ___ D ___",
    "Lab ___: V ___ D ___",
    "Lab ___: V ___ D ___",
    "Lab ___: V ___ D ___",
    "Victories / Victorias:",
    "Defeats / Derrotas:",
    "Best score / Mejor puntuación:",
    "Fastest door / Puerta más rápida:",
    "Hardest / Más difícil:",
    "Ideas for next time:",
    "- wait for the fruits",
    "- try the other path",
    "- rest every five minutes",
    "Ideas para la próxima vez:",
    "- esperar a las frutas",
    "- probar el otro camino",
    "- descansar cada cinco minutos",
    "Remember: the door is at",
    "the top-left corner.",
    "Recuerde: la puerta está",
    "en la esquina de arriba",
    "a la izquierda.",
    "",
    "Lab ___",
    "Lab ___",
    "Lab ___",
    "Lab ___",
    "Lab ___",
    "Total:",
    "V __",
    "D __",
    "Reset Notes: this text.",
    "Reset Notes devuelve este texto.",
    "Good luck! ¡Buena suerte!",
};

// Characters that Windows-1252 stores at the same code as Unicode.
bool fitsWindows1252(QChar c) { return c.unicode() < 0x80 || (c.unicode() >= 0xA0 && c.unicode() <= 0xFF); }

// The help panel's rich text. Nothing follows </html>: Qt would append a
// trailing line break to the last paragraph as a blank in the body's font.
// The box layout is set in DejaVu Sans Mono at 12 px, whatever the screen's
// DPI: its box-drawing glyphs reach a little beyond their line, and at this
// size the line is 13.97 px, so rounding it up to whole pixels adds less than
// they reach and the frames close. Wall and door are kept apart in the key,
// or their blocks would join into one shape.
constexpr std::string_view kHelp = R"html(<!DOCTYPE html>
<html>
<head>
<meta charset="utf-8">
<style>
body { font-family: Arial, 'Liberation Sans', 'DejaVu Sans', sans-serif; font-size: 10pt; }
p, td { margin-top: 0px; margin-bottom: 4px; }
.en { font-family: 'Times New Roman', 'Liberation Serif', 'DejaVu Serif', serif; font-size: 12pt; font-style: italic; }
.es { font-family: 'Times New Roman', 'Liberation Serif', 'DejaVu Serif', serif; font-size: 12pt; font-style: normal; }
.note { font-family: Arial, 'Liberation Sans', 'DejaVu Sans', sans-serif; font-size: 10pt; font-style: normal; }
.box { font-family: 'DejaVu Sans Mono', monospace; font-size: 12px; }
.gap { margin-top: 12px; }
</style>
</head>
<body>

<p class="en" align="center">The easy way!</p>
<p class="en" align="center">Nuvik3t [Labyrinth] &mdash; v 7.7.00</p>

<p class="en gap">Whenever you can, go to the exit door, and keep playing level after level.
The goal is to eat the good fruits for points and to reach the exit door &mdash;
but the door may become impossible to reach, so do not wait too long.</p>

<p class="en gap">New:</p>
<p class="es">&bull; Los monstruos solo pasean, como las frutas buenas, y no disparan.</p>
<p class="en">&bull; The monsters only wander about like the good fruits; they never fire.</p>
<p class="es">&bull; No hace falta comer todas las frutas para pasar de nivel.</p>
<p class="en">&bull; You need not eat every fruit to pass a level.</p>
<p class="es">&bull; Hay 4 niveles.</p>
<p class="en">&bull; There are 4 levels.</p>
<p class="es">&bull; Ud. tiene 5 vidas.</p>
<p class="en">&bull; You have 5 lives.</p>
<p class="es">&bull; Las frutas se acercan: espérelas caminando contra una pared, sin moverse del lugar.</p>
<p class="en">&bull; The fruits will come closer: wait for them, walking against a wall on the spot.</p>
<p class="es">&bull; Pulse ENTER para pasar al nivel siguiente.</p>
<p class="en">&bull; Press ENTER to go on to the next level.</p>

<p class="note gap"><b>TO UNINSTALL:</b> leave the program, then remove it through your system's list of
installed programs. Your own data stays on the disk: the difficult labyrinth, the settings file
and the labyrinth files you saved. Delete them by hand if you no longer want them.</p>

<p class="en gap"><b>Main Menu:</b></p>
<table class="en" cellspacing="0" cellpadding="1">
<tr><td>HS</td><td>&nbsp;&mdash; the high score, shown on top</td></tr>
<tr><td>Help</td><td>&nbsp;&mdash; this page</td></tr>
<tr><td>Level</td><td>&nbsp;&mdash; the labyrinth you have reached</td></tr>
<tr><td>Reset HS to zero</td><td>&nbsp;&mdash; puts the high score back to 0</td></tr>
<tr><td>Music</td><td>&nbsp;&mdash; the tunes between the rounds</td></tr>
<tr><td>Sound effects</td><td>&nbsp;&mdash; the little noises of play</td></tr>
<tr><td>Play</td><td>&nbsp;&mdash; starts a game</td></tr>
<tr><td>ESC</td><td>&nbsp;&mdash; exit</td></tr>
</table>

<p class="en gap">Words of the game:</p>
<table class="en" cellspacing="0" cellpadding="1">
<tr><td>Good fruits</td><td>&nbsp;&mdash; give you points.</td></tr>
<tr><td>Poisonous fruits</td><td>&nbsp;&mdash; look dangerous, but are harmless.</td></tr>
<tr><td>Critter</td><td>&nbsp;&mdash; that is you: your alter ego in the labyrinth.</td></tr>
<tr><td>Fruit</td><td>&nbsp;&mdash; anything round that moves besides you.</td></tr>
<tr><td>Walls</td><td>&nbsp;&mdash; the blue bricks; you cannot pass them.</td></tr>
<tr><td>Door</td><td>&nbsp;&mdash; the way out; red while closed, green when open.</td></tr>
</table>

<p class="en gap">How the fruits move: each fruit keeps to a general direction. It passes forward
along its road and turns at the first intersection it meets.</p>

<p class="en gap">The goal, in more words: explore the labyrinth, find the path to the door,
eat the good fruits on your way, and step on the door square in the top-left corner.
Rest your eyes: make a pause every 5 minutes with ESC.</p>

<p class="en gap">Keys:</p>
<table class="en" cellspacing="0" cellpadding="1">
<tr><td>Up</td><td>&nbsp;S, I, 8, F</td></tr>
<tr><td>Down</td><td>&nbsp;X, K, 5, V</td></tr>
<tr><td>Left</td><td>&nbsp;, (comma), J, 4, 2</td></tr>
<tr><td>Right</td><td>&nbsp;. (full stop), L, 6, 3</td></tr>
<tr><td>Fire</td><td>&nbsp;A, D or the space bar [You have 15 shots]</td></tr>
<tr><td>ESC</td><td>&nbsp;pause, options and end</td></tr>
<tr><td>Next level</td><td>&nbsp;ENTER, or step on the green square</td></tr>
</table>
<p class="en">Good sets: I J K L under the right hand, 8 4 5 6 on the number pad,
or S and X with the left hand and comma and full stop with the right.</p>
<p class="en">Press a key once and let it go: the critter keeps moving that way until the next key.</p>

<p class="en gap">Words of the bottom line:</p>
<table class="en" cellspacing="0" cellpadding="1">
<tr><td class="es">Muro</td><td>&nbsp;&mdash; wall</td></tr>
<tr><td class="es">Caminos</td><td>&nbsp;&mdash; roads</td></tr>
<tr><td class="es">Al azar</td><td>&nbsp;&mdash; random</td></tr>
<tr><td class="es">Morir</td><td>&nbsp;&mdash; to die</td></tr>
<tr><td class="es">Fin</td><td>&nbsp;&mdash; end</td></tr>
<tr><td class="es">Otra - Jugar</td><td>&nbsp;&mdash; other - play</td></tr>
<tr><td class="es">Pulse ESC</td><td>&nbsp;&mdash; press ESC</td></tr>
</table>
<p class="en">The bottom line shows your lives, the time spent on the labyrinth, its number,
the high score and your score.</p>
<p class="en">After a fruit has reached the critter, a pass may look blocked for a moment.
It is not: walk on.</p>
<p class="en">In some labyrinths the monsters get trapped in a dead end and never come out. Lucky you.</p>
<p class="en">Want more fruits? Uncheck &quot;Beginners&quot; in the main menu.</p>
<p class="en gap"><b>PS.</b> B in the pause line takes you back to the main menu.</p>
<p class="en">(END)</p>

<p class="note gap">En castellano:</p>
<pre class="box">
╔════════════════════════════════════════╗
║   NUVIK3T 7.7  [Laberinto]  ─  AYUDA   ║
╚════════════════════════════════════════╝

 ☺   Ud., el bichito
 ██  muro
 ♣   una fruta (buena, venenosa o monstruo)
 █   la puerta, arriba a la izquierda

┌────────────┬───────────────────────────┐
│ ↑  arriba  │  S   I   8   F            │
│ ↓  abajo   │  X   K   5   V            │
│ ←  izq.    │  ,   J   4   2            │
│ →  der.    │  .   L   6   3            │
├────────────┼───────────────────────────┤
│ disparo    │  A   D   espacio  (15)    │
│ pausa      │  ESC                      │
│ nivel sig. │  ENTER o el cuadro verde  │
└────────────┴───────────────────────────┘
</pre>
<p class="note">Pulse una tecla una vez y suéltela: el bichito sigue andando hasta la próxima.</p>
<p class="note">Cada laberinto ofrece dos caminos desde la salida: uno hacia arriba y otro hacia la
izquierda. Hay un solo camino hasta la puerta.</p>
<p class="note">Coma las frutas buenas y pise el cuadro de la puerta. Descanse cada 5 minutos (ESC).</p>
<p class="note"><b>PARA DESINSTALAR:</b> salga del programa y quítelo desde la lista de programas
instalados de su sistema. Sus datos (el laberinto difícil, el archivo de opciones y los laberintos
que guardó) quedan en el disco.</p>
<p class="note">Los laberintos de largo normal son los más fáciles; los de ramas horizontales
cortas o largas, los más difíciles.</p>
<p class="note">(FIN)</p>
<p class="note" align="center"><b>Good luck!</b></p></body></html>)html";

QByteArray oneLine(std::string_view text)
{
    if (text.find_first_of("\r\n") != std::string_view::npos)
        throw std::runtime_error("a one-line text holds a line break: " + std::string(text));
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QByteArray helpHtml() { return QByteArray(kHelp.data(), static_cast<qsizetype>(kHelp.size())); }

QByteArray notesDefaultText()
{
    QByteArray out;
    int characters = 0;
    int empty = 0;
    int longest = 0;
    for (const std::string_view line : kNotes) {
        const QString decoded = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
        if (!std::all_of(decoded.begin(), decoded.end(), fitsWindows1252))
            throw std::runtime_error("notes line has a character outside Windows-1252: " + std::string(line));
        characters += static_cast<int>(decoded.size()) + 2;
        empty += decoded.isEmpty() ? 1 : 0;
        longest = std::max(longest, static_cast<int>(decoded.size()));
        out.append(line.data(), static_cast<qsizetype>(line.size()));
        out.append("\r\n");
    }
    if (static_cast<int>(kNotes.size()) != kNotesLines || characters != kNotesCharacters ||
        empty != kNotesEmptyLines || longest != kNotesLongestLine)
        throw std::runtime_error("notes default text has " + std::to_string(kNotes.size()) + " lines, " +
                                 std::to_string(characters) + " characters, " + std::to_string(empty) +
                                 " empty lines, longest " + std::to_string(longest) + "; wanted " +
                                 std::to_string(kNotesLines) + ", " + std::to_string(kNotesCharacters) + ", " +
                                 std::to_string(kNotesEmptyLines) + ", " + std::to_string(kNotesLongestLine));
    return out;
}

QByteArray creditsLine() { return oneLine("Versions 1.0 to 7.7 · 1996–2026 · DOS, Windows, Linux"); }

// Starts the picture window's caption, followed by " KLWRP - Nuvik3t".
QByteArray dedicationTitle() { return oneLine("For everyone who finds the way"); }
