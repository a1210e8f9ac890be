#include "platform/seqfile.h"

#include "platform/atomicfile.h"
#include "platform/codepage.h"
#include "platform/numberscan.h"
#include "platform/utf8.h"
#include "platform/vbtext.h"
#include "platform/vbnum.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <limits>
#include <new>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vb {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool EqualsIgnoringCase(std::string_view a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        char c = a[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != b[i])
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

// Bytes that end a run of an item's text, as a table for speed.
using StopSet = std::array<bool, 256>;

constexpr StopSet Stops(std::string_view bytes)
{
    StopSet set{};
    for (const char c : bytes)
        set[static_cast<unsigned char>(c)] = true;
    return set;
}

constexpr StopSet kDelimiters = Stops(",\r\n");
constexpr StopSet kQuote = Stops("\"");
constexpr StopSet kQuoteOrLineBreak = Stops("\"\r\n");

// What a reader reads at a time.
constexpr std::size_t kBufferSize = 65536;

// Appends Windows-1252 bytes as UTF-8, runs of ASCII at once.
void AppendFromCp1252(std::string& out, std::string_view bytes)
{
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t ascii = pos;
        while (ascii < bytes.size() && static_cast<unsigned char>(bytes[ascii]) < 0x80)
            ++ascii;
        out.append(bytes.data() + pos, ascii - pos);
        if (ascii < bytes.size())
            AppendUtf8(out, Cp1252Char(static_cast<unsigned char>(bytes[ascii++])));
        pos = ascii;
    }
}

} // namespace

SeqWriter::Item::Item(double v) : text_(CStr(v)) {}
SeqWriter::Item::Item(float v) : text_(CStrSingle(v)) {}
SeqWriter::Item::Item(bool v) : text_(v ? "#TRUE#" : "#FALSE#") {}
SeqWriter::Item::Item(const std::string& s) : text_('"' + ToCp1252(s) + '"') {}
SeqWriter::Item::Item(const char* s) : Item(std::string(s)) {}

SeqWriter::SeqWriter(std::string path) : path_(std::move(path)) {}

SeqWriter::~SeqWriter()
{
    Close();
}

FileError SeqWriter::Write(std::initializer_list<Item> items)
{
    if (closed_)
        return FileError::BadFileNumber;
    bool first = true;
    for (const Item& item : items) {
        if (!first)
            content_ += ',';
        content_ += item.text();
        first = false;
    }
    content_ += "\r\n";
    return FileError::None;
}

FileError SeqWriter::Close()
{
    if (closed_)
        return FileError::None;
    closed_ = true;
    return ReplaceFile(path_, content_);
}

FileError SeqWriter::CreateEmpty(const std::string& path)
{
    return SeqWriter(path).Close();
}

SeqReader::~SeqReader()
{
    Close();
}

FileError SeqReader::Open(const std::string& path)
{
    Close();
    if (path.empty())
        return FileError::PathNotFound;
    // The kind is checked before opening: opening a pipe for reading waits
    // for a writer. O_NONBLOCK covers a swap between the check and the open.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return FileErrorFromErrno(errno);
    if (!S_ISREG(info.st_mode))
        return FileError::PathFileAccess;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return FileErrorFromErrno(errno);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return FileError::PathFileAccess;
    }
    try {
        buffer_ = std::make_unique<char[]>(kBufferSize);
    } catch (const std::bad_alloc&) {
        ::close(fd);
        return FileError::OutOfMemory;
    }
    fd_ = fd;
    open_ = true;
    return FileError::None;
}

void SeqReader::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    open_ = false;
    buffer_.reset();
    pos_ = end_ = 0;
    readError_ = FileError::None;
    afterComma_ = inLine_ = lineEnded_ = false;
}

bool SeqReader::Fill() const
{
    if (pos_ < end_)
        return true;
    if (fd_ < 0 || readError_ != FileError::None)
        return false;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.get(), kBufferSize);
        if (n > 0) {
            pos_ = 0;
            end_ = static_cast<std::size_t>(n);
            return true;
        }
        if (n == 0)
            return false;
        if (errno != EINTR) {
            readError_ = FileErrorFromErrno(errno);
            return false;
        }
    }
}

void SeqReader::SkipLineBreak()
{
    const int c = Peek();
    if (c == '\n') {
        ++pos_;
    } else if (c == '\r') {
        ++pos_;
        if (Peek() == '\n')
            ++pos_;
    }
}

int SeqReader::Peek() const
{
    return Fill() ? static_cast<unsigned char>(buffer_[pos_]) : -1;
}

bool SeqReader::Eof() const
{
    return Peek() < 0;
}

std::int64_t SeqReader::Lof() const
{
    struct stat info {};
    return fd_ >= 0 && ::fstat(fd_, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : 0;
}

// An unquoted item's trailing blanks are handed on too: the sink drops them
// where they matter.
template <class Sink>
FileError SeqReader::NextItem(Sink&& sink, bool* quoted)
{
    if (!open_)
        return FileError::BadFileNumber;
    int c = Peek();
    while (c == ' ' || c == '\t' || (!inLine_ && (c == '\r' || c == '\n'))) {
        ++pos_;
        c = Peek();
    }
    if (inLine_ && !afterComma_ && (c == '\r' || c == '\n' || c < 0)) {
        // The rest of the line is blank: the record holds no further item.
        SkipLineBreak();
        lineEnded_ = true;
        return c < 0 && readError_ != FileError::None ? readError_ : FileError::InputPastEnd;
    }
    if (c < 0 && !inLine_)
        return readError_ != FileError::None ? readError_ : FileError::InputPastEnd;

    // Hands on the bytes up to the first of stops, or up to the end.
    const auto takeUntil = [&](const StopSet& stops, bool keep) {
        while (Fill()) {
            const char* first = buffer_.get() + pos_;
            const char* last = buffer_.get() + end_;
            const char* stop = first;
            while (stop != last && !stops[static_cast<unsigned char>(*stop)])
                ++stop;
            if (keep && stop != first)
                sink(std::string_view(first, static_cast<std::size_t>(stop - first)));
            pos_ += static_cast<std::size_t>(stop - first);
            if (stop != last)
                return;
        }
    };
    if (quoted)
        *quoted = c == '"';
    if (c == '"') {
        ++pos_;
        // In a record read by lines a quote never closed ends with its line;
        // elsewhere a quoted item spans lines and one never closed runs to
        // the end of the file.
        takeUntil(inLine_ ? kQuoteOrLineBreak : kQuote, true);
        if (Peek() == '"')
            ++pos_;
        // Anything between the closing quote and the delimiter is dropped.
        takeUntil(kDelimiters, false);
    } else {
        takeUntil(kDelimiters, true);
    }

    afterComma_ = Peek() == ',';
    if (afterComma_)
        ++pos_;
    else
        SkipLineBreak();
    if (inLine_ && !afterComma_)
        lineEnded_ = true;
    return readError_;
}

FileError SeqReader::StartLine()
{
    if (!open_)
        return FileError::BadFileNumber;
    inLine_ = true;
    lineEnded_ = false;
    afterComma_ = false;
    return FileError::None;
}

void SeqReader::EndLine()
{
    while (inLine_ && !lineEnded_) {
        if (NextItem([](std::string_view) {}) != FileError::None)
            break;
    }
    inLine_ = false;
    afterComma_ = false;
}

FileError SeqReader::NextNumber(double& value)
{
    // #TRUE# and #FALSE# are the longest words an item may hold; the first
    // few bytes after the leading blanks tell them.
    char head[8];
    std::size_t headSize = 0;
    bool headOverlong = false;
    NumberScanner number;
    const FileError e = NextItem([&](std::string_view piece) {
        number.Feed(piece);
        if (headOverlong)
            return;
        for (const char c : piece) {
            if (headSize == 0 && IsBlank(c))
                continue;
            if (headSize < sizeof head)
                head[headSize++] = c;
            else if (!IsBlank(c))
                headOverlong = true;
        }
    });
    if (e != FileError::None)
        return e;
    while (headSize > 0 && IsBlank(head[headSize - 1]))
        --headSize;
    const std::string_view word(head, headOverlong ? 0 : headSize);
    if (headSize == 0 || EqualsIgnoringCase(word, "#FALSE#")) {
        value = 0.0;
        return FileError::None;
    }
    if (EqualsIgnoringCase(word, "#TRUE#")) {
        value = -1.0;
        return FileError::None;
    }
    if (!number.Complete())
        return FileError::TypeMismatch;
    try {
        return number.Value(value) == Conversion::Ok ? FileError::None : FileError::Overflow;
    } catch (const std::bad_alloc&) {
        return FileError::OutOfMemory;
    }
}

FileError SeqReader::Input(std::string& value)
{
    // Built straight in UTF-8; memory that runs out drops the text but the
    // item is still passed over, so the next one stays in its place.
    std::string text;
    bool quoted = false;
    bool outOfMemory = false;
    const FileError e = NextItem([&](std::string_view piece) {
        if (outOfMemory)
            return;
        try {
            AppendFromCp1252(text, piece);
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
            std::string().swap(text);
        }
    }, &quoted);
    if (e != FileError::None)
        return e;
    if (outOfMemory)
        return FileError::OutOfMemory;
    if (!quoted) {
        while (!text.empty() && IsBlank(text.back()))
            text.pop_back();
    }
    value = std::move(text);
    return FileError::None;
}
// Reads a number into an integer target through its rounding conversion;
// a value out of the target's range is an overflow.
template <class Int, class Convert>
FileError SeqReader::InputInteger(Int& value, Convert convert)
{
    double v = 0.0;
    if (const FileError e = NextNumber(v); e != FileError::None)
        return e;
    const auto n = convert(v);
    if (!n)
        return FileError::Overflow;
    value = *n;
    return FileError::None;
}

FileError SeqReader::Input(int16_t& value) { return InputInteger(value, CInt); }

FileError SeqReader::Input(int32_t& value) { return InputInteger(value, CLng); }

FileError SeqReader::Input(double& value)
{
    double v = 0.0;
    const FileError e = NextNumber(v);
    if (e == FileError::None)
        value = v;
    return e;
}

FileError SeqReader::Input(float& value)
{
    double v = 0.0;
    if (const FileError e = NextNumber(v); e != FileError::None)
        return e;
    if (std::fabs(v) > std::numeric_limits<float>::max())
        return FileError::Overflow;
    value = static_cast<float>(v);
    return FileError::None;
}

FileError SeqReader::Input(bool& value)
{
    double v = 0.0;
    const FileError e = NextNumber(v);
    if (e == FileError::None)
        value = v != 0.0;
    return e;
}

bool FileMissing(const std::string& path)
{
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) != 0 && errno == ENOENT;
}

} // namespace vb
