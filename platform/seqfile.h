#pragma once
// Sequential text files in the layout of the runtime's Write # and Input #:
// items separated by commas, one statement per line ended by CR LF, strings
// in double quotes, booleans as #TRUE# / #FALSE#, text in Windows-1252.
#include "platform/fileerror.h"

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

namespace vb {

// Output file. The content is collected in memory and written by Close, which
// replaces the file whole (see atomicfile.h): a failed write leaves the good
// file that stood there, not a half-written or empty one. So the errors of
// opening for output are reported by Close.
class SeqWriter {
public:
    // One item of a Write statement, held as the text it is written as.
    class Item {
    public:
        Item(double v);
        Item(float v);
        template <std::integral T>
        Item(T v) : text_(std::to_string(v)) {}
        Item(bool v);
        // Written in double quotes as it is: a quote inside is not escaped,
        // callers replace quotes themselves. Characters the code page lacks
        // become '?'.
        Item(const std::string& s);
        Item(const char* s);

        const std::string& text() const { return text_; }

    private:
        std::string text_;
    };

    explicit SeqWriter(std::string path);
    // Closes the file if the caller did not, ignoring the error, as the runtime
    // closes open files when the program ends.
    ~SeqWriter();
    SeqWriter(const SeqWriter&) = delete;
    SeqWriter& operator=(const SeqWriter&) = delete;

    // One Write # statement: the items separated by commas, then CR LF.
    // BadFileNumber after Close, and nothing is written.
    FileError Write(std::initializer_list<Item> items);
    // Writes the file; a second Close does nothing and returns None.
    FileError Close();

    // Opening for output and closing at once: an empty file, replacing any.
    static FileError CreateEmpty(const std::string& path);

private:
    std::string path_;
    std::string content_;
    bool closed_ = false;
};

// Input file, read in pieces as the items are taken: what it holds at a time
// is a small buffer plus the item being returned, whatever the file's size.
class SeqReader {
public:
    SeqReader() = default;
    ~SeqReader();
    SeqReader(const SeqReader&) = delete;
    SeqReader& operator=(const SeqReader&) = delete;

    // FileNotFound for a missing file, PathFileAccess for a folder or any
    // other thing that is no regular file (a pipe or device is never opened
    // for reading, so it cannot block), PermissionDenied when unreadable,
    // PathNotFound for an empty name (a folder that is not known),
    // OutOfMemory when the buffer cannot be had.
    FileError Open(const std::string& path);
    void Close();

    // Each Input takes one item. On an error the target keeps its value, but
    // the item is used up all the same, so later items stay in their places.
    // A reader that is not open gives BadFileNumber; no item left,
    // InputPastEnd; a string that memory cannot hold, OutOfMemory; a failing
    // read of the disk, IoError. Blank lines between items are passed over.
    FileError Input(std::string& value);
    // Numbers: an empty item is 0, #TRUE# is -1 and #FALSE# 0; other text
    // that is not a number is a TypeMismatch; a value out of the target's
    // range (16- and 32-bit round half to even first) an Overflow.
    FileError Input(int16_t& value);
    FileError Input(int32_t& value);
    FileError Input(double& value);
    FileError Input(float& value);
    // #TRUE# / #FALSE#, or a number (nonzero is true); empty is false.
    FileError Input(bool& value);

    // One record: the items of the rest of the current line into the targets,
    // in order, then on to the next line, whatever the line holds, so a
    // damaged record never moves the ones after it. Stops at the first item
    // that fails and returns its error: that target and the later ones keep
    // their values. A line with fewer items leaves the targets without one
    // unchanged and gives InputPastEnd; a blank line is such a line; items
    // beyond the targets are passed over. No item runs past the end of its
    // line, a quoted one included: only Input takes line breaks into a
    // quoted item.
    template <class... Target>
    FileError InputLine(Target&... targets)
    {
        FileError result = StartLine();
        ((result = result == FileError::None ? LineItem(targets) : result), ...);
        EndLine();
        return result;
    }

    // True when every byte has been read (blank lines left count as unread).
    bool Eof() const;
    // The size of the open file in bytes; 0 when none is open.
    std::int64_t Lof() const;

private:
    // Takes one item and its delimiter, handing its bytes to sink in pieces;
    // *quoted tells whether it was in quotes.
    template <class Sink>
    FileError NextItem(Sink&& sink, bool* quoted = nullptr);
    FileError NextNumber(double& value);
    template <class Int, class Convert>
    FileError InputInteger(Int& value, Convert convert);
    template <class Target>
    FileError LineItem(Target& target)
    {
        return lineEnded_ ? FileError::InputPastEnd : Input(target);
    }
    FileError StartLine();
    void EndLine();
    // The next byte, -1 at the end of the file (or of what could be read).
    int Peek() const;
    void SkipLineBreak();
    bool Fill() const;

    int fd_ = -1;
    bool open_ = false;
    // The buffered part of the file: bytes pos_ to end_ of buffer_.
    std::unique_ptr<char[]> buffer_;
    mutable std::size_t pos_ = 0;
    mutable std::size_t end_ = 0;
    mutable FileError readError_ = FileError::None;
    // The last item ended with a comma (not a line break or the file's end).
    bool afterComma_ = false;
    // Within InputLine: line breaks end the record; lineEnded_ once it has.
    bool inLine_ = false;
    bool lineEnded_ = false;
};

// True only when nothing at all is at path (a first run): a file that exists
// but cannot be read, a pipe or a folder is not missing, and neither is a
// file in a folder that is not known (an empty path). Never opens or reads.
bool FileMissing(const std::string& path);

} // namespace vb
