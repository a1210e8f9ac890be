#pragma once
// Sequential text files in the layout of the runtime's Write # and Input #:
// items separated by commas, one statement per line ended by CR LF, strings
// in double quotes, booleans as #TRUE# / #FALSE#, text in Windows-1252.
#include "platform/fileerror.h"

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace vb {

// Output file. The content is collected in memory and written by Close, which
// replaces the file whole (see atomicfile.h): a failed write never leaves a
// half-written or empty file where a good one stood. So the errors of opening
// for output are reported by Close.
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

// Input file: read whole at Open, then taken apart item by item.
class SeqReader {
public:
    // FileNotFound for a missing file, PathFileAccess for a folder or any
    // other thing that is no regular file, PermissionDenied when unreadable.
    FileError Open(const std::string& path);
    void Close();

    // Each Input takes one item. On an error the target keeps its value, but
    // the item is used up all the same, so later items stay in their places.
    // A reader that is not open gives BadFileNumber; no item left,
    // InputPastEnd.
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

    // True when every byte has been read (blank lines left count as unread).
    bool Eof() const;

private:
    FileError NextItem(std::string& text);
    FileError NextNumber(double& value);
    template <class Int, class Convert>
    FileError InputInteger(Int& value, Convert convert);
    void SkipDelimiter();

    std::string data_;
    std::size_t pos_ = 0;
    bool open_ = false;
};

} // namespace vb
