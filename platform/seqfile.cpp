#include "platform/seqfile.h"

#include "platform/atomicfile.h"
#include "platform/codepage.h"
#include "platform/vbnum.h"
#include "platform/vbtext.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vb {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool EqualsIgnoringCase(const std::string& a, const char* b)
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

FileError SeqReader::Open(const std::string& path)
{
    Close();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return FileErrorFromErrno(errno);
    struct stat info {};
    // Only regular files: a device or pipe might never end.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return FileError::PathFileAccess;
    }
    std::string data;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const FileError e = FileErrorFromErrno(errno);
            ::close(fd);
            return e;
        }
        data.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    data_ = std::move(data);
    open_ = true;
    return FileError::None;
}

void SeqReader::Close()
{
    data_.clear();
    pos_ = 0;
    open_ = false;
}

bool SeqReader::Eof() const
{
    return pos_ >= data_.size();
}

// Past the comma or line break (CR LF, CR or LF) at pos_, if any.
void SeqReader::SkipDelimiter()
{
    if (pos_ >= data_.size())
        return;
    if (data_[pos_] == ',' || data_[pos_] == '\n') {
        ++pos_;
    } else if (data_[pos_] == '\r') {
        ++pos_;
        if (pos_ < data_.size() && data_[pos_] == '\n')
            ++pos_;
    }
}

FileError SeqReader::NextItem(std::string& text)
{
    if (!open_)
        return FileError::BadFileNumber;
    while (pos_ < data_.size() && (IsBlank(data_[pos_]) || data_[pos_] == '\r' || data_[pos_] == '\n'))
        ++pos_;
    if (pos_ >= data_.size())
        return FileError::InputPastEnd;

    if (data_[pos_] == '"') {
        const std::size_t start = pos_ + 1;
        const std::size_t close = data_.find('"', start);
        // A quote never closed runs to the end of the file.
        const std::size_t end = close == std::string::npos ? data_.size() : close;
        text = data_.substr(start, end - start);
        pos_ = close == std::string::npos ? data_.size() : close + 1;
        // Anything between the closing quote and the delimiter is dropped.
        pos_ = std::min(data_.find_first_of(",\r\n", pos_), data_.size());
    } else {
        const std::size_t end = std::min(data_.find_first_of(",\r\n", pos_), data_.size());
        std::size_t last = end;
        while (last > pos_ && IsBlank(data_[last - 1]))
            --last;
        text = data_.substr(pos_, last - pos_);
        pos_ = end;
    }
    SkipDelimiter();
    return FileError::None;
}

FileError SeqReader::NextNumber(double& value)
{
    std::string text;
    if (const FileError e = NextItem(text); e != FileError::None)
        return e;
    text = Trim(text);
    if (text.empty() || EqualsIgnoringCase(text, "#FALSE#")) {
        value = 0.0;
        return FileError::None;
    }
    if (EqualsIgnoringCase(text, "#TRUE#")) {
        value = -1.0;
        return FileError::None;
    }
    switch (CDbl(text, value)) {
    case Conversion::Ok: return FileError::None;
    case Conversion::Overflow: return FileError::Overflow;
    case Conversion::TypeMismatch: break;
    }
    return FileError::TypeMismatch;
}

FileError SeqReader::Input(std::string& value)
{
    std::string text;
    const FileError e = NextItem(text);
    if (e == FileError::None)
        value = FromCp1252(text);
    return e;
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

} // namespace vb
