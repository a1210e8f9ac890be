// The embedded texts: the notes window's default text, the one-line captions,
// and the help page's sections and fonts.
#include "resources/resource_files.h"

#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QString utf8(const QString& path, bool* valid)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(embedded(path));
    *valid = !decoder.hasError();
    return text;
}

TEST(NotesDefaultText, Has58CrLfLinesAnd1305Characters)
{
    bool valid = false;
    const QString text = utf8(":/text/notes_default.txt", &valid);
    ASSERT_TRUE(valid);
    ASSERT_TRUE(text.endsWith("\r\n"));
    EXPECT_EQ(text.size(), 1305);

    QStringList lines = text.split("\r\n");
    lines.removeLast();  // after the last line's break
    EXPECT_EQ(lines.size(), 58);
    int empty = 0;
    qsizetype longest = 0;
    for (const QString& line : lines) {
        EXPECT_FALSE(line.contains('\r') || line.contains('\n')) << "a bare line break in: " << line.toStdString();
        EXPECT_FALSE(line.contains('"')) << "the notes file quotes its text";
        empty += line.isEmpty() ? 1 : 0;
        longest = std::max(longest, line.size());
    }
    EXPECT_EQ(empty, 3);
    EXPECT_EQ(longest, 51);
}

TEST(NotesDefaultText, UsesSomeNonAsciiCharactersThatTheEightBitCodePageHolds)
{
    bool valid = false;
    const QString text = utf8(":/text/notes_default.txt", &valid);
    ASSERT_TRUE(valid);
    int nonAscii = 0;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            ++nonAscii;
            // Windows-1252 stores these at their own code, one byte each.
            EXPECT_TRUE(c.unicode() >= 0xA0 && c.unicode() <= 0xFF) << "U+" << std::hex << static_cast<int>(c.unicode());
        }
    }
    EXPECT_GE(nonAscii, 3);
    EXPECT_TRUE(text.contains(QStringLiteral("ñ")) || text.contains(QStringLiteral("¿")) || text.contains(QStringLiteral("á")));
}

TEST(OneLineTexts, CreditsAndDedicationTitleAreSingleUtf8Lines)
{
    for (const char* path : {":/text/credits.txt", ":/text/dedication.txt"}) {
        SCOPED_TRACE(path);
        bool valid = false;
        const QString text = utf8(path, &valid);
        EXPECT_TRUE(valid);
        EXPECT_FALSE(text.isEmpty());
        EXPECT_FALSE(text.contains('\n') || text.contains('\r'));
        EXPECT_EQ(text, text.trimmed());  // the caption adds its own blank after the title
    }
    bool valid = false;
    EXPECT_TRUE(utf8(":/text/credits.txt", &valid).contains("7.7"));
}

class HelpText : public ::testing::Test {
protected:
    void SetUp() override
    {
        bool valid = false;
        html_ = utf8(":/text/help.html", &valid);
        ASSERT_TRUE(valid);
        document_.setHtml(html_);
    }

    // The character format inside the first occurrence of `text` at or after `from`.
    QTextCharFormat formatOf(const QString& text, int from = 0) const
    {
        const QTextCursor found = document_.find(text, from, QTextDocument::FindCaseSensitively);
        EXPECT_FALSE(found.isNull()) << text.toStdString();
        QTextCursor inside(found);
        inside.setPosition(found.selectionStart() + 1);
        return inside.charFormat();
    }

    int positionOf(const QString& text) const
    {
        return document_.find(text, 0, QTextDocument::FindCaseSensitively).selectionStart();
    }

    static QString firstFamily(const QTextCharFormat& format)
    {
        return format.fontFamilies().toStringList().value(0);
    }

    QString html_;
    QTextDocument document_;
};

TEST_F(HelpText, HasItsElevenSectionsInOrder)
{
    const QString plain = document_.toPlainText();
    const char* const markers[] = {
        "The easy way!", "v 7.7.00",        // 1 heading and version
        "reach the exit door",              // 2 advice
        "New:", "Hay 4 niveles.", "You have 5 lives.", "Press ENTER",  // 3
        "TO UNINSTALL:", "list of",         // 4
        "Main Menu:", "Reset HS to zero", "Music", "Sound effects",  // 5
        "Poisonous fruits", "alter ego",    // 6
        "first intersection",               // 7
        "top-left corner", "every 5 minutes",  // 8
        "S, I, 8, F", "X, K, 5, V", "J, 4, 2", "L, 6, 3", "[You have 15 shots]",  // 9
        "to die", "other - play", "Beginners", "PS.", "(END)",  // 10
        "☺", "♣", "█", "↑", "dos caminos", "PARA DESINSTALAR", "(FIN)", "Good luck!",  // 11
    };
    qsizetype from = 0;
    for (const char* marker : markers) {
        const qsizetype at = plain.indexOf(QString::fromUtf8(marker), from);
        EXPECT_GE(at, 0) << "missing or out of order: " << marker;
        from = std::max(from, at);
    }
}

TEST_F(HelpText, EnglishIsItalicTimesAndSpanishUpright)
{
    for (const char* english : {"The easy way!", "The monsters only wander", "How the fruits move"}) {
        const QTextCharFormat format = formatOf(english);
        EXPECT_EQ(firstFamily(format), "Times New Roman") << english;
        EXPECT_TRUE(format.fontFamilies().toStringList().contains("serif")) << english;
        EXPECT_TRUE(format.fontItalic()) << english;
        EXPECT_EQ(format.fontPointSize(), 12) << english;
    }
    for (const char* spanish : {"Los monstruos solo pasean", "Hay 4 niveles."}) {
        const QTextCharFormat format = formatOf(QString::fromUtf8(spanish));
        EXPECT_EQ(firstFamily(format), "Times New Roman") << spanish;
        EXPECT_FALSE(format.fontItalic()) << spanish;
    }
    EXPECT_EQ(formatOf("Main Menu:").fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf("PS.").fontWeight(), QFont::Bold);
    EXPECT_NE(formatOf("How the fruits move").fontWeight(), QFont::Bold);
}

TEST_F(HelpText, UninstallNoteAndEverythingAfterTheEndMarkAreTenPointSans)
{
    const QTextCharFormat uninstall = formatOf("TO UNINSTALL:");
    EXPECT_EQ(firstFamily(uninstall), "Arial");
    EXPECT_TRUE(uninstall.fontFamilies().toStringList().contains("sans-serif"));
    EXPECT_EQ(uninstall.fontPointSize(), 10);

    const int end = positionOf("(END)");
    ASSERT_GT(end, 0);
    int boxCharacters = 0;
    for (QTextBlock block = document_.findBlock(end).next(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            const QString text = fragment.fragment().text();
            EXPECT_EQ(format.fontPointSize(), 10) << text.toStdString();
            const QStringList families = format.fontFamilies().toStringList();
            const bool drawsBoxes = std::any_of(text.begin(), text.end(),
                                                [](QChar c) { return c.unicode() >= 0x2500 && c.unicode() <= 0x257F; });
            if (drawsBoxes) {  // the box layout keeps its columns in a fixed-pitch font
                ++boxCharacters;
                EXPECT_TRUE(families.contains("monospace")) << text.toStdString();
            } else {
                EXPECT_TRUE(families.value(0) == "Arial" || families.contains("monospace")) << text.toStdString();
            }
        }
    EXPECT_GT(boxCharacters, 0);
}

}  // namespace
